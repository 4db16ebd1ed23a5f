#include <gtest/gtest.h>

#include "render/hud.h"
#include "sim/ship_controller.h"
#include "tests/support/test_world.h"
#include "tests/support/text_on_screen.h"

namespace {

class HudTest : public TextOnScreenTest {
 protected:
  void SetUp() override {
    TextOnScreenTest::SetUp();
    g_controller = &controller;
    buildFont();
  }
  void TearDown() override {
    g_controller = nullptr;
    g_vbo = VboSupport{};
    TextOnScreenTest::TearDown();
  }

  // The pixels of a colour in the band where a line at this raster position
  // stands, from a little below its baseline to above its capitals.
  Ink lineInk(const std::vector<uint8_t>& pixels, float x, float y, Colour colour) const {
    double windowX = 0, windowY = 0;
    windowPosition(x, y, windowX, windowY);
    const int left = static_cast<int>(windowX), baseline = static_cast<int>(windowY);
    return ink(pixels, colour, left - 2, baseline - 5, left + 250, baseline + 16);
  }

  TestWorld world;
  Body& body = world.add({}, 0.2f, 9);
  ShipController controller{body.sceneObject, &body};
};

struct Expected {
  float x, y;
};
constexpr Expected kLeftColumn[] = {{-54, 38}, {-54, 35}};
constexpr Expected kRightColumn[] = {{33, 38}, {33, 35}, {33, 32}, {33, 29}, {33, 26}};

TEST_F(HudTest, AtFourToThreeEveryLineStandsAtItsPlaceInItsColour) {
  g_vbo.supported = true;
  glClear(GL_COLOR_BUFFER_BIT);
  drawHud();

  const std::vector<uint8_t> pixels = readPixels();
  const Ink white = ink(pixels, kWhite), green = ink(pixels, kGreen), black = ink(pixels, kBlack);
  EXPECT_EQ(white.count + green.count + black.count, kWidth * kHeight);
  const Ink frameRate = lineInk(pixels, kLeftColumn[0].x, kLeftColumn[0].y, kWhite);
  const Ink vbo = lineInk(pixels, kLeftColumn[1].x, kLeftColumn[1].y, kGreen);
  EXPECT_GT(frameRate.count, 0);
  EXPECT_EQ(vbo.count, green.count) << "only the buffer-object line is green";
  EXPECT_LT(vbo.left, 20) << "near the left edge";
  for (const Expected& line : kRightColumn) {
    double windowX = 0, windowY = 0;
    windowPosition(line.x, line.y, windowX, windowY);
    const Ink text = lineInk(pixels, line.x, line.y, kWhite);
    EXPECT_GT(text.count, 0) << line.y;
    EXPECT_NEAR(text.left, windowX, 3) << line.y;
    EXPECT_GE(text.top, windowY + 8) << line.y;
  }

  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f) << "white is left current";
}

TEST_F(HudTest, WithoutBufferObjectsTheSecondLineIsRed) {
  glClear(GL_COLOR_BUFFER_BIT);
  drawHud();
  const std::vector<uint8_t> pixels = readPixels();
  EXPECT_EQ(ink(pixels, kGreen).count, 0);
  const Ink red = ink(pixels, kRed);
  EXPECT_GT(red.count, 0);
  EXPECT_EQ(lineInk(pixels, kLeftColumn[1].x, kLeftColumn[1].y, kRed).count, red.count);
}

TEST_F(HudTest, AtFiveToFourTheLeftColumnFallsOutsideTheViewAndIsNotDrawn) {
  g_vbo.supported = true;
  setPerspective(750, 600);  // 1.25, as 1280 x 1024
  glClear(GL_COLOR_BUFFER_BIT);
  drawHud();
  const std::vector<uint8_t> pixels = readPixels();
  EXPECT_EQ(ink(pixels, kGreen).count, 0);
  EXPECT_EQ(ink(pixels, kWhite, 0, 0, 375, kHeight).count, 0);
  for (const Expected& line : kRightColumn) {
    EXPECT_GT(lineInk(pixels, line.x, line.y, kWhite).count, 0) << line.y;
  }
}

}  // namespace
