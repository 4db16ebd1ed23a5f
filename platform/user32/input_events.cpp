// The window system's input as messages: what PeekMessageA makes of the SDL
// events it takes, one event at a time.
//   key pressed, released       WM_KEYDOWN, WM_KEYUP with the virtual-key code;
//                               WM_SYSKEYDOWN, WM_SYSKEYUP for Alt itself and
//                               for keys pressed with Alt but not Ctrl, with
//                               lParam's bit 29 set while Alt is held
//   mouse button                WM_LBUTTONDOWN ... WM_MBUTTONUP
//   pointer motion              WM_SETCURSOR (HTCLIENT), then WM_MOUSEMOVE
//   focus gained, lost          WM_ACTIVATEAPP 1, 0 to every window, when
//                               that activates or deactivates the application
//   the window manager's close  WM_CLOSE
//   SIGINT, SIGTERM             WM_CLOSE to every window, so that the program
//                               ends in order
// Keys have virtual-key codes for letters, digits, F1 to F12, Tab, Return,
// Escape, Space, Backspace, the arrows, Shift, Ctrl and Alt. A key message's
// lParam holds the repeat count 1 and the previous-state and transition bits.
//
// Not provided: other keys (they make no message), scan codes, the mouse
// wheel, MK_ flags in the mouse messages' wParam.
#include "platform/user32/input_events.h"

#include <SDL2/SDL.h>

#include "platform/user32/focus.h"
#include "platform/user32/message_queue.h"
#include "platform/user32/window.h"

namespace platform {
namespace {

POINT pointer = {0, 0};

WPARAM virtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    default: return 0;
  }
}

LPARAM pointLParam(int x, int y) { return LPARAM((x & 0xFFFF) | ((y & 0xFFFF) << 16)); }

void queue(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Uint32 time) {
  queueInput({window, message, wParam, lParam, time, pointer});
}

void queueForEveryWindow(UINT message, WPARAM wParam, Uint32 time) {
  for (HWND window : liveWindows()) queue(window, message, wParam, 0, time);
}

void translateKey(const SDL_KeyboardEvent& key) {
  const Window* window = windowFromSdl(key.windowID);
  const WPARAM virtualKey = virtualKeyOf(key.keysym.sym);
  if (!window || !virtualKey) return;
  const bool pressed = key.type == SDL_KEYDOWN;
  const bool alt = key.keysym.mod & KMOD_ALT;
  const bool system = virtualKey == VK_MENU || (alt && !(key.keysym.mod & KMOD_CTRL));
  LPARAM lParam = 1;
  if (alt) lParam |= LPARAM(1) << 29;
  if (!pressed || key.repeat) lParam |= LPARAM(1) << 30;  // the key was down before
  if (!pressed) lParam |= LPARAM(1) << 31;
  const UINT message =
      pressed ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  queue(handleOf(window), message, virtualKey, lParam, key.timestamp);
}

void notePointerInWindow(SDL_Window* sdl, int x, int y) {
  int left = 0;
  int top = 0;
  SDL_GetWindowPosition(sdl, &left, &top);
  pointer = {left + x, top + y};
}

void translateButton(const SDL_MouseButtonEvent& button) {
  const Window* window = windowFromSdl(button.windowID);
  if (!window) return;
  const bool pressed = button.type == SDL_MOUSEBUTTONDOWN;
  UINT message = 0;
  switch (button.button) {
    case SDL_BUTTON_LEFT: message = pressed ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
    case SDL_BUTTON_RIGHT: message = pressed ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
    case SDL_BUTTON_MIDDLE: message = pressed ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
    default: return;
  }
  notePointerInWindow(window->sdl, button.x, button.y);
  queue(handleOf(window), message, 0, pointLParam(button.x, button.y), button.timestamp);
}

void translateMotion(const SDL_MouseMotionEvent& motion) {
  const Window* window = windowFromSdl(motion.windowID);
  if (!window) return;
  notePointerInWindow(window->sdl, motion.x, motion.y);
  const HWND handle = handleOf(window);
  queue(handle, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle),
        LPARAM(HTCLIENT | (WM_MOUSEMOVE << 16)), motion.timestamp);
  queue(handle, WM_MOUSEMOVE, 0, pointLParam(motion.x, motion.y), motion.timestamp);
}

void translateWindowEvent(const SDL_WindowEvent& event) {
  const Window* window = windowFromSdl(event.windowID);
  if (!window) return;
  const HWND handle = handleOf(window);
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (noteFocusGained(handle)) queueForEveryWindow(WM_ACTIVATEAPP, TRUE, event.timestamp);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (noteFocusLost(handle)) queueForEveryWindow(WM_ACTIVATEAPP, FALSE, event.timestamp);
      break;
    case SDL_WINDOWEVENT_CLOSE: queue(handle, WM_CLOSE, 0, 0, event.timestamp); break;
    default: break;
  }
}

}  // namespace

bool pumpInputEvent() {
  SDL_Event event;
  if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_PollEvent(&event)) return false;
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: translateKey(event.key); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: translateButton(event.button); break;
    case SDL_MOUSEMOTION: translateMotion(event.motion); break;
    case SDL_WINDOWEVENT: translateWindowEvent(event.window); break;
    case SDL_QUIT: queueForEveryWindow(WM_CLOSE, 0, event.quit.timestamp); break;
    default: break;
  }
  return true;
}

POINT lastPointerPosition() { return pointer; }

void notePointerPosition(POINT position) { pointer = position; }

}  // namespace platform
