// The multimedia timer: timeGetTime, on SDL's timer. It counts milliseconds
// since SDL's timer started, in 32 bits, so that it wraps after 2^32 ms as
// Windows' does.
//
// Not provided: timeBeginPeriod / timeEndPeriod (the resolution is already
// one millisecond).
#include <SDL2/SDL.h>

#include <optional>

#include "platform/testing/testing.h"
#include "platform/winmm.h"

namespace platform {
namespace {

std::optional<uint32_t> injectedMilliseconds;

}  // namespace

namespace testing {
void injectMillisecondTimer(uint32_t milliseconds) { injectedMilliseconds = milliseconds; }
}  // namespace testing

}  // namespace platform

DWORD WINAPI timeGetTime() {
  const auto& injected = platform::injectedMilliseconds;
  return injected ? *injected : static_cast<DWORD>(SDL_GetTicks64());
}
