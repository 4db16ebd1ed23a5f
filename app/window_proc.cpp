#include "app/window_proc.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/shutdown.h"
#include "render/graphics.h"
#include "sim/ship_controller.h"

namespace {

// Leaving the application releases the context before the desktop mode
// returns; coming back switches the mode before the context is made current.
void switchActivation(WPARAM wParam) {
  const bool wasActive = g_app.active;
  g_app.active = wParam == 1 || wParam == 2;
  if (g_app.active == wasActive) return;
  if (g_app.active) {
    ChangeDisplaySettingsA(&g_displayMode, CDS_RESET);
    wglMakeCurrent(g_deviceContext, g_glContext);
  } else {
    wglMakeCurrent(nullptr, nullptr);
    ChangeDisplaySettingsA(nullptr, 0);
  }
}

void runKeyCommand(WPARAM virtualKey) {
  ShipController* controller = g_controller;
  if (!controller) return;  // no world yet
  switch (virtualKey) {
    case VK_TAB:
      if (!controller->rotating) controller->velocityRotating = !controller->velocityRotating;
      break;
    case 'A': controller->thruster = Port; break;
    case 'D': controller->thruster = Starboard; break;
    case 'E': controller->thruster = Dorsal; break;
    case 'Q': controller->thruster = Ventral; break;
    case 'S': controller->thruster = Main; break;
    case 'W': controller->thruster = Front; break;
    default: break;
  }
  // Turning the velocity with the nose leaves only the main and front
  // thrusters in use.
  if (controller->velocityRotating && controller->thruster != Front) controller->thruster = Main;
}

}  // namespace

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      shutdown();  // destroys the window itself
      g_app.running = false;
      return 0;
    case WM_ACTIVATEAPP: switchActivation(wParam); return 0;
    case WM_SETCURSOR: ShowCursor(FALSE); return 0;
    case WM_KEYDOWN: runKeyCommand(wParam); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}
