// The heads-up display's lines: their texts, and where and in which colour
// they are drawn.
#include "render/hud.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/frame_clock.h"
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
    g_fps = 0;
    g_vbo = VboSupport{};
    TextOnScreenTest::TearDown();
  }

  // Every line's text, in order.
  static std::vector<std::string> lines() {
    std::vector<std::string> texts;
    for (int line = 0; line < kHudLineCount; ++line) {
      char buffer[kHudLineSize];
      formatHudLine(HudLine(line), buffer, sizeof buffer);
      texts.push_back(buffer);
    }
    return texts;
  }

  // The HUD drawn over a cleared frame, read back.
  std::vector<uint8_t> drawn() {
    glClear(GL_COLOR_BUFFER_BIT);
    drawHud();
    return readPixels();
  }

  // The pixels of a colour in the band where a line at this raster position
  // stands, from a little below its baseline to above its capitals.
  static Ink lineInk(const std::vector<uint8_t>& pixels, float x, float y, Colour colour) {
    double windowX = 0, windowY = 0;
    windowPosition(x, y, windowX, windowY);
    const int left = static_cast<int>(windowX), baseline = static_cast<int>(windowY);
    return ink(pixels, colour, left - 2, baseline - 5, left + 250, baseline + 16);
  }

  TestWorld world;
  Body& body = world.add({}, 0.2f, 9);
  ShipController controller{body.sceneObject, &body};
};

TEST_F(HudTest, LinesFollowTheClockTheProbeAndTheShipInTheirFieldWidths) {
  EXPECT_EQ(lines(), (std::vector<std::string>{"0 FPS", "VBO not supported", "v =   0.000 km/s",
                                                "a =  0.00000 km/s^2", "Vel. Rotating: inactive", "Thruster: main",
                                                "Power:  10%"}));
  g_fps = 60;
  g_vbo.supported = true;
  body.velocity = {0, 3, 4};          // 5 units per second
  body.acceleration = {0, 0, -1e-3};  // 0.1274 km/s^2
  controller.velocityRotating = true;
  controller.thruster = Starboard;
  controller.power = 1.0f;
  EXPECT_EQ(lines(), (std::vector<std::string>{"60 FPS", "VBO supported", "v =  637.000 km/s", "a =  0.12740 km/s^2",
                                                "Vel. Rotating: active", "Thruster: starboard", "Power:  100%"}));
  controller.thruster = 6;
  EXPECT_EQ(lines()[kThrusterLine], "Thruster: ");
}

TEST_F(HudTest, ANumberTooLongForTheBufferIsCutNeverWrittenPast) {
  body.velocity = {1e100, 0, 0};
  body.acceleration = {0, 1e40, 0};
  for (const HudLine line : {kSpeedLine, kAccelerationLine}) {
    char buffer[kHudLineSize + 8];
    std::memset(buffer, '#', sizeof buffer);
    formatHudLine(line, buffer, kHudLineSize);
    EXPECT_EQ(std::strlen(buffer), kHudLineSize - 1);
    EXPECT_EQ(std::string(buffer + kHudLineSize, 8), "########");
    EXPECT_EQ(std::string(buffer, 5), line == kSpeedLine ? "v =  " : "a =  ");
  }
}

// Raster positions of the lines: frame rate and buffer objects on the left,
// the ship's five on the right.
constexpr float kLeftX = -54, kFrameRateY = 38, kBufferObjectY = 35, kRightX = 33;
constexpr float kRightColumnY[] = {38, 35, 32, 29, 26};

TEST_F(HudTest, AtFourToThreeEveryLineStandsAtItsPlaceInItsColour) {
  g_vbo.supported = true;
  const std::vector<uint8_t> pixels = drawn();
  const Ink white = ink(pixels, kWhite), green = ink(pixels, kGreen), black = ink(pixels, kBlack);
  EXPECT_EQ(white.count + green.count + black.count, kWidth * kHeight);
  EXPECT_GT(lineInk(pixels, kLeftX, kFrameRateY, kWhite).count, 0);
  const Ink vbo = lineInk(pixels, kLeftX, kBufferObjectY, kGreen);
  EXPECT_EQ(vbo.count, green.count) << "only the buffer-object line is green";
  EXPECT_LT(vbo.left, 20) << "near the left edge";
  for (const float y : kRightColumnY) {
    double windowX = 0, windowY = 0;
    windowPosition(kRightX, y, windowX, windowY);
    const Ink text = lineInk(pixels, kRightX, y, kWhite);
    EXPECT_GT(text.count, 0) << y;
    EXPECT_NEAR(text.left, windowX, 3) << y;
    EXPECT_GE(text.top, windowY + 8) << y;
  }
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f) << "white is left current";
}

TEST_F(HudTest, WithoutBufferObjectsTheSecondLineIsRed) {
  const std::vector<uint8_t> pixels = drawn();
  EXPECT_EQ(ink(pixels, kGreen).count, 0);
  const Ink red = ink(pixels, kRed);
  EXPECT_GT(red.count, 0);
  EXPECT_EQ(lineInk(pixels, kLeftX, kBufferObjectY, kRed).count, red.count);
}

TEST_F(HudTest, AtFiveToFourTheLeftColumnFallsOutsideTheViewAndIsNotDrawn) {
  g_vbo.supported = true;
  setPerspective(750, 600);  // 1.25, as 1280 x 1024
  const std::vector<uint8_t> pixels = drawn();
  EXPECT_EQ(ink(pixels, kGreen).count, 0);
  EXPECT_EQ(ink(pixels, kWhite, 0, 0, 375, kHeight).count, 0);
  for (const float y : kRightColumnY) EXPECT_GT(lineInk(pixels, kRightX, y, kWhite).count, 0) << y;
}

}  // namespace
