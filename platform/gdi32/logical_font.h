// Inside the stand-in: a font as CreateFontA makes it, a logical request that
// is matched to an installed face only when its glyphs are needed
// (wglUseFontBitmapsA, opengl32/bitmap_font.cpp).
#pragma once

#include <string>

#include "platform/gdi32/gdi_objects.h"

namespace platform {

struct LogicalFont : GdiObject {
  LogicalFont(int height, int weight, bool italic, std::string faceName)
      : GdiObject(Kind::Font),
        height(height),
        weight(weight),
        italic(italic),
        faceName(std::move(faceName)) {}
  const int height;
  const int weight;
  const bool italic;
  const std::string faceName;
};

}  // namespace platform
