// Bitmap fonts: wglUseFontBitmapsA, for the logical font selected into the
// device context (gdi32/logical_font.h).
//
// fontconfig plays the font mapper: it finds the face or substitutes the
// closest one it has ("Agency FB" becomes the default sans-serif face on most
// Linux systems). FreeType renders each glyph into a 1-bit bitmap, and each
// character becomes one display list that draws its glyph with glBitmap at the
// raster position and advances the raster position by the glyph's advance
// width.
//
// Heights mean what they mean to the Windows font mapper: a negative height is
// the character (em) height in pixels, a positive one the cell height (ascent
// plus descent), zero a default cell height.
//
// Not provided: outline fonts (wglUseFontOutlines). Character codes are taken
// as Latin-1, so the ANSI code page's punctuation at 0x80-0x9F does not map. A
// face that cannot be scaled to the requested height gives no glyphs.
#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi32.h"
#include "platform/gdi32/logical_font.h"
#include "platform/opengl32.h"

namespace platform {
namespace {

constexpr int kDefaultCellHeight = 16;
// Taller than any screen; refusing more keeps a wild height from rendering
// glyphs of gigabytes.
constexpr long kMaxPixelHeight = 4096;

struct FontconfigDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, FontconfigDeleter>;

struct FreeTypeDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<FT_LibraryRec_, FreeTypeDeleter>;
using Face = std::unique_ptr<FT_FaceRec_, FreeTypeDeleter>;

struct FaceFile {
  std::string path;
  int index = 0;
};

// The font mapper's choice: the installed face closest to the request,
// scalable faces preferred as OUT_TT_PRECIS asks.
std::optional<FaceFile> matchFace(const LogicalFont& font) {
  const Pattern pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  if (!font.faceName.empty()) {
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(font.faceName.c_str()));
  }
  if (font.weight != FW_DONTCARE) {
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(font.weight));
  }
  if (font.italic) FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ITALIC);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  const Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* path = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) {
    return std::nullopt;
  }
  FaceFile file{reinterpret_cast<const char*>(path), 0};
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &file.index);
  return file;
}

bool setHeight(FT_Face face, int height) {
  // In 64 bits, so that negating the most negative int is defined.
  const long pixels = height < 0 ? -static_cast<long>(height) : height;
  if (pixels > kMaxPixelHeight) return false;
  if (height < 0) return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) == 0;
  FT_Size_RequestRec request{};
  request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;  // ascent plus descent
  request.height = (height > 0 ? pixels : kDefaultCellHeight) * 64;
  return FT_Request_Size(face, &request) == 0;
}

// The rendered glyph's rows as glBitmap takes them: bottom row first, each
// row whole bytes with the leftmost pixel in the most significant bit, which
// is FreeType's 1-bit layout read upside down.
void packRows(const FT_Bitmap& bitmap, std::vector<GLubyte>& bits) {
  const size_t rowBytes = (bitmap.width + 7) / 8;
  const size_t stride = static_cast<size_t>(bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch);
  bits.resize(rowBytes * bitmap.rows);
  if (bits.empty()) return;
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    // A negative pitch means FreeType stored the rows bottom first already.
    const unsigned fromTop = bitmap.pitch < 0 ? row : bitmap.rows - 1 - row;
    std::memcpy(&bits[row * rowBytes], bitmap.buffer + fromTop * stride, rowBytes);
  }
}

// One character's display list. A glyph that cannot be rendered leaves its
// list empty and the result false.
bool compileGlyph(FT_Face face, DWORD code, GLuint list, std::vector<GLubyte>& bits) {
  // Index 0, the face's missing-glyph box, where the face lacks the character.
  const FT_UInt index = FT_Get_Char_Index(face, code);
  const bool rendered = FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) == 0;
  glNewList(list, GL_COMPILE);
  if (rendered) {
    const FT_GlyphSlot glyph = face->glyph;
    // Embedded grey or colour bitmaps are not 1-bit; such a glyph only advances.
    const bool mono = glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    const GLsizei width = mono ? static_cast<GLsizei>(glyph->bitmap.width) : 0;
    const GLsizei rows = mono ? static_cast<GLsizei>(glyph->bitmap.rows) : 0;
    bits.clear();
    if (mono) packRows(glyph->bitmap, bits);
    // Never a null bitmap, even for an empty glyph such as the space: some
    // drivers refuse one inside a display list (GL_OUT_OF_MEMORY) and drop
    // the glyph's advance with it.
    if (bits.empty()) bits.push_back(0);
    // The origin is the pen position relative to the bitmap's lower left corner.
    glBitmap(width, rows, static_cast<GLfloat>(-glyph->bitmap_left),
             static_cast<GLfloat>(rows - glyph->bitmap_top),
             static_cast<GLfloat>((glyph->advance.x + 32) >> 6), 0.0f, bits.data());
  }
  glEndList();
  return rendered;
}

}  // namespace
}  // namespace platform

BOOL WINAPI wglUseFontBitmapsA(HDC dc, DWORD first, DWORD count, DWORD listBase) {
  const platform::DeviceContext* context = platform::deviceContextFrom(dc);
  // Display lists need a current OpenGL context, which has a version string.
  if (!context || !glGetString(GL_VERSION)) return FALSE;
  const auto* font = dynamic_cast<const platform::LogicalFont*>(context->font);
  if (!font) return FALSE;

  const std::optional<platform::FaceFile> file = platform::matchFace(*font);
  FT_Library rawLibrary = nullptr;
  if (!file || FT_Init_FreeType(&rawLibrary) != 0) return FALSE;
  const platform::Library library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Face(library.get(), file->path.c_str(), file->index, &rawFace) != 0) return FALSE;
  const platform::Face face(rawFace);
  if (!platform::setHeight(face.get(), font->height)) return FALSE;

  // The bitmaps are copied into the lists under the unpack state of the
  // moment; the caller's state is put back afterwards.
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  std::vector<GLubyte> bits;
  bool allRendered = true;
  for (DWORD i = 0; i < count; ++i) {
    allRendered &= platform::compileGlyph(face.get(), first + i, listBase + i, bits);
  }
  glPopClientAttrib();
  return allRendered ? TRUE : FALSE;
}
