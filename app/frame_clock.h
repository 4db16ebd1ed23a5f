// The frame clock: each frame's duration and the frame rate of every 50 frames.
#pragma once

#include <cstdint>

struct FrameClock {
  bool highResolution;
  float msPerTick;
  int64_t ticksPerSecond;
  int64_t lastFrameTicks;
  int64_t fpsStartTicks;
  int64_t nowTicks;
  uint32_t lastFrameMs;
  uint32_t fpsStartMs;
  uint32_t nowMs;
};

extern FrameClock g_clock;
extern float g_frameSeconds;
extern int32_t g_fps;
extern int32_t g_frameCount;

void startFrameClock();
void measureFrameTime();
void updateFrameRate();
