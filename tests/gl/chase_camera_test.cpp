#include <GL/gl.h>
#include <gtest/gtest.h>

#include "scene/chase_camera.h"
#include "scene/scene_object.h"
#include "tests/support/gl_context.h"
#include "tests/support/test_world.h"

namespace {

using ChaseCameraTest = GlContextTest;

void expectNear(const Vector3& actual, const Vector3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-6);
  EXPECT_NEAR(actual.y, expected.y, 1e-6);
  EXPECT_NEAR(actual.z, expected.z, 1e-6);
}

void expectMatrix(const Matrix4& actual, const float (&expected)[16]) {
  for (int k = 0; k < 16; ++k) EXPECT_NEAR(actual.m[k], expected[k], 1e-6) << k;
}

const Vector3 kOffset(0.0, static_cast<double>(0.02f), static_cast<double>(0.07f));

TEST_F(ChaseCameraTest, DefaultViewIsTheIdentity) {
  ChaseCamera camera;
  expectMatrix(camera.view, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  EXPECT_TRUE(camera.free);
}

TEST_F(ChaseCameraTest, RidesBehindAndAboveTheTarget) {
  SceneObject ship;
  ChaseCamera camera(&ship, kOffset);
  EXPECT_FALSE(camera.free);
  camera.updateView();
  expectNear(camera.eye, kOffset);
  expectNear(camera.forward, Vector3(0, 0, -1));
  expectNear(camera.up, Vector3(0, 1, 0));
  expectMatrix(camera.view, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -0.02f, -0.07f, 1});
}

TEST_F(ChaseCameraTest, TurnsWithTheTargetAndIgnoresItsPosition) {
  SceneObject ship;
  ship.rotationY = 90;
  ship.applyRotations();
  *ship.position = Vector3(100, -50, 3);
  ChaseCamera camera(&ship, kOffset);
  camera.updateView();
  expectNear(camera.eye, Vector3(0.07, 0.02, 0));
  expectNear(camera.forward, Vector3(-1, 0, 0));
  expectNear(camera.up, Vector3(0, 1, 0));
}

TEST_F(ChaseCameraTest, WithoutATargetItKeepsAUsableView) {
  ChaseCamera camera(nullptr, kOffset);
  EXPECT_TRUE(camera.free);
  camera.updateView();
  expectMatrix(camera.view, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});

  SceneObject ship;
  ChaseCamera follower(&ship, kOffset);
  follower.updateView();
  follower.setTarget(nullptr);
  ship.rotationY = 90;
  ship.applyRotations();
  follower.updateView();  // keeps the last eye, forward and up
  expectNear(follower.forward, Vector3(0, 0, -1));
}

TEST(RecentreWorld, ShiftsEveryObjectByTheTargetsPositionInEitherOrder) {
  for (bool targetFirst : {true, false}) {
    TestWorld world;
    Body& a = world.add(targetFirst ? Vector3(5, 0, 0) : Vector3(7, 1, 0), 1, 0);
    Body& b = world.add(targetFirst ? Vector3(7, 1, 0) : Vector3(5, 0, 0), 1, 0);
    SceneObject* target = targetFirst ? a.sceneObject : b.sceneObject;
    SceneObject* other = targetFirst ? b.sceneObject : a.sceneObject;
    ChaseCamera camera;
    camera.setTarget(target);
    g_camera = &camera;
    recentreWorld();
    EXPECT_EQ(*target->position, Vector3(0, 0, 0));
    EXPECT_EQ(*other->position, Vector3(2, 1, 0));
    g_camera = nullptr;
  }
}

TEST(RecentreWorld, AFreeCameraChangesNothing) {
  TestWorld world;
  world.add({5, 0, 0}, 1, 0);
  ChaseCamera camera;
  g_camera = &camera;
  recentreWorld();
  EXPECT_EQ(*g_objects->position, Vector3(5, 0, 0));
  g_camera = nullptr;
}

}  // namespace
