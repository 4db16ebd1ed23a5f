// Full-screen windows for the window manager: the EWMH state
// _NET_WM_STATE_FULLSCREEN, set as a property while the window is unmapped, as
// EWMH asks of clients. The window manager then gives the window the whole
// screen, whatever panels it holds, and puts it back there after every return.
//
// Not provided: leaving the full-screen state; windows other than SDL's on X.
#include "platform/x11/full_screen.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include "platform/user32.h"

namespace platform {

bool coversScreen(int x, int y, int width, int height) {
  return x == 0 && y == 0 && width == GetSystemMetrics(SM_CXSCREEN) &&
         height == GetSystemMetrics(SM_CYSCREEN);
}

void markFullScreen(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* connection = info.info.x11.display;
  const Atom fullScreen = XInternAtom(connection, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(connection, info.info.x11.window, XInternAtom(connection, "_NET_WM_STATE", False),
                  XA_ATOM, 32, PropModeAppend, reinterpret_cast<const unsigned char*>(&fullScreen),
                  1);
}

}  // namespace platform
