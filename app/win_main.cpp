// The entry point: start-up in its fixed order, each step with its own exit
// code, then the message loop that composes frames while the queue is empty.
#include "app/app_state.h"
#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "app/main_window.h"
#include "platform/win32.h"
#include "render/frame.h"
#include "render/graphics.h"
#include "sim/scene_setup.h"

namespace {

// Never blocks: one message per turn, or a frame when none waits and the
// application is active. Only WM_CLOSE (through shutdown) ends it.
void runMainLoop() {
  MSG message;
  while (g_app.running) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } else if (g_app.active) {
      renderFrame();
    }
  }
}

}  // namespace

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
