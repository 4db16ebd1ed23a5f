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

// Where each line's text starts: points of the plane 100 units in front of
// the eye, where the visible half-height is about 41.4 units. The left column
// shows only on displays wider than 54 / 41.4 (about 1.3 : 1).
struct RasterPosition {
  float x, y;
};
constexpr RasterPosition kHudRasterPositions[kHudLineCount] = {
    {-54.0f, 38.0f}, {-54.0f, 35.0f}, {33.0f, 38.0f}, {33.0f, 35.0f},
    {33.0f, 32.0f},  {33.0f, 29.0f},  {33.0f, 26.0f},
};

// The one line buffer's size, terminating zero included.
constexpr size_t kHudLineSize = 52;

// Writes the text of one line into text, cut short to fit size bytes.
void formatHudLine(HudLine line, char* text, size_t size);
// Draws the seven lines over the finished frame, with depth test and
// texturing off meanwhile; the current colour is white afterwards.
void drawHud();
