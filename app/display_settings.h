// The display mode that the program asks for, read from the registry.
#pragma once

#include <cstdint>

struct DisplaySettings {
  int32_t Width;
  int32_t Height;
  int32_t BitsPerPixel;
  int32_t Frequency;
};

extern DisplaySettings g_display;

// Fills g_display from the registry; a value that cannot be read takes its
// default, and so do all the values after it.
void readDisplaySettings();
