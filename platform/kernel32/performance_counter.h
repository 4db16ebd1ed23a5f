// Inside the stand-in: the performance counter's readings and failure that a
// test can inject.
#pragma once

#include <cstdint>
#include <optional>

namespace platform {

struct CounterReading {
  int64_t ticksPerSecond;
  int64_t count;
};
// While there is one, the counter reports this reading instead of the clock.
extern std::optional<CounterReading> injectedCounter;
// While set, QueryPerformanceFrequency and QueryPerformanceCounter fail, as
// where there is no counter.
extern bool performanceCounterMissing;

}  // namespace platform
