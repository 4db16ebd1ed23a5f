// The bitmap font and the "Loading..." splash drawn with it, read back.
#include <gtest/gtest.h>

#include "platform/testing.h"
#include "render/font.h"
#include "render/splash.h"
#include "tests/support/text_on_screen.h"

namespace {

using FontTest = TextOnScreenTest;

TEST_F(FontTest, CharacterHeightFollowsTheDisplayWidthOnly) {
  const int cases[][2] = {{800, -15}, {1024, -20}, {1366, -26}, {1920, -37}};
  for (const auto& [width, height] : cases) {
    g_display.Width = width;
    g_display.Height = 480;
    buildFont();
    EXPECT_EQ(platform::testing::lastFontRequest().height, height) << width;
    EXPECT_EQ(platform::testing::lastFontRequest().faceName, "Agency FB");
    EXPECT_EQ(platform::testing::liveGdiObjects(), 0u) << "the font is selected out and deleted";
  }
}

TEST_F(FontTest, TheSplashIsWhiteLoadingLeftOfAndBelowTheCentreOnBlack) {
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(0.0f, 0.0f, 1.0f);
  glRecti(-1, -1, 1, 1);  // whatever was on screen goes
  buildFont();
  drawSplash();
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(glMatrix(GL_MODELVIEW_MATRIX), kIdentityMatrix);

  const std::vector<uint8_t> pixels = readPixels();
  const Ink white = ink(pixels, kWhite);
  EXPECT_EQ(white.count + ink(pixels, kBlack).count, kWidth * kHeight) << "white on black only";
  double x = 0, y = 0;
  windowPosition(-5.0f, -1.0f, x, y);
  ASSERT_LT(x, kWidth / 2);
  ASSERT_LT(y, kHeight / 2);
  // The text starts at its raster position and stands on that baseline
  // ("g" reaches below it), about 15 pixels high at a width of 800.
  EXPECT_NEAR(white.left, x, 3);
  const Ink capitalL = ink(pixels, kWhite, white.left, 0, white.left + 3, kHeight);
  EXPECT_NEAR(capitalL.bottom, y, 1);
  EXPECT_NEAR(capitalL.top - capitalL.bottom + 1, 11, 2);
  EXPECT_LT(white.bottom, capitalL.bottom);
  EXPECT_GT(white.right, white.left + 60);
}

}  // namespace
