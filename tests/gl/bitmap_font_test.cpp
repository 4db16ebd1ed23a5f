#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32.h"
#include "tests/support/gl_context.h"

namespace {

struct Ink {
  int left = 1 << 30, right = -1, bottom = 1 << 30, top = -1;
  bool any() const { return right >= 0; }
  int height() const { return top - bottom + 1; }
};

class BitmapFontTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    dc_ = CreateCompatibleDC(nullptr);
    // Raster positions in window pixels.
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, kWidth, 0, kHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glColor3f(1, 1, 1);
  }
  void TearDown() override {
    DeleteDC(dc_);
    GlContextTest::TearDown();
  }

  // The 96 glyph lists of characters 32 to 127 for a font of this height,
  // made the way the program makes its font.
  GLuint buildGlyphs(int height) {
    const HFONT font =
        CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Agency FB");
    const HGDIOBJ previous = SelectObject(dc_, font);
    EXPECT_NE(previous, nullptr) << "a device context starts with a font selected";
    const GLuint base = glGenLists(96);
    EXPECT_TRUE(wglUseFontBitmapsA(dc_, 32, 96, base));
    EXPECT_EQ(SelectObject(dc_, previous), font);
    EXPECT_TRUE(DeleteObject(font));
    return base;
  }

  static void draw(GLuint base, int x, int y, const char* text) {
    glRasterPos2i(x, y);
    glListBase(base - 32);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
  }

  static float rasterX() {
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
  }

  Ink ink() const {
    const std::vector<uint8_t> pixels = readPixels();
    Ink ink;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (pixels[(y * kWidth + x) * 3] == 0) continue;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.bottom = std::min(ink.bottom, y);
        ink.top = std::max(ink.top, y);
      }
    }
    return ink;
  }

  HDC dc_ = nullptr;
};

TEST_F(BitmapFontTest, GlyphsStandOnTheBaselineAndAdvanceTheRasterPosition) {
  const GLuint base = buildGlyphs(-20);
  draw(base, 100, 100, "H");
  EXPECT_GT(rasterX(), 100.0f + 5);
  const Ink h = ink();
  ASSERT_TRUE(h.any());
  EXPECT_EQ(h.bottom, 100);
  EXPECT_GE(h.left, 100);
  // A capital is roughly three quarters of the character height.
  EXPECT_GE(h.height(), 12);
  EXPECT_LE(h.height(), 17);

  glClear(GL_COLOR_BUFFER_BIT);
  draw(base, 100, 100, "g");
  EXPECT_LT(ink().bottom, 100) << "a descender reaches below the baseline";

  glClear(GL_COLOR_BUFFER_BIT);
  draw(base, 100, 100, " ");
  EXPECT_GT(rasterX(), 100.0f);
  EXPECT_FALSE(ink().any());
}

TEST_F(BitmapFontTest, NegativeHeightIsTheCharacterHeightPositiveTheCellHeight) {
  const auto capitalHeight = [&](int height) {
    glClear(GL_COLOR_BUFFER_BIT);
    draw(buildGlyphs(height), 100, 100, "H");
    return ink().height();
  };
  const int character15 = capitalHeight(-15);
  const int character37 = capitalHeight(-37);
  const int cell37 = capitalHeight(37);
  EXPECT_NEAR(character37, character15 * 37.0 / 15.0, 3);
  // The cell includes the internal leading, so its characters are smaller.
  EXPECT_LT(cell37, character37);
}

TEST_F(BitmapFontTest, GlyphsDoNotDependOnTheCallersUnpackStateAndLeaveItAlone) {
  draw(buildGlyphs(-26), 100, 100, "Rg");
  const std::vector<uint8_t> expected = readPixels();

  glClear(GL_COLOR_BUFFER_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
  const GLuint base = buildGlyphs(-26);
  GLint alignment = 0, lsbFirst = 0, rowLength = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
  EXPECT_EQ(alignment, 8);
  EXPECT_EQ(lsbFirst, GL_TRUE);
  EXPECT_EQ(rowLength, 3);

  draw(base, 100, 100, "Rg");
  EXPECT_TRUE(readPixels() == expected) << "the glyphs differ";
}

TEST_F(BitmapFontTest, FailsWithoutADeviceContextOrACurrentOpenGLContext) {
  const GLuint base = glGenLists(96);
  EXPECT_FALSE(wglUseFontBitmapsA(nullptr, 32, 96, base));

  SDL_Window* window = SDL_GL_GetCurrentWindow();
  const SDL_GLContext context = SDL_GL_GetCurrentContext();
  SDL_GL_MakeCurrent(window, nullptr);
  EXPECT_FALSE(wglUseFontBitmapsA(dc_, 32, 96, base));
  SDL_GL_MakeCurrent(window, context);
}

}  // namespace
