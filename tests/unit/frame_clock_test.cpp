// The frame clock on the performance counter and, forced through the seam, on the millisecond
// timer.
#include "app/frame_clock.h"

#include <gtest/gtest.h>

#include "platform/testing/testing.h"

namespace {

using namespace platform::testing;

// One frame as renderFrame runs it: measured after the present, the rate updated after the step.
void frame() { measureFrameTime(), updateFrameRate(); }

TEST(FrameClock, OnThePerformanceCounterTheRateIsSetEveryFiftiethFrameFromItsOwnReading) {
  injectPerformanceCounter(1000000, 0);
  startFrameClock();
  // 50 frames in 830 ms: 60 frames per second, rounded down from 60.24; the next block takes one
  // second, which the 32-bit msPerTick (0.0010000000475) makes 1000.00005 ms: 49.
  for (const auto& block : {std::make_pair(0, 60), std::make_pair(830000, 49)}) {
    for (int i = 1; i <= 50; ++i) {
      EXPECT_EQ(g_fps, block.first ? 60 : 0) << "frame " << i;
      injectPerformanceCounter(1000000, block.first + i * (block.first ? 20000 : 16600));
      frame();
    }
    EXPECT_EQ(g_fps, block.second);
  }
  EXPECT_EQ(g_frameSeconds, static_cast<float>(20000.0 * g_clock.msPerTick / 1000.0));
  injectPerformanceCounter(1000, 0);  // the rate update takes its own reading, not the frame's
  startFrameClock();
  g_frameCount = 49;
  for (int64_t ticks : {400, 500, 600}) {  // the 50th frame presented, its step done, the next
    injectPerformanceCounter(1000, ticks);
    ticks == 500 ? updateFrameRate() : measureFrameTime();
  }
  EXPECT_EQ(g_fps, 100);  // 50 frames in half a second
  EXPECT_FLOAT_EQ(g_frameSeconds, 0.2f);
}

TEST(FrameClock, WithoutACounterTheMillisecondTimerServesAcrossItsWrap) {
  forceFailure(Failure::NoPerformanceCounter);
  injectMillisecondTimer(0xFFFFFFF0u);
  startFrameClock();
  for (float seconds : {0.020f, 0.0f}) {  // 20 ms on, past 2^32; then under the resolution
    injectMillisecondTimer(0x00000004u);
    measureFrameTime();
    EXPECT_FLOAT_EQ(g_frameSeconds, seconds);
  }
  g_frameCount = 49;  // the block that began at the start ends exactly one second later: 50
  injectMillisecondTimer(0xFFFFFFF0u + 1000u);
  frame();
  EXPECT_EQ(g_fps, 50);
  for (int i = 0; i < 50; ++i) frame();  // a block measured as no time keeps the rate
  EXPECT_EQ(g_fps, 50);
  EXPECT_EQ(g_frameCount, 0);
}

}  // namespace
