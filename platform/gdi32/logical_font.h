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

// The height and face name of the last font that CreateFontA made, which the
// test seam reads.
struct FontRequest {
  int height = 0;
  std::string faceName;
};
extern FontRequest lastFontCreated;

}  // namespace platform
