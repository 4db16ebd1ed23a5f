#include "render/splash.h"

#include "platform/win32.h"
#include "render/font.h"
#include "render/graphics.h"

void drawSplash() {
  // The only time the colour buffer is cleared: every frame after this one
  // is covered by the star background.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glTranslatef(0.0f, 0.0f, -100.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  glRasterPos2f(-5.0f, -1.0f);
  printText("Loading...");
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glLoadIdentity();
  SwapBuffers(g_deviceContext);
}
