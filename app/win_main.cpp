// The entry point: start-up in its fixed order, each step with its own exit
// code, then the main loop.
#include "app/app_state.h"
#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "platform/win32.h"
#include "render/graphics.h"
#include "sim/scene_setup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  g_instance = instance;
  readDisplaySettings();
  if (!createMainWindow(instance, showCommand)) return 1;
  if (!initGraphics()) return 2;
  if (!createScene()) return 3;
  startFrameClock();
  runMainLoop();
  return 0;
}
