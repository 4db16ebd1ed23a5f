// The performance counter: QueryPerformanceFrequency, QueryPerformanceCounter,
// on SDL's high-resolution counter (the monotonic clock in nanoseconds on
// Linux).
#include "platform/kernel32/performance_counter.h"

#include <SDL2/SDL.h>

#include "platform/kernel32.h"

namespace platform {

std::optional<CounterReading> injectedCounter;
bool performanceCounterMissing = false;

}  // namespace platform

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  if (platform::performanceCounterMissing) {
    frequency->QuadPart = 0;
    return FALSE;
  }
  const auto& injected = platform::injectedCounter;
  frequency->QuadPart =
      injected ? injected->ticksPerSecond : static_cast<LONGLONG>(SDL_GetPerformanceFrequency());
  return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) return FALSE;
  if (platform::performanceCounterMissing) {
    count->QuadPart = 0;
    return FALSE;
  }
  const auto& injected = platform::injectedCounter;
  count->QuadPart = injected ? injected->count : static_cast<LONGLONG>(SDL_GetPerformanceCounter());
  return TRUE;
}
