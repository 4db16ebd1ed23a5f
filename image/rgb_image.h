// A decoded picture: 24-bit RGB pixels in tightly packed rows.
#pragma once

#include <cstdint>

struct RgbImage {
  int32_t width;   // pixels per row
  int32_t height;  // rows
  // width x height x 3 bytes: red, green, blue per pixel, rows without
  // padding, bottom row first. Allocated with malloc; the owner frees it,
  // then the record.
  uint8_t* data;
};
