// Where the splash's and the heads-up display's texts fall on the screen: their raster positions
// lie on a plane 100 units in front of the eye, seen through the 45-degree perspective of the
// program, in a font of about width / 50 pixels.
#pragma once

#include <algorithm>
#include <cmath>

#include "render/hud.h"

namespace e2e {

struct Box {
  int x0, y0, x1, y1;
};

// Where text drawn from a raster point of that plane falls on a screen.
inline Box textBox(double x, double y, int width, int height) {
  const double halfHeight = 100.0 * std::tan(22.5 * M_PI / 180.0);
  const double halfWidth = halfHeight * width / height;
  const int left = static_cast<int>((1.0 + x / halfWidth) / 2.0 * width);
  const int baseline = static_cast<int>((1.0 - y / halfHeight) / 2.0 * height);
  const int glyph = width * 20 / 1024 + 2;
  return {left, baseline - glyph, std::min(width, left + width / 4), baseline + glyph / 3};
}

inline Box hudLine(HudLine line, int width, int height) {
  return textBox(kHudRasterPositions[line].x, kHudRasterPositions[line].y, width, height);
}

}  // namespace e2e
