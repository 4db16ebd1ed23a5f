#include <gtest/gtest.h>

#include "app/display_settings.h"
#include "platform/testing.h"
#include "sim/flight_input.h"
#include "sim/ship_controller.h"
#include "sim/simulation_step.h"
#include "tests/support/test_world.h"

namespace {

using platform::testing::injectCursorPos;
using platform::testing::injectKeyState;

struct FlightInputTest : ::testing::Test {
  void SetUp() override {
    g_display = {800, 600, 32, 60};
    g_controller = &controller;
    g_steering = false;
    injectCursorPos(400, 300);
  }
  void TearDown() override { g_controller = nullptr; }

  // One poll with the cursor moved by (dx, dy) from the centre since the last.
  void pollAfterMoving(int dx, int dy) {
    injectCursorPos(400 + dx, 300 + dy);
    pollFlightInput();
  }
  POINT cursor() {
    POINT p{};
    GetCursorPos(&p);
    return p;
  }

  TestWorld world;
  Body& body = world.add({}, 0.2f, 9);
  ShipController controller{body.sceneObject, &body};
};

TEST_F(FlightInputTest, LeftButtonMotionPitchesAndYawsOrRollsWithTheMiddleButton) {
  injectKeyState(VK_LBUTTON, true);
  pollAfterMoving(20, -30);
  EXPECT_EQ(body.angularAcceleration[0], -3.0f);
  EXPECT_EQ(body.angularAcceleration[1], 2.0f);
  EXPECT_EQ(body.angularAcceleration[2], 0.0f);
  EXPECT_TRUE(g_steering);
  EXPECT_TRUE(controller.rotating);

  body.angularAcceleration[0] = body.angularAcceleration[1] = 0;
  injectKeyState(VK_MBUTTON, true);
  pollAfterMoving(20, -30);
  EXPECT_EQ(controller.rotationCommand[2], 2.0f);
  EXPECT_EQ(body.angularAcceleration[2], 2.0f);
  EXPECT_EQ(body.angularAcceleration[0], -3.0f);  // only the earlier command, again
}

TEST_F(FlightInputTest, SuccessivePollsAccumulateTheCommand) {
  injectKeyState(VK_LBUTTON, true);
  pollAfterMoving(10, 0);
  EXPECT_EQ(controller.rotationCommand[1], 1.0f);
  EXPECT_EQ(body.angularAcceleration[1], 1.0f);
  applyGravity();  // the next step starts from zero
  pollAfterMoving(10, 0);
  EXPECT_EQ(controller.rotationCommand[1], 2.0f);
  EXPECT_EQ(body.angularAcceleration[1], 2.0f);
}

TEST_F(FlightInputTest, MotionWithTheLeftButtonUpIsLostAndTheCursorRecentred) {
  g_display.Width = 801;  // an odd width rounds the centre down
  g_display.Height = 601;
  injectCursorPos(500, 200);
  pollFlightInput();
  EXPECT_EQ(cursor().x, 400);
  EXPECT_EQ(cursor().y, 300);
  EXPECT_EQ(body.angularAcceleration[0] + body.angularAcceleration[1], 0.0f);
  EXPECT_FALSE(controller.rotating);
}

TEST_F(FlightInputTest, ReleasingTheLeftButtonStartsStabilisingOnce) {
  injectKeyState(VK_LBUTTON, true);
  pollFlightInput();
  injectKeyState(VK_LBUTTON, false);
  pollFlightInput();
  EXPECT_TRUE(controller.stabilising);
  EXPECT_FALSE(g_steering);
  controller.update(0.01f);  // nothing turns, so it ends at once
  EXPECT_FALSE(controller.stabilising);
  pollFlightInput();
  EXPECT_FALSE(controller.stabilising);
}

TEST_F(FlightInputTest, PowerMovesInHundredthsAndEndsExactlyAtItsLimits) {
  injectKeyState('F', true);
  for (int k = 0; k < 10; ++k) pollFlightInput();
  EXPECT_EQ(controller.power, 1.4901161e-08f);
  pollFlightInput();
  EXPECT_EQ(controller.power, 0.0f);
  pollFlightInput();
  EXPECT_EQ(controller.power, 0.0f);

  injectKeyState('F', false);
  injectKeyState('R', true);
  controller.power = 0.1f;
  for (int k = 0; k < 90; ++k) pollFlightInput();
  EXPECT_EQ(controller.power, 0.99999934f);
  pollFlightInput();
  EXPECT_EQ(controller.power, 1.0f);
  pollFlightInput();
  EXPECT_EQ(controller.power, 1.0f);
}

TEST_F(FlightInputTest, EachThrusterPushesAwayFromTheSideItIsNamedFor) {
  const Vector3 expected[] = {{0, 0, -1}, {0, 0, 1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  injectKeyState(VK_LBUTTON, true);
  injectKeyState(VK_RBUTTON, true);
  for (uint8_t thruster = Main; thruster <= Dorsal; ++thruster) {
    controller.thruster = thruster;
    body.acceleration = Vector3();
    pollFlightInput();
    EXPECT_EQ(body.acceleration, expected[thruster] * static_cast<double>(0.1f)) << int(thruster);
  }
  EXPECT_EQ(controller.rotationCommand[0] + controller.rotationCommand[1], 0.0f);
}

TEST_F(FlightInputTest, EscapeHeldPostsOneCloseRequestPerPoll) {
  injectKeyState(VK_ESCAPE, true);
  for (int k = 0; k < 3; ++k) pollFlightInput();
  int closes = 0;
  for (const MSG& message : platform::testing::postedMessages()) closes += message.message == WM_CLOSE;
  EXPECT_EQ(closes, 3);
}

TEST_F(FlightInputTest, ThrustActsInThePolledStepOnlyAndAZeroStepMovesNothing) {
  injectKeyState(VK_LBUTTON, true);
  injectKeyState(VK_RBUTTON, true);
  stepSimulation(0.0f);
  EXPECT_EQ(*body.position, Vector3());
  EXPECT_EQ(body.velocity, Vector3());
  EXPECT_EQ(body.acceleration, Vector3(0, 0, -1) * static_cast<double>(0.1f));

  stepSimulation(1.0f);
  EXPECT_EQ(body.velocity, Vector3(0, 0, -1) * static_cast<double>(0.1f));
  injectKeyState(VK_RBUTTON, false);
  stepSimulation(1.0f);  // no thrust polled: the velocity stays
  EXPECT_EQ(body.acceleration, Vector3());
  EXPECT_EQ(body.velocity, Vector3(0, 0, -1) * static_cast<double>(0.1f));
}

TEST_F(FlightInputTest, AssistsActBeforeTheBodiesMove) {
  controller.velocityRotating = true;
  controller.rotating = true;
  body.velocity = {0, 0, 2};  // drifting backwards
  stepSimulation(0.5f);
  // Realigned along the nose before integration moved the body.
  EXPECT_EQ(body.velocity, Vector3(0, 0, -2));
  EXPECT_EQ(*body.position, Vector3(0, 0, -1));
}

}  // namespace
