// The ship controller and the pilot's input, injected through the stand-in's seam, and their place
// in the step.
#include <gtest/gtest.h>
#include <tuple>

#include "app/display_settings.h"
#include "platform/testing/testing.h"
#include "sim/flight_input.h"
#include "sim/ship_controller.h"
#include "sim/simulation_step.h"
#include "tests/support/test_world.h"

namespace {

using namespace platform::testing;
using Axes = std::vector<float>;
Axes axes(const float (&values)[3]) { return {values[0], values[1], values[2]}; }

struct FlightTest : ::testing::Test {
  void SetUp() override {
    g_display = {801, 601, 32, 60};  // odd sizes round the centre down to (400, 300)
    g_controller = &controller;
    pollMoved(0, 0);
  }
  // Polls with the cursor moved by (dx, dy) from the centre since the last poll.
  static void pollMoved(int dx, int dy) { injectCursorPos(400 + dx, 300 + dy), pollFlightInput(); }

  TestWorld world;
  Body& body = world.add({}, 0.2f, 9);
  ShipController controller{body.sceneObject, &body};
};

TEST_F(FlightTest, LeftButtonMotionPitchesAndYawsOrRollsWithTheMiddleButton) {
  pollMoved(100, -100);  // lost with the button up, and the cursor recentred
  POINT cursor{};
  EXPECT_TRUE(GetCursorPos(&cursor) && cursor.x == 400 && cursor.y == 300);
  injectKeyState(VK_LBUTTON, true);
  pollMoved(20, -30);
  EXPECT_EQ(axes(body.angularAcceleration), (Axes{-3, 2, 0}));
  EXPECT_TRUE(g_steering && controller.rotating);
  applyGravity();  // the next step starts from zero
  injectKeyState(VK_MBUTTON, true);
  pollMoved(20, -30);
  EXPECT_EQ(axes(controller.rotationCommand), (Axes{-3, 2, 2}));
  EXPECT_EQ(axes(body.angularAcceleration), (Axes{-3, 2, 2}));
}

TEST_F(FlightTest, ReleaseStabilisesBrakingAxesAtTwoHundredDegreesPerSecondSquaredUntilAllRest) {
  injectKeyState(VK_LBUTTON, true);
  pollMoved(0, 10);
  injectKeyState(VK_LBUTTON, false);
  pollFlightInput();
  EXPECT_TRUE(controller.stabilising && controller.rotating && !g_steering);
  // Steps of exactly 2 degrees per second: 3.5 brakes to 1.5, in the band; 2 only the band takes.
  const std::tuple<Axes, Axes, bool> steps[] = {{{5, 3.5f, -7}, {3, 0, -5}, true},
                                                {{2, 0, -5}, {0, 0, -3}, true},
                                                {{0, 0, -1.9f}, {0, 0, 0}, false}};
  for (const auto& [before, after, stabilising] : steps) {
    std::copy(before.begin(), before.end(), body.angularVelocity);
    controller.update(0.01f);
    EXPECT_EQ(axes(body.angularVelocity), after);
    EXPECT_EQ(controller.stabilising, stabilising);
  }
  EXPECT_FALSE(controller.rotating);
  // Commands do not build up while stabilising; each reaches the body for its own step only.
  controller.stabilising = true;
  body.angularVelocity[1] = 50;
  controller.addRotation(0, 1, 0);
  controller.update(0.01f);
  EXPECT_EQ(controller.rotationCommand[1], 0.0f);
  EXPECT_EQ(body.angularAcceleration[1], 1.0f);
}

TEST_F(FlightTest, PowerMovesInHundredthsAndEndsExactlyAtItsLimits) {
  const std::tuple<int, int, float, float> runs[] = {{'F', 10, 1.4901161e-08f, 0},
                                                     {'R', 90, 0.99999934f, 1}};
  for (const auto& [key, polls, before, after] : runs) {
    injectKeyState(key, true);
    controller.power = 0.1f;
    for (int k = 0; k < polls + 2; ++k) {
      if (k == polls) EXPECT_EQ(controller.power, before);
      pollFlightInput();
    }
    EXPECT_EQ(controller.power, after);
    injectKeyState(key, false);
  }
  // R and F held together both act, R first.
  for (int key : {'R', 'F'}) injectKeyState(key, true);
  for (const auto& [from, to] :
       {std::pair{0.5f, 0.5f + 0.01f - 0.01f}, {1.0f, 1.0f - 0.01f}, {0.0f, 0.0f}}) {
    controller.power = from;
    pollFlightInput();
    EXPECT_EQ(controller.power, to) << from;
  }
}

// The ship turned nose along +x, back along +z: its right (port's push) is -y.
TEST_F(FlightTest, EachThrusterPushesAlongShipAxesAwayFromItsNamesakeSideInThePolledStepOnly) {
  const Vector3 expected[] = {{1, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, -1}};
  body.sceneObject->forward = {1, 0, 0}, body.sceneObject->up = {0, 0, 1};
  for (int button : {VK_LBUTTON, VK_RBUTTON}) injectKeyState(button, true);
  for (int thruster = Dorsal; thruster >= Main; --thruster) {
    controller.thruster = static_cast<Thruster>(thruster);
    pollFlightInput();
    EXPECT_EQ(body.acceleration, expected[thruster] * static_cast<double>(0.1f)) << thruster;
    applyGravity();
  }
  const Vector3 tenthForward = expected[Main] * static_cast<double>(0.1f);
  stepSimulation(1.0f);
  EXPECT_EQ(body.velocity, tenthForward);
  injectKeyState(VK_RBUTTON, false);
  stepSimulation(1.0f);  // no thrust polled: the velocity stays
  EXPECT_EQ(body.velocity, tenthForward);
}

TEST_F(FlightTest, VelocityRotatingTurnsADriftingShipAlongItsNoseAndFrontThrustStopsASlowShip) {
  controller.velocityRotating = true;
  body.velocity = {1, 0, 0};
  controller.update(0.01f);  // not turning: nothing to realign
  EXPECT_EQ(body.velocity, Vector3(1, 0, 0));
  controller.rotating = true;
  body.sceneObject->forward = {0, 0, -2};  // normalised before use
  body.velocity = {0, 0, 2};               // drifting backwards, turned before the bodies move
  stepSimulation(0.5f);
  EXPECT_EQ(body.velocity, Vector3(0, 0, -2));
  EXPECT_EQ(*body.position, Vector3(0, 0, -1));
  // A front thrust as large as the speed stops the ship, if anything is to be cancelled.
  controller.thruster = Front;
  const Vector3 thrust(0, 0, 0.1), gravity(0, 0, 1e-6);
  const std::tuple<Vector3, double, Vector3, Vector3> cases[] = {
      {{}, 0.05, {0, 0, -0.05}, {}},  // nothing to cancel without any acceleration
      {gravity, 0.1, {}, gravity + thrust - thrust},
      {gravity, 0.5, {0, 0, -0.5}, gravity + thrust}};
  for (const auto& [accelerationBefore, speed, velocity, acceleration] : cases) {
    body.acceleration = accelerationBefore;
    body.velocity = {0, 0, -speed};
    controller.applyThrust(thrust);
    EXPECT_EQ(body.velocity, velocity) << speed;
    EXPECT_EQ(body.acceleration, acceleration) << speed;
  }
}

}  // namespace
