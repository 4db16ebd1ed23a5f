#include <gtest/gtest.h>

#include "platform/testing.h"
#include "render/font.h"
#include "tests/support/text_on_screen.h"

namespace {

using FontTest = TextOnScreenTest;

TEST_F(FontTest, CharacterHeightFollowsTheDisplayWidthOnly) {
  const struct {
    int32_t width;
    int height;
  } cases[] = {{800, -15}, {1024, -20}, {1366, -26}, {1920, -37}};
  for (const auto& c : cases) {
    g_display.Width = c.width;
    g_display.Height = 480;
    buildFont();
    EXPECT_EQ(platform::testing::lastFontRequest().height, c.height) << c.width;
    EXPECT_EQ(platform::testing::lastFontRequest().faceName, "Agency FB");
    EXPECT_EQ(platform::testing::liveGdiObjects(), 0u) << "the font is selected out and deleted";
  }
}

TEST_F(FontTest, EmptyStringLeavesTheRasterPositionAndTheListBase) {
  buildFont();
  glTranslatef(0.0f, 0.0f, -100.0f);
  glRasterPos2f(-5.0f, -1.0f);
  GLfloat before[4], after[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
  printText("");
  glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(after[i], before[i]);

  glListBase(7);
  printText("AB");
  glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
  EXPECT_GT(after[0], before[0] + 10.0f);
  EXPECT_EQ(after[1], before[1]);
  GLint base = 0;
  glGetIntegerv(GL_LIST_BASE, &base);
  EXPECT_EQ(base, 7);
  EXPECT_GT(ink(readPixels(), kWhite).count, 0);
}

TEST_F(FontTest, WithoutAFontNothingIsDrawnThroughOtherLists) {
  // Lists that are not glyphs, each of which would move the raster position.
  const GLuint others = glGenLists(200);
  for (GLuint list = others; list < others + 200; ++list) {
    glNewList(list, GL_COMPILE);
    glBitmap(0, 0, 0, 0, 10, 0, nullptr);
    glEndList();
  }
  glRasterPos2f(0.0f, 0.0f);
  GLfloat before[4], after[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
  printText("Loading...");
  glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
  EXPECT_EQ(after[0], before[0]);
}

}  // namespace
