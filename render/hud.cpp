#include "render/hud.h"

#include <cstdio>

#include "app/frame_clock.h"
#include "platform/win32.h"
#include "render/font.h"
#include "render/graphics.h"
#include "sim/body.h"
#include "sim/ship_controller.h"

namespace {

constexpr float kKilometresPerUnit = 127.4f;

const char* thrusterName(Thruster thruster) {
  static const char* const kNames[] = {"main", "front", "port", "starboard", "ventral", "dorsal"};
  return thruster < sizeof kNames / sizeof kNames[0] ? kNames[thruster] : "";
}

}  // namespace

void formatHudLine(HudLine line, char* text, size_t size) {
  const ShipController& controller = *g_controller;
  switch (line) {
    case kFrameRateLine: std::snprintf(text, size, "%i FPS", g_fps); break;
    case kBufferObjectLine:
      std::snprintf(text, size, "VBO %s", g_vbo.supported ? "supported" : "not supported");
      break;
    case kSpeedLine:
      std::snprintf(text, size, "v = % 7.3f km/s",
                    controller.body->velocity.length() * kKilometresPerUnit);
      break;
    case kAccelerationLine:
      std::snprintf(text, size, "a = % 7.5f km/s^2",
                    controller.body->acceleration.length() * kKilometresPerUnit);
      break;
    case kVelocityRotatingLine:
      std::snprintf(text, size, "Vel. Rotating: %s",
                    controller.velocityRotating ? "active" : "inactive");
      break;
    case kThrusterLine:
      std::snprintf(text, size, "Thruster: %s", thrusterName(controller.thruster));
      break;
    case kPowerLine: std::snprintf(text, size, "Power: % 3.0f%%", controller.power * 100.0f); break;
    case kHudLineCount: break;
  }
}

void drawHud() {
  char text[kHudLineSize];
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -100.0f);
  glColor3f(1.0f, 1.0f, 1.0f);
  for (int index = 0; index < kHudLineCount; ++index) {
    const auto line = static_cast<HudLine>(index);
    formatHudLine(line, text, sizeof text);
    // The raster colour is taken when the raster position is set.
    if (line == kBufferObjectLine) {
      if (g_vbo.supported) {
        glColor3f(0.0f, 1.0f, 0.0f);
      } else {
        glColor3f(1.0f, 0.0f, 0.0f);
      }
    } else if (line == kSpeedLine) {
      glColor3f(1.0f, 1.0f, 1.0f);
    }
    glRasterPos2f(kHudRasterPositions[line].x, kHudRasterPositions[line].y);
    printText(text);
  }
  // Both were on before, and the textured drawing of the next frame needs them.
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
}
