// The heads-up display's lines: their texts, and in which colour and on which
// side they are drawn.
#include "render/hud.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/frame_clock.h"
#include "render/graphics.h"
#include "scene/scene_object.h"
#include "sim/body.h"
#include "sim/ship_controller.h"
#include "tests/support/gl_context.h"

namespace {

class HudTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    g_controller = &controller;
    g_vbo.supported = false;
  }
  void TearDown() override {
    g_controller = nullptr;
    g_fps = 0;
    GlContextTest::TearDown();
  }

  static std::vector<std::string> lines() {
    std::vector<std::string> texts(kHudLineCount);
    for (int line = 0; line < kHudLineCount; ++line) {
      char buffer[kHudLineSize];
      formatHudLine(HudLine(line), buffer, sizeof buffer);
      texts[line] = buffer;
    }
    return texts;
  }

  static std::vector<uint8_t> drawn() {
    glClear(GL_COLOR_BUFFER_BIT);
    drawHud();
    return readPixels();
  }

  SceneObject ship;
  Body body{0.2f, 9, 0.2f, 9};
  ShipController controller{&ship, &body};
};

TEST_F(HudTest, LinesFollowTheClockTheProbeAndTheShipInTheirFieldWidthsAndAreCutNeverOverrun) {
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
  controller.thruster = static_cast<Thruster>(6);
  EXPECT_EQ(lines()[kThrusterLine], "Thruster: ");

  body.velocity = {1e100, 0, 0};
  body.acceleration = {0, 1e40, 0};
  for (const HudLine line : {kSpeedLine, kAccelerationLine}) {
    char buffer[kHudLineSize + 8];
    std::memset(buffer, '#', sizeof buffer);
    formatHudLine(line, buffer, kHudLineSize);
    EXPECT_EQ(std::strlen(buffer), kHudLineSize - 1);
    EXPECT_EQ(std::string(buffer + kHudLineSize, 8), "########");
  }
}

// The buffer-object line, near the left edge, is the only one in red or
// green. The lines stand at fixed places in the view: at five to four the
// left column falls outside it.
TEST_F(HudTest, AtFourToThreeBothColumnsShowOnlyTheBufferObjectLineColouredAtFiveToFourTheRightOnly) {
  const std::vector<uint8_t> withoutBuffers = drawn();
  EXPECT_EQ(ink(withoutBuffers, kGreen), 0);
  EXPECT_GT(ink(withoutBuffers, kRed, 0, 160), 0);
  EXPECT_EQ(ink(withoutBuffers, kRed, 0, 160), ink(withoutBuffers, kRed));

  g_vbo.supported = true;
  std::vector<uint8_t> pixels = drawn();
  EXPECT_GT(ink(pixels, kGreen, 0, 160), 0);
  EXPECT_EQ(ink(pixels, kGreen, 0, 160), ink(pixels, kGreen));
  EXPECT_EQ(ink(pixels, kWhite) + ink(pixels, kGreen) + ink(pixels, kBlack), kWidth * kHeight);
  EXPECT_GT(ink(pixels, kWhite, 0, 400), 0);
  EXPECT_GT(ink(pixels, kWhite, 400), 0);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f) << "white is left current";

  glViewport(0, 0, 750, 600);  // 1.25, as 1280 x 1024
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.25, 0.01f, 1500000.0);
  glMatrixMode(GL_MODELVIEW);
  pixels = drawn();
  EXPECT_EQ(ink(pixels, kGreen) + ink(pixels, kWhite, 0, 375), 0);
  EXPECT_GT(ink(pixels, kWhite, 375), 0);
}

}  // namespace
