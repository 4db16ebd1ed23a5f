// The stand-in's test seam: forced failures, injected input, recorded
// requests. Tests only; the system's code never includes it, and the program
// links none of it (testing.cpp): what the program holds of the seam is the
// state that its rooms keep for it, declared in their own headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi32/logical_font.h"
#include "platform/user32/display_modes.h"
#include "platform/user32/message_box.h"
#include "platform/win32.h"

namespace platform::testing {

// ---- Windows, input, display modes, OpenGL contexts and time ----

enum class Failure {
  PixelFormatNotSet,      // SetPixelFormat fails
  ContextNotCreated,      // wglCreateContext returns null
  ContextNotMadeCurrent,  // wglMakeCurrent fails to select a context
  NoPerformanceCounter,   // QueryPerformanceFrequency and ...Counter fail
};
void forceFailure(Failure failure, bool forced = true);

// From now on GetCursorPos answers this position, and SetCursorPos moves it
// instead of the real pointer.
void injectCursorPos(int x, int y);
// Sets a key's or button's held state as GetKeyState reports it.
void injectKeyState(int virtualKey, bool held);

// From now on the performance counter and the millisecond timer report these
// readings (frequency in ticks per second) instead of the real clock.
void injectPerformanceCounter(int64_t ticksPerSecond, int64_t count);
void injectMillisecondTimer(uint32_t milliseconds);

// ChangeDisplaySettingsA's calls so far and the last one's request.
DisplayModeRequest lastDisplayModeRequest();
// ShowCursor's display count.
int cursorDisplayCount();

// --- Message boxes, files, local memory and DIB sections ---

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
const FontRequest& lastFontRequest();

}  // namespace platform::testing
