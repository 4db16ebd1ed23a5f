// The multimedia timer: timeGetTime, on SDL's timer. It counts milliseconds
// since SDL's timer started, in 32 bits, so that it wraps after 2^32 ms as
// Windows' does.
//
// Not provided: timeBeginPeriod / timeEndPeriod (the resolution is already
// one millisecond).
#include "platform/winmm/multimedia_timer.h"

#include <SDL2/SDL.h>

#include "platform/winmm.h"

namespace platform {

std::optional<uint32_t> injectedMilliseconds;

}  // namespace platform

DWORD WINAPI timeGetTime() {
  const auto& injected = platform::injectedMilliseconds;
  return injected ? *injected : static_cast<DWORD>(SDL_GetTicks64());
}
