#include "app/frame_clock.h"

#include <algorithm>

#include "platform/win32.h"

FrameClock g_clock;
float g_frameSeconds = 0.0f;
int32_t g_fps = 0;
int32_t g_frameCount = 0;

namespace {

constexpr int32_t kFramesPerRate = 50;

// The average rate of a block of 50 frames, rounded down. A block measured as
// no time at all (possible with the millisecond timer) keeps the rate it had.
void setFrameRate(double elapsedMs) {
  if (elapsedMs <= 0.0) return;
  const double rate = kFramesPerRate * 1000.0 / elapsedMs;
  g_fps = static_cast<int32_t>(std::min(rate, double(INT32_MAX)));
}

}  // namespace

void startFrameClock() {
  g_clock = FrameClock{};
  LARGE_INTEGER frequency;
  g_clock.highResolution = QueryPerformanceFrequency(&frequency) != 0;
  if (g_clock.highResolution) {
    g_clock.ticksPerSecond = frequency.QuadPart;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    g_clock.lastFrameTicks = now.QuadPart;
    g_clock.fpsStartTicks = g_clock.lastFrameTicks;
    g_clock.msPerTick = static_cast<float>(1000.0 / static_cast<double>(g_clock.ticksPerSecond));
  } else {
    g_clock.lastFrameMs = timeGetTime();
    g_clock.fpsStartMs = g_clock.lastFrameMs;
  }
}

void measureFrameTime() {
  ++g_frameCount;
  if (g_clock.highResolution) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    g_clock.nowTicks = now.QuadPart;
    const int64_t elapsed = g_clock.nowTicks - g_clock.lastFrameTicks;
    g_frameSeconds = static_cast<float>(static_cast<double>(elapsed) * g_clock.msPerTick / 1000.0);
    g_clock.lastFrameTicks = g_clock.nowTicks;
  } else {
    g_clock.nowMs = timeGetTime();
    const uint32_t elapsed = g_clock.nowMs - g_clock.lastFrameMs;  // right across the wrap
    g_frameSeconds = static_cast<float>(elapsed / 1000.0);
    g_clock.lastFrameMs = g_clock.nowMs;
  }
}

void updateFrameRate() {
  if (g_frameCount != kFramesPerRate) return;
  if (g_clock.highResolution) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    g_clock.nowTicks = now.QuadPart;
    setFrameRate(static_cast<double>(g_clock.nowTicks - g_clock.fpsStartTicks) * g_clock.msPerTick);
    g_clock.fpsStartTicks = g_clock.nowTicks;
  } else {
    g_clock.nowMs = timeGetTime();
    setFrameRate(g_clock.nowMs - g_clock.fpsStartMs);
    g_clock.fpsStartMs = g_clock.nowMs;
  }
  g_frameCount = 0;
}
