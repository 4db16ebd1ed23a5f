// SDL's video subsystem, started on first use and shut down when the process
// ends, and SDL's own X connection.
//
// Not provided: an X connection where SDL's video runs on a driver other than
// X11 (SDL_VIDEODRIVER=wayland): display modes then fail.
#include "platform/video.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <cstdlib>

namespace platform {
namespace {

// SDL names its X connection only in a window's system information: a
// hidden window is made for the purpose and destroyed again.
Display* connectionOfSdl() {
  SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
  if (!probe) return nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  const bool x11 = SDL_GetWindowWMInfo(probe, &info) && info.subsystem == SDL_SYSWM_X11;
  SDL_DestroyWindow(probe);
  return x11 ? info.info.x11.display : nullptr;
}

}  // namespace

bool startVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // Deactivation is the program's to answer (it restores the desktop mode
  // itself), and closing the last window is a WM_CLOSE, not an end.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  static bool quitAtExit = false;
  if (!quitAtExit) {
    std::atexit(SDL_Quit);
    quitAtExit = true;
  }
  return true;
}

Display* videoConnection() {
  static Display* connection = nullptr;
  if (!connection && startVideo()) connection = connectionOfSdl();
  return connection;
}

}  // namespace platform
