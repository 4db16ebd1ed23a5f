// The test seam (testing.h) on the state that the rooms keep for it. The
// program calls none of it, so none of it is linked into the program.
#include "platform/testing/testing.h"

#include "platform/gdi32/gdi_objects.h"
#include "platform/gdi32/pixel_format.h"
#include "platform/kernel32/files.h"
#include "platform/kernel32/local_memory.h"
#include "platform/kernel32/performance_counter.h"
#include "platform/opengl32/wgl_context.h"
#include "platform/user32/cursor.h"
#include "platform/user32/keyboard.h"
#include "platform/user32/message_queue.h"
#include "platform/winmm/multimedia_timer.h"

namespace platform::testing {

void forceFailure(Failure failure, bool forced) {
  switch (failure) {
    case Failure::PixelFormatNotSet: setPixelFormatFails = forced; break;
    case Failure::ContextNotCreated: contextCreationFails = forced; break;
    case Failure::ContextNotMadeCurrent: makeCurrentFails = forced; break;
    case Failure::NoPerformanceCounter: performanceCounterMissing = forced; break;
  }
}

void injectCursorPos(int x, int y) { injectedCursorPos = POINT{x, y}; }

// As if the key's message had just been taken from the queue.
void injectKeyState(int virtualKey, bool held) {
  followInputMessage({nullptr, UINT(held ? WM_KEYDOWN : WM_KEYUP), WPARAM(virtualKey), 0, 0, {}});
}

void injectPerformanceCounter(int64_t ticksPerSecond, int64_t count) {
  injectedCounter = CounterReading{ticksPerSecond, count};
}

void injectMillisecondTimer(uint32_t milliseconds) { injectedMilliseconds = milliseconds; }

DisplayModeRequest lastDisplayModeRequest() { return lastModeRequest; }
int cursorDisplayCount() { return showCursorCount; }

void captureMessageBoxes(bool capture) { capturingMessageBoxes = capture; }
const std::vector<MessageBoxRecord>& capturedMessageBoxes() { return messageBoxRecords(); }
void clearCapturedMessageBoxes() { messageBoxRecords().clear(); }

void failLocalAlloc(int nth) { localAllocsUntilFailure = nth; }
size_t openKernelHandles() { return liveHandles().size() + liveViews().size(); }
size_t liveLocalAllocations() { return liveLocalBlocks(); }

size_t liveGdiObjects() {
  size_t count = 0;
  for (const GdiObject* object : liveObjects()) count += object->stock ? 0 : 1;
  return count;
}

size_t liveMemoryDeviceContexts() {
  size_t count = 0;
  for (const DeviceContext* context : liveContexts()) count += context->window ? 0 : 1;
  return count;
}

const FontRequest& lastFontRequest() { return lastFontCreated; }

}  // namespace platform::testing
