// Display modes: ChangeDisplaySettingsA, GetSystemMetrics.
//
// A requested mode is checked against the modes that SDL lists for the first
// display: width, height, colour depth (32 bits per pixel is the usual 24-bit
// colour in 32-bit pixels) and refresh rate (a rate the display reports as
// unknown matches any; a request of 0 or 1 Hz means the display's default).
// A mode it lacks is answered with DISP_CHANGE_BADMODE. A mode it has becomes
// the current one: every popup window at (0, 0) of its size is shown
// full-screen in it, which is when SDL really switches the display; NULL, 0
// returns those windows and the display to the desktop mode. GetSystemMetrics
// reports the current mode's size.
//
// The desktop mode returns when the process ends, however it ends, as with
// CDS_FULLSCREEN: the desktop guard (desktop_guard.h) sees to it.
//
// Not provided: displays other than the first; CDS_TEST and registry updates
// (every accepted request takes effect, none is stored). Without such a window
// the screen keeps showing the desktop.
#include <SDL2/SDL.h>

#include <optional>

#include "platform/desktop_guard.h"
#include "platform/display_mode.h"
#include "platform/testing.h"
#include "platform/video.h"
#include "platform/window_table.h"

namespace platform {
namespace {

std::optional<SDL_DisplayMode> programMode;  // none: the desktop mode
testing::DisplayModeRequest lastRequest;

bool sameColourDepth(DWORD bitsPerPixel, Uint32 format) {
  return bitsPerPixel == SDL_BITSPERPIXEL(format) ||
         bitsPerPixel == 8u * SDL_BYTESPERPIXEL(format);
}

// The display's mode that answers the request; fields that the request does
// not name keep the current mode's values.
std::optional<SDL_DisplayMode> findMode(const DEVMODEA& request) {
  SDL_DisplayMode current{};
  if (programMode) {
    current = *programMode;
  } else if (SDL_GetCurrentDisplayMode(0, &current) != 0) {
    return std::nullopt;
  }
  const DWORD fields = request.dmFields;
  const auto width = (fields & DM_PELSWIDTH) ? request.dmPelsWidth : DWORD(current.w);
  const auto height = (fields & DM_PELSHEIGHT) ? request.dmPelsHeight : DWORD(current.h);
  const bool anyDepth = !(fields & DM_BITSPERPEL);
  const bool anyRate = !(fields & DM_DISPLAYFREQUENCY) || request.dmDisplayFrequency <= 1;
  const int modes = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < modes; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    if (DWORD(mode.w) != width || DWORD(mode.h) != height) continue;
    if (!anyDepth && !sameColourDepth(request.dmBitsPerPel, mode.format)) continue;
    if (!anyRate && mode.refresh_rate != 0 &&
        DWORD(mode.refresh_rate) != request.dmDisplayFrequency) {
      continue;
    }
    return mode;
  }
  return std::nullopt;
}

void fitAllWindows() {
  for (HWND handle : liveWindows()) fitToDisplayMode(*windowFrom(handle));
}

}  // namespace

void fitToDisplayMode(Window& window) {
  const RECT& frame = window.frame;
  const bool coversScreen = programMode && (window.style & WS_POPUP) && frame.left == 0 &&
                            frame.top == 0 && frame.right == programMode->w &&
                            frame.bottom == programMode->h;
  if (coversScreen) {
    SDL_SetWindowDisplayMode(window.sdl, &*programMode);
    SDL_SetWindowFullscreen(window.sdl, SDL_WINDOW_FULLSCREEN);
  } else if (SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_FULLSCREEN) {
    SDL_SetWindowFullscreen(window.sdl, 0);
  }
}

namespace testing {
DisplayModeRequest lastDisplayModeRequest() { return lastRequest; }
}  // namespace testing

}  // namespace platform

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
  auto& request = platform::lastRequest;
  ++request.count;
  request.desktop = !mode;
  request.mode = mode ? *mode : DEVMODEA{};
  request.flags = flags;
  request.contextCurrent = SDL_GL_GetCurrentContext() != nullptr;

  if (!platform::startVideo()) return DISP_CHANGE_FAILED;
  const bool leavingDesktop = !platform::programMode;
  if (!mode) {
    platform::programMode.reset();
  } else {
    if (platform::testing::isFailureForced(platform::testing::Failure::DisplayModeRefused)) {
      return DISP_CHANGE_BADMODE;
    }
    const auto found = platform::findMode(*mode);
    if (!found) return DISP_CHANGE_BADMODE;
    if (leavingDesktop) platform::guardDesktopMode();
    platform::programMode = found;
  }
  platform::fitAllWindows();
  if (!mode && !leavingDesktop) platform::desktopModeBack();
  return DISP_CHANGE_SUCCESSFUL;
}

int WINAPI GetSystemMetrics(int index) {
  if (index != SM_CXSCREEN && index != SM_CYSCREEN) return 0;
  SDL_DisplayMode mode{};
  if (platform::programMode) {
    mode = *platform::programMode;
  } else if (!platform::startVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
    return 0;
  }
  return index == SM_CXSCREEN ? mode.w : mode.h;
}
