// The performance counter: QueryPerformanceFrequency, QueryPerformanceCounter,
// on SDL's high-resolution counter (the monotonic clock in nanoseconds on
// Linux).
#include <SDL2/SDL.h>

#include <optional>

#include "platform/kernel32.h"
#include "platform/testing/testing.h"

namespace platform {
namespace {

struct CounterReading {
  int64_t ticksPerSecond;
  int64_t count;
};
std::optional<CounterReading> injectedCounter;

bool noCounter() {
  return testing::isFailureForced(testing::Failure::NoPerformanceCounter);
}

}  // namespace

namespace testing {
void injectPerformanceCounter(int64_t ticksPerSecond, int64_t count) {
  injectedCounter = CounterReading{ticksPerSecond, count};
}
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
