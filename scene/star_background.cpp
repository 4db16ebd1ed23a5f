#include "scene/star_background.h"

#include <GL/gl.h>

#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "scene/chase_camera.h"

StarBackground* g_background = nullptr;

StarBackground::StarBackground(ChaseCamera* camera, const char* fileName, float repeatU,
                               float repeatV)
    : offsetU(0.0f),
      offsetV(0.0f),
      repeatU(repeatU),
      repeatV(repeatV),
      driftU(0.0f),
      driftV(0.0f),
      camera(camera) {
  loadTexture(fileName);
}

void StarBackground::draw() {
  // A yaw of 100 degrees scrolls by one whole texture; roll does not scroll.
  if (camera && camera->target) {
    offsetU = static_cast<float>(offsetU + camera->target->rotationY / -100.0);
    offsetV = static_cast<float>(offsetV + camera->target->rotationX / -100.0);
  }
  offsetU += g_frameSeconds * driftU;
  offsetV += g_frameSeconds * driftV;

  // One unit per pixel, origin at the top-left corner, y downwards.
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, g_display.Width, g_display.Height, 0.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  if (texture == -1) {
    // No star picture: a black sky rather than the last frame showing through.
    glClear(GL_COLOR_BUFFER_BIT);
  } else {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(offsetU + repeatU, offsetV);
    glVertex3i(g_display.Width, 0, 0);
    glTexCoord2f(offsetU, offsetV);
    glVertex3i(0, 0, 0);
    glTexCoord2f(offsetU + repeatU, offsetV + repeatV);
    glVertex3i(g_display.Width, g_display.Height, 0);
    glTexCoord2f(offsetU, offsetV + repeatV);
    glVertex3i(0, g_display.Height, 0);
    glEnd();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  }

  // The offsets wrap from above only, after drawing.
  if (offsetU >= repeatU) offsetU -= repeatU;
  if (offsetV >= repeatV) offsetV -= repeatV;

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}
