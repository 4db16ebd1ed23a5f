#include "sim/flight_input.h"

#include "app/display_settings.h"
#include "app/main_window.h"
#include "platform/win32.h"
#include "scene/scene_object.h"
#include "sim/body.h"
#include "sim/ship_controller.h"

bool g_steering = false;

namespace {

bool held(int virtualKey) { return (GetKeyState(virtualKey) & 0x80) != 0; }

// The thrust direction of a thruster, from the ship's axes as last drawn.
Vector3 thrustDirection(Thruster thruster, const SceneObject& ship) {
  const Vector3 side = ship.forward.cross(ship.up);
  switch (thruster) {
    case Main: return ship.forward;
    case Front: return ship.forward * -1.0;
    case Port: return side;
    case Starboard: return side * -1.0;
    case Ventral: return ship.up;
    case Dorsal: return ship.up * -1.0;
  }
  return Vector3();
}

constexpr float kPowerStep = 0.01f;
constexpr float kPixelsPerDegree = 10.0f;

}  // namespace

void pollFlightInput() {
  ShipController& controller = *g_controller;
  const unsigned centreX = static_cast<unsigned>(g_display.Width) / 2u;
  const unsigned centreY = static_cast<unsigned>(g_display.Height) / 2u;

  // A cursor that cannot be read counts as resting at the centre.
  POINT cursor = {static_cast<LONG>(centreX), static_cast<LONG>(centreY)};
  if (GetCursorPos(&cursor)) SetCursorPos(static_cast<int>(centreX), static_cast<int>(centreY));

  if (held(VK_ESCAPE)) PostMessageA(g_window, WM_CLOSE, 0, 0);
  if (held('R') && controller.power < 1.0f) {
    controller.power += kPowerStep;
    if (controller.power > 1.0f) controller.power = 1.0f;
  }
  if (held('F') && controller.power > 0.0f) {
    controller.power -= kPowerStep;
    if (controller.power < 0.0f) controller.power = 0.0f;
  }

  if (held(VK_LBUTTON)) {
    if (held(VK_RBUTTON)) {
      controller.applyThrust(thrustDirection(controller.thruster, *controller.ship) *
                             static_cast<double>(controller.power));
    }
    if (cursor.x != static_cast<LONG>(centreX) || cursor.y != static_cast<LONG>(centreY)) {
      const float dx = static_cast<float>(cursor.x - static_cast<LONG>(centreX));
      const float dy = static_cast<float>(cursor.y - static_cast<LONG>(centreY));
      if (held(VK_MBUTTON)) {
        controller.addRotation(0.0f, 0.0f, dx / kPixelsPerDegree);
      } else {
        controller.addRotation(dy / kPixelsPerDegree, dx / kPixelsPerDegree, 0.0f);
      }
    }
    g_steering = true;
  } else if (g_steering) {
    controller.stabilising = true;
    g_steering = false;
  }
}
