// Keyboard focus and activation: SetFocus, GetFocus. The application is active
// while one of its windows has the focus. Activation by the program itself
// (showing or focusing a window) sends WM_ACTIVATEAPP at once; activation by
// the window system (the user switching applications) reaches the windows
// through PeekMessageA.
//
// Not provided: WM_ACTIVATE and WM_NCACTIVATE, an active window apart from the
// focus window.
#include "platform/user32/focus.h"

#include <SDL2/SDL.h>

#include "platform/user32/window.h"

namespace platform {
namespace {

HWND focusWindow = nullptr;
bool applicationActive = false;

void sendActivation(bool active) {
  for (HWND window : liveWindows()) sendMessage(window, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

bool otherVisibleWindow(HWND than) {
  for (HWND handle : liveWindows()) {
    const Window* window = windowFrom(handle);
    if (handle != than && window->visible && !window->destroying) return true;
  }
  return false;
}

}  // namespace

void activateWindow(HWND handle) {
  if (!applicationActive) {
    applicationActive = true;
    sendActivation(true);
  }
  Window* window = windowFrom(handle);
  if (!window) return;  // the activation destroyed it
  if (focusWindow != handle) {
    HWND previous = focusWindow;
    focusWindow = handle;
    if (previous) sendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
    sendMessage(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  }
  // The real keyboard focus follows, so that the keys reach this window.
  if ((window = windowFrom(handle)) && window->visible) SDL_SetWindowInputFocus(window->sdl);
}

void releaseActivation(HWND window) {
  if (focusWindow == window) {
    focusWindow = nullptr;
    sendMessage(window, WM_KILLFOCUS, 0, 0);
  }
  if (applicationActive && !otherVisibleWindow(window)) {
    applicationActive = false;
    sendActivation(false);
  }
}

bool noteFocusGained(HWND window) {
  focusWindow = window;
  if (applicationActive) return false;
  applicationActive = true;
  return true;
}

bool noteFocusLost(HWND window) {
  if (focusWindow != window) return false;  // the focus went on to another of ours
  focusWindow = nullptr;
  if (!applicationActive) return false;
  applicationActive = false;
  return true;
}

}  // namespace platform

HWND WINAPI GetFocus() { return platform::focusWindow; }

HWND WINAPI SetFocus(HWND window) {
  HWND previous = platform::focusWindow;
  if (!window) {
    if (previous) {
      platform::focusWindow = nullptr;
      platform::sendMessage(previous, WM_KILLFOCUS, 0, 0);
    }
    return previous;
  }
  if (!platform::windowFrom(window)) return nullptr;
  platform::activateWindow(window);
  return previous;
}
