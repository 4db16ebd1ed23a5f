// The stand-in's test seam: forced failures, injected input, recorded
// requests. Tests only; the system's code never includes it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform::testing {

// --- Message boxes, files, local memory and DIB sections ---

// A message box as the system asked for it.
struct MessageBoxRecord {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

// While capturing, MessageBoxA records each box and answers IDOK at once
// instead of showing it, so that no test ever waits for a person.
void captureMessageBoxes(bool capture);
const std::vector<MessageBoxRecord>& capturedMessageBoxes();
void clearCapturedMessageBoxes();

// The n-th LocalAlloc from now (1 = the next) fails; 0 makes none fail.
void failLocalAlloc(int nth);

// What is still held: open files, mappings and views; LocalAlloc blocks; GDI
// objects (DIB sections, fonts) and memory device contexts.
size_t openKernelHandles();
size_t liveLocalAllocations();
size_t liveGdiObjects();
size_t liveMemoryDeviceContexts();

}  // namespace platform::testing
