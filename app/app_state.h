// The application's own state: its name, whether it runs and whether it is
// active.
#pragma once

#include "platform/win32.h"

struct AppState {
  const char* title;  // the window's title and its window class's name
  bool running;       // the main loop runs while set; only WM_CLOSE clears it
  bool active;        // frames are composed only while set
};

extern AppState g_app;
// The module instance that WinMain receives; the window class is registered
// and unregistered with it.
extern HINSTANCE g_instance;
