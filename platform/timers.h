// kernel32's performance counter and winmm's millisecond timer.
#pragma once

#include "platform/types.h"

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency);
BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count);
DWORD WINAPI timeGetTime();
