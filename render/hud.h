// The heads-up display over every frame: frame rate, buffer-object support,
// the ship's speed and acceleration, and the flight controls.
#pragma once

#include <cstddef>

// The lines, top left column first, then the right column from the top.
enum HudLine : int {
  kFrameRateLine,
  kBufferObjectLine,
  kSpeedLine,
  kAccelerationLine,
  kVelocityRotatingLine,
  kThrusterLine,
  kPowerLine,
  kHudLineCount
};

// The one line buffer's size, terminating zero included.
constexpr size_t kHudLineSize = 52;

// Writes the text of one line into text, cut short to fit size bytes.
void formatHudLine(HudLine line, char* text, size_t size);
// Draws the seven lines over the finished frame, with depth test and
// texturing off meanwhile; the current colour is white afterwards.
void drawHud();
