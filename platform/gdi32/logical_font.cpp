// Fonts: CreateFontA. A font is a logical request (height, weight, italic,
// face name), as on Windows, kept as it was asked for; it is matched to an
// installed face only when its glyphs are needed (wglUseFontBitmapsA,
// opengl32/bitmap_font.cpp, which also says what the height means).
//
// Not provided: widths other than 0 (glyphs keep their natural proportions),
// escapement and orientation, underline and strike-out, reading a font back
// (GetObject).
#include "platform/gdi32/logical_font.h"

#include <cstring>
#include <string>

#include "platform/gdi32.h"

namespace platform {

FontRequest lastFontCreated;

namespace {

// A face name is at most LF_FACESIZE (32) characters with its terminator.
constexpr size_t kMaxFaceName = 31;

}  // namespace
}  // namespace platform

HFONT WINAPI CreateFontA(int height, int, int, int, int weight, DWORD italic, DWORD, DWORD, DWORD,
                         DWORD, DWORD, DWORD, DWORD, LPCSTR faceName) {
  std::string face =
      faceName ? std::string(faceName, strnlen(faceName, platform::kMaxFaceName)) : std::string();
  platform::lastFontCreated = {height, face};
  auto* font = new platform::LogicalFont(height, weight, italic != 0, std::move(face));
  return static_cast<HFONT>(platform::handleOf(font));
}
