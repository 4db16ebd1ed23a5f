// Display modes: ChangeDisplaySettingsA, GetSystemMetrics.
//
// A requested mode is checked against the modes of the first display
// (x11/screen_layout.h): width, height, colour depth (32 bits per pixel is the
// usual 24-bit colour in 32-bit pixels) and refresh rate (a rate the display
// reports as unknown matches any; a request of 0 or 1 Hz means the display's
// default). A mode it lacks is answered with DISP_CHANGE_BADMODE. A mode it has
// is switched to at once, the screen taking its size, as on Windows; a window
// at (0, 0) of that size then covers the screen. NULL, 0 puts the desktop's
// layout back. GetSystemMetrics reports the current mode's size.
//
// The switch is RandR's own rather than SDL's full-screen windows: SDL waits
// up to 100 ms for a window manager after each full-screen change, at start
// and at the end alike. It goes over SDL's own X connection: Xwayland changes
// no screen for a mode request, but emulates the mode for the client that
// asked (and reports it to that client alone), scaling that client's windows
// of the mode's size at the output's corner to the whole output.
//
// The desktop mode returns when the process ends, however it ends, as with
// CDS_FULLSCREEN: the desktop guard (x11/desktop_guard.h) sees to it. A mode that
// Xwayland emulates ends with the connection, and the guard, a client of its
// own, finds nothing to restore.
//
// Not provided: displays other than the first; CDS_TEST and registry updates
// (every accepted request takes effect, none is stored).
#include "platform/user32/display_modes.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <optional>

#include "platform/x11/desktop_guard.h"
#include "platform/x11/screen_layout.h"
#include "platform/x11/video.h"

namespace platform {

DisplayModeRequest lastModeRequest;

namespace {

std::optional<ScreenMode> programMode;      // none: the desktop mode
std::optional<ScreenLayout> desktopLayout;  // while in the program's mode

bool sameColourDepth(DWORD bitsPerPixel) {
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return false;
  return bitsPerPixel == SDL_BITSPERPIXEL(desktop.format) ||
         bitsPerPixel == 8u * SDL_BYTESPERPIXEL(desktop.format);
}

// The display's mode that answers the request; a size that the request does
// not name is the current mode's.
std::optional<ScreenMode> findMode(const DEVMODEA& request) {
  const DWORD fields = request.dmFields;
  const auto width =
      (fields & DM_PELSWIDTH) ? request.dmPelsWidth : DWORD(GetSystemMetrics(SM_CXSCREEN));
  const auto height =
      (fields & DM_PELSHEIGHT) ? request.dmPelsHeight : DWORD(GetSystemMetrics(SM_CYSCREEN));
  if ((fields & DM_BITSPERPEL) && !sameColourDepth(request.dmBitsPerPel)) return std::nullopt;
  const bool anyRate = !(fields & DM_DISPLAYFREQUENCY) || request.dmDisplayFrequency <= 1;
  for (const ScreenMode& mode : firstDisplayModes(videoConnection())) {
    if (DWORD(mode.width) != width || DWORD(mode.height) != height) continue;
    if (!anyRate && mode.refreshRate != 0 &&
        DWORD(mode.refreshRate) != request.dmDisplayFrequency) {
      continue;
    }
    return mode;
  }
  return std::nullopt;
}

void restoreDesktop() {
  if (!programMode) return;
  applyScreenLayout(videoConnection(), *desktopLayout);
  XSync(videoConnection(), False);
  programMode.reset();
  desktopLayout.reset();
}

// Switches to the mode, first saving the desktop's layout where the display
// shows it; false where the display cannot take the mode.
bool enterMode(const ScreenMode& mode) {
  Display* connection = videoConnection();
  const ScreenLayout from = programMode ? *desktopLayout : readScreenLayout(connection);
  const std::optional<ScreenLayout> to = withFirstDisplayMode(connection, from, mode);
  if (!to) return false;
  if (!programMode) {
    guardDesktopMode();
    desktopLayout = from;
    // A process that ends in its own mode gets the desktop back, as with
    // CDS_FULLSCREEN on Windows; the guard covers the ends that skip this.
    static const bool restoredAtExit = std::atexit(restoreDesktop) == 0;
    (void)restoredAtExit;
  }
  applyScreenLayout(connection, *to);
  XSync(connection, False);
  programMode = mode;
  return true;
}

}  // namespace

}  // namespace platform

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
  auto& request = platform::lastModeRequest;
  ++request.count;
  request.desktop = !mode;
  request.mode = mode ? *mode : DEVMODEA{};
  request.flags = flags;
  request.contextCurrent = SDL_GL_GetCurrentContext() != nullptr;

  if (!platform::videoConnection()) return DISP_CHANGE_FAILED;
  if (!mode) {
    if (platform::programMode) {
      platform::restoreDesktop();
      platform::desktopModeBack();
    }
    return DISP_CHANGE_SUCCESSFUL;
  }
  const auto found = platform::findMode(*mode);
  if (!found) return DISP_CHANGE_BADMODE;
  return platform::enterMode(*found) ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
}

int WINAPI GetSystemMetrics(int index) {
  if (index != SM_CXSCREEN && index != SM_CYSCREEN) return 0;
  if (platform::programMode) {
    return index == SM_CXSCREEN ? platform::programMode->width : platform::programMode->height;
  }
  SDL_DisplayMode mode{};
  if (!platform::startVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
  return index == SM_CXSCREEN ? mode.w : mode.h;
}
