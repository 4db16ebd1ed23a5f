#include "bench/support/system_start.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "app/app_state.h"
#include "app/display_settings.h"
#include "app/main_window.h"
#include "render/graphics.h"

bool startGraphics(const e2e::Stage& stage) {
  static const char module = 0;  // stands for the benchmark's module
  setenv("XDG_CONFIG_HOME", stage.configDir().c_str(), 1);
  if (chdir(stage.dataDir().c_str()) != 0) {
    std::perror(stage.dataDir().c_str());
    return false;
  }
  g_instance = reinterpret_cast<HINSTANCE>(const_cast<char*>(&module));
  readDisplaySettings();
  if (!createMainWindow(g_instance, SW_SHOWDEFAULT)) {
    std::fprintf(stderr, "the %d x %d display mode or the window was refused\n", g_display.Width,
                 g_display.Height);
    return false;
  }
  if (!initGraphics()) {
    std::fprintf(stderr, "no OpenGL context\n");
    return false;
  }
  return true;
}
