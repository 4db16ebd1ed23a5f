// Where the heads-up display's lines fall on the screen: their raster
// positions lie on a plane 100 units in front of the eye, seen through the
// 45-degree perspective of the program.
#pragma once

#include <algorithm>
#include <cmath>

namespace e2e {

struct Box {
  int x0, y0, x1, y1;
};

// The screen box of the text line whose raster position is (x, y), for a
// display of the given size and a font of about height / 40 pixels.
inline Box hudLine(double x, double y, int width, int height) {
  const double halfHeight = 100.0 * std::tan(22.5 * M_PI / 180.0);
  const double halfWidth = halfHeight * width / height;
  const int left = static_cast<int>((1.0 + x / halfWidth) / 2.0 * width);
  const int baseline = static_cast<int>((1.0 - y / halfHeight) / 2.0 * height);
  const int glyph = width * 20 / 1024 + 2;
  return {left, baseline - glyph, std::min(width, left + width / 4), baseline + glyph / 3};
}

enum class HudLine { Fps, Vbo, Speed, Acceleration, Mode, Thruster, Power };

inline Box hudLine(HudLine line, int width, int height) {
  switch (line) {
    case HudLine::Fps: return hudLine(-54, 38, width, height);
    case HudLine::Vbo: return hudLine(-54, 35, width, height);
    case HudLine::Speed: return hudLine(33, 38, width, height);
    case HudLine::Acceleration: return hudLine(33, 35, width, height);
    case HudLine::Mode: return hudLine(33, 32, width, height);
    case HudLine::Thruster: return hudLine(33, 29, width, height);
    case HudLine::Power: return hudLine(33, 26, width, height);
  }
  return {};
}

}  // namespace e2e
