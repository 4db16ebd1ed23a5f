// SDL's video subsystem, started on first use and shut down when the process
// ends, and SDL's own X connection.
//
// The X server going away (the person logs out, Xwayland ends) ends the
// process at once, with one line on standard error and exit code 4. There is
// no screen left to restore, and the usual ending after Xlib's I/O error (exit,
// whose handlers shut SDL and the OpenGL driver down over the broken
// connection) can wait forever.
//
// Not provided: an X connection where SDL's video runs on a driver other than
// X11 (SDL_VIDEODRIVER=wayland): display modes then fail.
#include "platform/x11/video.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

constexpr int kServerGoneExitCode = 4;

int endForServerGone(Display* connection) {
  std::fprintf(stderr, "%s: the X server of display %s went away; ending.\n",
               program_invocation_short_name, DisplayString(connection));
  _exit(kServerGoneExitCode);
}

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
  static bool endArranged = false;
  if (!endArranged) {
    std::atexit(SDL_Quit);
    // A write to a server that is gone then fails, and Xlib reports it,
    // instead of the signal ending the process without a word.
    std::signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(endForServerGone);
    endArranged = true;
  }
  return true;
}

Display* videoConnection() {
  static Display* connection = nullptr;
  if (!connection && startVideo()) connection = connectionOfSdl();
  return connection;
}

}  // namespace platform
