// SDL's video subsystem, started on first use and shut down when the process
// ends.
#include "platform/video.h"

#include <SDL2/SDL.h>

#include <cstdlib>

namespace platform {

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

}  // namespace platform
