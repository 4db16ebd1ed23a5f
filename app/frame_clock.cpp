#include "app/frame_clock.h"

FrameClock g_clock;
float g_frameSeconds = 0.0f;
int32_t g_fps = 0;
int32_t g_frameCount = 0;
