// One frame of the program on a real context: its stages in their fixed order,
// and the chase camera it views the world from.
#include "render/frame.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/frame_clock.h"
#include "render/hud.h"
#include "scene/chase_camera.h"
#include "scene/star_background.h"
#include "sim/body.h"
#include "sim/ship_controller.h"
#include "tests/support/gl_context.h"

namespace {

// An object that notes what it was drawn with, and draws a blue wall over
// the whole view just in front of the camera.
struct Witness : SceneObject {
  void draw() override {
    drawnAt = *position;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 1);
    glRectf(-10, -10, 10, 10);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
  }
  Vector3 drawnAt;
  Matrix4 modelview;
};

using FrameTest = GlContextTest;

TEST_F(FrameTest, RotationsThenRecentringThenViewThenObjectsThenTheDisplay) {
  Witness ship, other;
  ship.next = &other;
  *ship.position = Vector3(1, 2, 3);
  *other.position = Vector3(1, 2, 13);
  ship.rotationY = 90;  // pending from the last step
  Body body(1, 0, 1, 0);
  body.sceneObject = &ship;
  body.position = ship.position;
  body.velocity = Vector3(0, 0, -1);
  ship.body = &body;
  g_objects = &ship;
  g_bodies = &body;
  ShipController controller(&ship, &body);
  ChaseCamera camera(&ship, Vector3(0, 0.02, 0.07));
  StarBackground background(&camera, "no stars.bmp", 1, 1);
  g_controller = &controller;
  g_camera = &camera;
  g_background = &background;
  startFrameClock();

  renderFrame();
  const std::vector<uint8_t> pixels = readPixels();
  EXPECT_LT((other.drawnAt - Vector3(0, 0, 10)).length(), 1e-9) << "drawn after the re-centring";
  EXPECT_LT((camera.forward - Vector3(-1, 0, 0)).length(), 1e-6) << "the view after the rotations";
  EXPECT_EQ(std::vector<float>(other.modelview.m, other.modelview.m + 16),
            std::vector<float>(camera.view.m, camera.view.m + 16));
  EXPECT_GT(ink(pixels, kBlue), kWidth * kHeight / 2) << "the world over the backdrop";
  EXPECT_GT(ink(pixels, kWhite), 100) << "the display over the world";
  EXPECT_LT(body.position->z, 0.0) << "the world advanced";
  // The camera rides behind and above the turned ship, which was re-centred too.
  EXPECT_LT(ship.drawnAt.length(), 1e-9);
  EXPECT_LT((camera.eye - Vector3(0.07, 0.02, 0)).length(), 1e-6);
  EXPECT_LT(camera.view.transformPoint(camera.eye).length(), 1e-6);
  EXPECT_LT((camera.view.transformPoint(camera.eye + camera.forward) - Vector3(0, 0, -1)).length(), 1e-6);
  // Without a target it re-centres nothing and keeps its view.
  camera.setTarget(nullptr);
  const Vector3 position = *body.position;
  recentreWorld();
  ship.rotationY = 90;
  ship.applyRotations();
  camera.updateView();
  EXPECT_EQ(*body.position, position);
  EXPECT_LT((camera.forward - Vector3(-1, 0, 0)).length(), 1e-6);
  g_objects = nullptr;
  g_bodies = nullptr;
  g_controller = nullptr;
  g_camera = nullptr;
  g_background = nullptr;
}

}  // namespace
