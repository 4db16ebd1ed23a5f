#include <gtest/gtest.h>

#include "render/font.h"
#include "render/splash.h"
#include "tests/support/text_on_screen.h"

namespace {

using SplashTest = TextOnScreenTest;

TEST_F(SplashTest, WhiteLoadingLeftOfAndBelowTheCentreOnBlack) {
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(0.0f, 0.0f, 1.0f);
  glRecti(-1, -1, 1, 1);  // whatever was on screen goes
  buildFont();
  drawSplash();

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  float modelview[16];
  readMatrix(GL_MODELVIEW_MATRIX, modelview);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0f : 0.0f) << i;

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
