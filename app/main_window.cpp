#include "app/main_window.h"

#include "app/app_state.h"
#include "app/display_settings.h"
#include "app/window_proc.h"

DEVMODEA g_displayMode;
HWND g_window = nullptr;

bool createMainWindow(HINSTANCE instance, int showCommand) {
  g_displayMode = DEVMODEA{};
  g_displayMode.dmSize = sizeof(DEVMODEA);
  g_displayMode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  g_displayMode.dmBitsPerPel = static_cast<DWORD>(g_display.BitsPerPixel);
  g_displayMode.dmPelsWidth = static_cast<DWORD>(g_display.Width);
  g_displayMode.dmPelsHeight = static_cast<DWORD>(g_display.Height);
  g_displayMode.dmDisplayFrequency = static_cast<DWORD>(g_display.Frequency);
  if (ChangeDisplaySettingsA(&g_displayMode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
    return false;
  }

  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszMenuName = g_app.title;
  windowClass.lpszClassName = g_app.title;
  RegisterClassA(&windowClass);

  // The screen's size is read after the mode change: the window covers the
  // new mode exactly.
  g_window =
      CreateWindowExA(0, g_app.title, g_app.title, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  if (!g_window) return false;
  ShowWindow(g_window, showCommand);
  UpdateWindow(g_window);
  SetFocus(g_window);
  return true;
}
