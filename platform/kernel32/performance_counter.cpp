// Time: QueryPerformanceFrequency, QueryPerformanceCounter (kernel32) and
// timeGetTime (winmm), on SDL's timers. The performance counter is SDL's
// high-resolution counter (the monotonic clock in nanoseconds on Linux);
// timeGetTime counts milliseconds since SDL's timer started, in 32 bits, so
// that it wraps after 2^32 ms as Windows' does.
//
// Not provided: timeBeginPeriod / timeEndPeriod (the resolution is already
// one millisecond).
#include <SDL2/SDL.h>

#include <optional>

#include "platform/testing/testing.h"
#include "platform/timers.h"

namespace platform {
namespace {

struct CounterReading {
  int64_t ticksPerSecond;
  int64_t count;
};
std::optional<CounterReading> injectedCounter;
std::optional<uint32_t> injectedMilliseconds;

bool noCounter() {
  return testing::isFailureForced(testing::Failure::NoPerformanceCounter);
}

}  // namespace

namespace testing {
void injectPerformanceCounter(int64_t ticksPerSecond, int64_t count) {
  injectedCounter = CounterReading{ticksPerSecond, count};
}
void injectMillisecondTimer(uint32_t milliseconds) { injectedMilliseconds = milliseconds; }
}  // namespace testing

}  // namespace platform

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  if (platform::noCounter()) {
    frequency->QuadPart = 0;
    return FALSE;
  }
  const auto& injected = platform::injectedCounter;
  frequency->QuadPart = injected ? injected->ticksPerSecond
                                 : static_cast<LONGLONG>(SDL_GetPerformanceFrequency());
  return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) return FALSE;
  if (platform::noCounter()) {
    count->QuadPart = 0;
    return FALSE;
  }
  const auto& injected = platform::injectedCounter;
  count->QuadPart =
      injected ? injected->count : static_cast<LONGLONG>(SDL_GetPerformanceCounter());
  return TRUE;
}

DWORD WINAPI timeGetTime() {
  const auto& injected = platform::injectedMilliseconds;
  return injected ? *injected : static_cast<DWORD>(SDL_GetTicks64());
}
