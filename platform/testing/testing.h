// The stand-in's test seam: forced failures, injected input, recorded
// requests. Tests only; the system's code never includes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace platform::testing {

// ---- Windows, input, display modes, OpenGL contexts and time ----

enum class Failure {
  DisplayModeRefused,     // ChangeDisplaySettingsA answers DISP_CHANGE_BADMODE
  PixelFormatNotSet,      // SetPixelFormat fails
  ContextNotCreated,      // wglCreateContext returns null
  ContextNotMadeCurrent,  // wglMakeCurrent fails to select a context
  NoPerformanceCounter,   // QueryPerformanceFrequency and ...Counter fail
  NoBufferObjects,        // wglGetProcAddress has no GL_ARB_vertex_buffer_object entry points
};
void forceFailure(Failure failure, bool forced = true);
bool isFailureForced(Failure failure);

// From now on GetCursorPos answers this position, and SetCursorPos moves it
// instead of the real pointer.
void injectCursorPos(int x, int y);
// Sets a key's or button's held state as GetKeyState reports it.
void injectKeyState(int virtualKey, bool held);

// From now on the performance counter and the millisecond timer report these
// readings (frequency in ticks per second) instead of the real clock.
void injectPerformanceCounter(int64_t ticksPerSecond, int64_t count);
void injectMillisecondTimer(uint32_t milliseconds);

struct DisplayModeRequest {
  int count = 0;         // ChangeDisplaySettingsA calls so far
  bool desktop = false;  // the last call asked for the desktop mode (NULL)
  DEVMODEA mode{};       // otherwise, the mode it asked for
  DWORD flags = 0;
  bool contextCurrent = false;  // an OpenGL context was current at the call
};
DisplayModeRequest lastDisplayModeRequest();
// ShowCursor's display count.
int cursorDisplayCount();
// The messages posted with PostMessageA and not yet taken from the queue.
std::vector<MSG> postedMessages();

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

// --- Fonts ---

// The height and face name of the last font that CreateFontA made.
struct FontRequest {
  int height = 0;
  std::string faceName;
};
const FontRequest& lastFontRequest();

}  // namespace platform::testing
