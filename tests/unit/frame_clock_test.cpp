// The frame clock on the performance counter and, forced through the seam, on
// the millisecond timer, both driven with injected readings.
#include <gtest/gtest.h>

#include "app/frame_clock.h"
#include "platform/testing.h"

using platform::testing::injectMillisecondTimer;
using platform::testing::injectPerformanceCounter;

namespace {

// One frame as renderFrame runs it: measured after the present, the rate
// updated after the simulation step.
void frame() {
  measureFrameTime();
  updateFrameRate();
}

TEST(FrameClock, OnThePerformanceCounterTheRateIsSetEveryFiftiethFrame) {
  injectPerformanceCounter(1000000, 0);
  g_clock.nowMs = 9;  // every field starts from zero
  startFrameClock();
  EXPECT_TRUE(g_clock.highResolution);
  EXPECT_EQ(g_clock.nowMs, 0u);
  // The 32-bit float nearest 1000 / frequency, and every frame carries it.
  EXPECT_EQ(g_clock.msPerTick, static_cast<float>(1000.0 / 1000000.0));
  EXPECT_NE(double(g_clock.msPerTick), 1000.0 / 1000000.0);

  // 50 frames in 830 ms: 60 frames per second, rounded down from 60.24.
  for (int i = 1; i <= 49; ++i) {
    injectPerformanceCounter(1000000, i * 16600);
    frame();
    EXPECT_EQ(g_fps, 0) << "frame " << i;
  }
  EXPECT_EQ(g_frameCount, 49);
  injectPerformanceCounter(1000000, 830000);
  frame();
  EXPECT_EQ(g_fps, 60);
  EXPECT_EQ(g_frameCount, 0);
  EXPECT_EQ(g_frameSeconds, static_cast<float>(16600.0 * g_clock.msPerTick / 1000.0));

  // The rate holds until the next block ends. That block takes one second,
  // which the 32-bit msPerTick (0.0010000000475) makes 1000.00005 ms: 49.
  for (int i = 1; i <= 50; ++i) {
    injectPerformanceCounter(1000000, 830000 + i * 20000);
    frame();
    if (i < 50) EXPECT_EQ(g_fps, 60);
  }
  EXPECT_EQ(g_fps, 49);
}

TEST(FrameClock, WithoutACounterTheMillisecondTimerServesAcrossItsWrap) {
  platform::testing::forceFailure(platform::testing::Failure::NoPerformanceCounter);
  injectMillisecondTimer(0xFFFFFFF0u);
  startFrameClock();
  EXPECT_FALSE(g_clock.highResolution);
  injectMillisecondTimer(0x00000004u);  // 20 ms later, past 2^32
  measureFrameTime();
  EXPECT_FLOAT_EQ(g_frameSeconds, 0.020f);
  // A frame shorter than the timer's resolution measures 0, the next one the
  // time accumulated.
  measureFrameTime();
  EXPECT_EQ(g_frameSeconds, 0.0f);
  injectMillisecondTimer(0x00000015u);
  measureFrameTime();
  EXPECT_FLOAT_EQ(g_frameSeconds, 0.017f);
  // The block that began at the start ends exactly one second later: 50.
  g_frameCount = 49;
  injectMillisecondTimer(0xFFFFFFF0u + 1000u);
  frame();
  EXPECT_EQ(g_fps, 50);
}

TEST(FrameClock, ABlockMeasuredAsNoTimeKeepsThePreviousRate) {
  platform::testing::forceFailure(platform::testing::Failure::NoPerformanceCounter);
  injectMillisecondTimer(500);
  startFrameClock();
  g_fps = 42;
  for (int i = 0; i < 50; ++i) frame();
  EXPECT_EQ(g_fps, 42);
  EXPECT_EQ(g_frameCount, 0);
}

}  // namespace
