#include "app/main_loop.h"

#include "app/app_state.h"
#include "platform/win32.h"
#include "render/frame.h"

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
