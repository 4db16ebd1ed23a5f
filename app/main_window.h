// The full-screen window: the display switched to the settings' mode and one
// borderless popup window covering it.
#pragma once

#include "platform/win32.h"

// The mode requested at start-up, and again at every re-activation.
extern DEVMODEA g_displayMode;
// The one window; null before it is created and after shutdown.
extern HWND g_window;

// Switches the display to g_display's mode, registers the window class and
// opens, shows and focuses the window. False when the mode is refused (no
// class or window exists then) or the window is not created.
bool createMainWindow(HINSTANCE instance, int showCommand);
