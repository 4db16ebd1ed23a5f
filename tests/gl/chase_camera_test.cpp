// The chase camera: riding behind and above its target, and re-centring the
// world on it.
#include "scene/chase_camera.h"

#include <gtest/gtest.h>

#include "tests/support/gl_context.h"
#include "tests/support/test_world.h"

namespace {

bool near(const Vector3& actual, const Vector3& expected) { return (actual - expected).length() < 1e-6; }

TEST_F(GlContextTest, ChaseCameraRidesBehindAndAboveTheTargetTurningWithItAndKeepsItsViewWithoutOne) {
  const Vector3 offset(0.0, static_cast<double>(0.02f), static_cast<double>(0.07f));
  SceneObject ship;
  ChaseCamera camera(&ship, offset);
  camera.updateView();
  const std::vector<float> translation = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -0.02f, -0.07f, 1};
  for (int k = 0; k < 16; ++k) EXPECT_NEAR(camera.view.m[k], translation[k], 1e-6) << k;

  ship.rotationY = 90;
  ship.applyRotations();
  *ship.position = Vector3(100, -50, 3);
  camera.updateView();
  EXPECT_TRUE(near(camera.eye, Vector3(0.07, 0.02, 0)));
  EXPECT_TRUE(near(camera.forward, Vector3(-1, 0, 0)));
  EXPECT_TRUE(near(camera.up, Vector3(0, 1, 0)));

  camera.setTarget(nullptr);
  ship.rotationY = 90;
  ship.applyRotations();
  camera.updateView();  // keeps the last eye, forward and up
  EXPECT_TRUE(camera.free);
  EXPECT_TRUE(near(camera.forward, Vector3(-1, 0, 0)));
  const ChaseCamera unset;
  EXPECT_EQ(std::vector<float>(unset.view.m, unset.view.m + 16), kIdentityMatrix);
}

TEST(RecentreWorld, ShiftsEveryObjectByTheTargetsPositionInEitherOrderUnlessTheCameraIsFree) {
  for (bool targetFirst : {true, false}) {
    TestWorld world;
    Body& a = world.add(targetFirst ? Vector3(5, 0, 0) : Vector3(7, 1, 0), 1, 0);
    Body& b = world.add(targetFirst ? Vector3(7, 1, 0) : Vector3(5, 0, 0), 1, 0);
    SceneObject* target = targetFirst ? a.sceneObject : b.sceneObject;
    SceneObject* other = targetFirst ? b.sceneObject : a.sceneObject;
    ChaseCamera camera;
    g_camera = &camera;
    recentreWorld();
    EXPECT_EQ(*target->position, Vector3(5, 0, 0)) << "a free camera changes nothing";
    camera.setTarget(target);
    recentreWorld();
    EXPECT_EQ(*target->position, Vector3(0, 0, 0));
    EXPECT_EQ(*other->position, Vector3(2, 1, 0));
    g_camera = nullptr;
  }
}

}  // namespace
