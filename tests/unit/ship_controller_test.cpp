#include <gtest/gtest.h>

#include "sim/ship_controller.h"
#include "tests/support/test_world.h"

namespace {

struct ControllerTest : ::testing::Test {
  TestWorld world;
  Body& body = world.add({}, 0.2f, 9);
  ShipController controller{body.sceneObject, &body};
};

TEST_F(ControllerTest, StartsWithMainThrusterAtOneTenthPower) {
  EXPECT_EQ(controller.thruster, Main);
  EXPECT_EQ(controller.power, 0.1f);
  EXPECT_FALSE(controller.rotating || controller.velocityRotating || controller.stabilising);
}

TEST_F(ControllerTest, TurningCommandsAccumulateIntoTheAngularAcceleration) {
  controller.addRotation(0, 1, 0);
  EXPECT_EQ(controller.rotationCommand[1], 1.0f);
  EXPECT_EQ(body.angularAcceleration[1], 1.0f);
  body.angularAcceleration[1] = 0;  // the next step's gravity pass clears it
  controller.addRotation(0, 1, 0);
  EXPECT_EQ(controller.rotationCommand[1], 2.0f);
  EXPECT_EQ(body.angularAcceleration[1], 2.0f);
  EXPECT_TRUE(controller.rotating);
}

TEST_F(ControllerTest, StabilisingBrakesEachAxisToRestAtTwoHundredDegreesPerSecondSquared) {
  controller.stabilising = true;
  controller.rotating = true;
  body.angularVelocity[0] = 5;
  body.angularVelocity[1] = 3.5;
  body.angularVelocity[2] = -1.9f;
  controller.update(0.01f);  // a step of exactly 2 degrees per second
  EXPECT_EQ(body.angularVelocity[0], 3.0f);
  EXPECT_EQ(body.angularVelocity[1], 0.0f);  // 1.5 after braking, then within the band
  EXPECT_EQ(body.angularVelocity[2], 0.0f);
  EXPECT_TRUE(controller.stabilising);
  body.angularVelocity[0] = 2;  // not above the step, so only the band catches it
  controller.update(0.01f);
  EXPECT_EQ(body.angularVelocity[0], 0.0f);
  EXPECT_FALSE(controller.stabilising);
  EXPECT_FALSE(controller.rotating);
}

TEST_F(ControllerTest, CommandsDoNotBuildUpWhileStabilising) {
  controller.stabilising = true;
  body.angularVelocity[1] = 50;
  controller.addRotation(0, 1, 0);
  controller.update(0.01f);
  EXPECT_EQ(controller.rotationCommand[1], 0.0f);
  body.angularAcceleration[1] = 0;
  controller.addRotation(0, 1, 0);
  EXPECT_EQ(body.angularAcceleration[1], 1.0f);  // reaches the body for its own step only
}

TEST_F(ControllerTest, FrontThrusterInVelocityRotatingModeStopsASlowShipDead) {
  controller.velocityRotating = true;
  controller.thruster = Front;
  body.acceleration = {0, 0, 1e-6};  // gravity
  body.velocity = {0, 0, -0.05};
  const Vector3 thrust = Vector3(0, 0, 1) * static_cast<double>(controller.power);
  controller.applyThrust(thrust);
  EXPECT_EQ(body.velocity, Vector3());
  EXPECT_EQ(body.acceleration, Vector3(0, 0, 1e-6) + thrust - thrust);

  body.velocity = {0, 0, -0.5};
  controller.applyThrust(thrust);
  EXPECT_EQ(body.velocity, Vector3(0, 0, -0.5));
  EXPECT_EQ(body.acceleration, Vector3(0, 0, 1e-6) + thrust - thrust + thrust);
}

TEST_F(ControllerTest, FrontThrusterDoesNothingWithoutAnyAcceleration) {
  controller.velocityRotating = true;
  controller.thruster = Front;
  body.velocity = {0, 0, -0.05};
  controller.applyThrust({0, 0, 0.1});
  EXPECT_EQ(body.velocity, Vector3(0, 0, -0.05));
  EXPECT_EQ(body.acceleration, Vector3());
}

TEST_F(ControllerTest, VelocityRotatingModeTurnsADriftingShipAlongItsNose) {
  controller.velocityRotating = true;
  controller.rotating = true;
  body.sceneObject->forward = {0, 0, -2};  // normalised before use
  body.velocity = {0, 0, 3};               // drifting backwards
  controller.update(0.01f);
  EXPECT_EQ(body.velocity, Vector3(0, 0, -3));
  controller.rotating = false;
  body.velocity = {1, 0, 0};
  controller.update(0.01f);
  EXPECT_EQ(body.velocity, Vector3(1, 0, 0));
}

}  // namespace
