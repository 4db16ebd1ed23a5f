#include "render/frame.h"

#include <GL/gl.h>

#include "app/frame_clock.h"
#include "render/graphics.h"
#include "render/hud.h"
#include "scene/chase_camera.h"
#include "scene/scene_object.h"
#include "scene/star_background.h"
#include "sim/simulation_step.h"

void drawBackdrop() {
  // The backdrop covers every pixel of the previous frame; only depth is cleared.
  g_background->draw();
  glClear(GL_DEPTH_BUFFER_BIT);
}

void drawWorld() {
  for (SceneObject* object = g_objects; object; object = object->next) object->applyRotations();
  recentreWorld();
  g_camera->updateView();
  glMatrixMode(GL_MODELVIEW);
  for (SceneObject* object = g_objects; object; object = object->next) {
    glLoadMatrixf(g_camera->view.data());
    object->draw();
  }
}

void advanceWorld() {
  measureFrameTime();
  stepSimulation(g_frameSeconds);
  updateFrameRate();
}

void renderFrame() {
  drawBackdrop();
  drawWorld();
  drawHud();
  SwapBuffers(g_deviceContext);
  advanceWorld();
}
