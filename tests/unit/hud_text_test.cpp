#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/frame_clock.h"
#include "render/graphics.h"
#include "render/hud.h"
#include "sim/ship_controller.h"
#include "tests/support/test_world.h"

namespace {

struct HudTextTest : ::testing::Test {
  HudTextTest() { g_controller = &controller; }
  ~HudTextTest() override {
    g_controller = nullptr;
    g_fps = 0;
    g_vbo = VboSupport{};
  }

  static std::string text(HudLine line) {
    char buffer[kHudLineSize];
    formatHudLine(line, buffer, sizeof buffer);
    return buffer;
  }

  TestWorld world;
  Body& body = world.add({}, 0.2f, 9);
  ShipController controller{body.sceneObject, &body};
};

TEST_F(HudTextTest, AtStartEveryLineShowsItsFieldWidths) {
  EXPECT_EQ(text(kFrameRateLine), "0 FPS");
  EXPECT_EQ(text(kBufferObjectLine), "VBO not supported");
  EXPECT_EQ(text(kSpeedLine), "v =   0.000 km/s");
  EXPECT_EQ(text(kAccelerationLine), "a =  0.00000 km/s^2");
  EXPECT_EQ(text(kVelocityRotatingLine), "Vel. Rotating: inactive");
  EXPECT_EQ(text(kThrusterLine), "Thruster: main");
  EXPECT_EQ(text(kPowerLine), "Power:  10%");
}

TEST_F(HudTextTest, LinesFollowTheClockTheProbeAndTheShip) {
  g_fps = 60;
  g_vbo.supported = true;
  body.velocity = {0, 3, 4};          // 5 units per second
  body.acceleration = {0, 0, -1e-3};  // 0.1274 km/s^2
  controller.velocityRotating = true;
  controller.thruster = Starboard;
  controller.power = 1.0f;
  EXPECT_EQ(text(kFrameRateLine), "60 FPS");
  EXPECT_EQ(text(kBufferObjectLine), "VBO supported");
  EXPECT_EQ(text(kSpeedLine), "v =  637.000 km/s");
  EXPECT_EQ(text(kAccelerationLine), "a =  0.12740 km/s^2");
  EXPECT_EQ(text(kVelocityRotatingLine), "Vel. Rotating: active");
  EXPECT_EQ(text(kThrusterLine), "Thruster: starboard");
  EXPECT_EQ(text(kPowerLine), "Power:  100%");
  controller.thruster = 6;
  EXPECT_EQ(text(kThrusterLine), "Thruster: ");
}

TEST_F(HudTextTest, ANumberTooLongForTheBufferIsCutNeverWrittenPast) {
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

}  // namespace
