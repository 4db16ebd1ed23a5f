// Window classes and windows: RegisterClassA, UnregisterClassA,
// CreateWindowExA, ShowWindow, UpdateWindow, DestroyWindow, GetClientRect,
// GetDC. Every window is an SDL window made for OpenGL where the display has
// OpenGL, and a plain one otherwise; WS_POPUP makes it borderless. Its device
// context is its own, as with CS_OWNDC.
//
// Sent synchronously, as on Windows: WM_NCCREATE and WM_CREATE during
// CreateWindowExA (FALSE or -1 in answer fails the creation); WM_SHOWWINDOW,
// then the activation and focus (focus.cpp) when ShowWindow shows a window;
// on DestroyWindow the loss of focus and activation, WM_DESTROY, WM_NCDESTROY.
// A popup at (0, 0) of the display mode's size covers the screen: the mode
// switch (display_modes.cpp) gives the screen that size, and the window is
// full-screen for the window manager (x11/full_screen.h).
//
// Not provided: child windows, menus, moving or resizing, WM_PAINT
// (UpdateWindow paints nothing: OpenGL draws the windows), extra class and
// window bytes; the class's icon, cursor and brush are accepted and not used.
// Every show command other than SW_HIDE shows and activates the window.
#include "platform/user32/window.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/advapi32/lower_case.h"
#include "platform/user32/focus.h"
#include "platform/user32/message_queue.h"
#include "platform/x11/full_screen.h"
#include "platform/x11/video.h"

namespace platform {
namespace {

struct WindowClass {
  ATOM atom;
  std::string name;  // lower case: class names are case-insensitive
  HINSTANCE instance;
  WNDPROC procedure;
};

std::vector<WindowClass> classes;
std::vector<std::unique_ptr<Window>> windows;
ATOM nextAtom = 0xC000;  // where Windows numbers registered classes from

// Class names may also be given as an atom, a number below 0x10000 in the
// pointer (MAKEINTATOM).
std::vector<WindowClass>::iterator findClass(LPCSTR name, HINSTANCE instance) {
  const auto value = reinterpret_cast<uintptr_t>(name);
  if (value < 0x10000) {
    return std::find_if(classes.begin(), classes.end(),
                        [&](const WindowClass& c) { return value && c.atom == value; });
  }
  const std::string key = lowerCase(name);
  return std::find_if(classes.begin(), classes.end(), [&](const WindowClass& c) {
    return c.name == key && c.instance == instance;
  });
}

}  // namespace

Window* windowFrom(HWND handle) {
  for (const auto& window : windows) {
    if (handleOf(window.get()) == handle) return window.get();
  }
  return nullptr;
}

Window* windowFromSdl(uint32_t sdlWindowId) {
  for (const auto& window : windows) {
    if (SDL_GetWindowID(window->sdl) == sdlWindowId) return window.get();
  }
  return nullptr;
}

HWND handleOf(const Window* window) { return reinterpret_cast<HWND>(const_cast<Window*>(window)); }

Window* windowOf(HDC dc) {
  const DeviceContext* context = deviceContextFrom(dc);
  return context ? windowFrom(context->window) : nullptr;
}

std::vector<HWND> liveWindows() {
  std::vector<HWND> handles;
  for (const auto& window : windows) handles.push_back(handleOf(window.get()));
  return handles;
}

LRESULT sendMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  const Window* window = windowFrom(handle);
  return window ? window->procedure(handle, message, wParam, lParam) : 0;
}

}  // namespace platform

using platform::Window;

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
  if (!windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
      reinterpret_cast<uintptr_t>(windowClass->lpszClassName) < 0x10000 ||
      !*windowClass->lpszClassName) {
    return 0;
  }
  if (platform::findClass(windowClass->lpszClassName, windowClass->hInstance) !=
      platform::classes.end()) {
    return 0;  // ERROR_CLASS_ALREADY_EXISTS
  }
  const ATOM atom = platform::nextAtom++;
  platform::classes.push_back({atom, platform::lowerCase(windowClass->lpszClassName),
                               windowClass->hInstance, windowClass->lpfnWndProc});
  return atom;
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  const auto found = platform::findClass(className, instance);
  if (found == platform::classes.end()) return FALSE;
  for (const auto& window : platform::windows) {
    if (window->windowClass == found->atom) return FALSE;  // ERROR_CLASS_HAS_WINDOWS
  }
  platform::classes.erase(found);
  return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  const auto found = platform::findClass(className, instance);
  if (found == platform::classes.end() || parent || !platform::startVideo()) return nullptr;

  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (style & WS_POPUP) flags |= SDL_WINDOW_BORDERLESS;
  const char* title = windowName ? windowName : "";
  const int shownWidth = std::max(width, 1);
  const int shownHeight = std::max(height, 1);
  // A display without OpenGL (no GLX) still gets its window, as on Windows;
  // it is the pixel format that fails then.
  SDL_Window* sdl =
      SDL_CreateWindow(title, x, y, shownWidth, shownHeight, flags | SDL_WINDOW_OPENGL);
  const bool openGl = sdl != nullptr;
  if (!sdl) sdl = SDL_CreateWindow(title, x, y, shownWidth, shownHeight, flags);
  if (!sdl) return nullptr;
  if ((style & WS_POPUP) && platform::coversScreen(x, y, width, height))
    platform::markFullScreen(sdl);

  auto window = std::make_unique<Window>();
  window->sdl = sdl;
  window->openGl = openGl;
  window->procedure = found->procedure;
  window->windowClass = found->atom;
  const HWND handle = platform::handleOf(window.get());
  window->deviceContext.window = handle;
  platform::handleOf(&window->deviceContext);
  platform::windows.push_back(std::move(window));

  CREATESTRUCTA creation = {
      param,      instance,  menu,   parent, height, width, y, x, static_cast<LONG>(style),
      windowName, className, exStyle};
  const auto creationParam = reinterpret_cast<LPARAM>(&creation);
  if (!platform::sendMessage(handle, WM_NCCREATE, 0, creationParam) ||
      platform::sendMessage(handle, WM_CREATE, 0, creationParam) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!platform::windowFrom(handle)) return nullptr;  // destroyed while being created
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return handle;
}

BOOL WINAPI ShowWindow(HWND handle, int showCommand) {
  Window* window = platform::windowFrom(handle);
  if (!window) return FALSE;
  const bool wasVisible = window->visible;
  if (showCommand == SW_HIDE) {
    if (wasVisible) {
      platform::sendMessage(handle, WM_SHOWWINDOW, FALSE, 0);
      if ((window = platform::windowFrom(handle))) {
        window->visible = false;
        SDL_HideWindow(window->sdl);
      }
    }
    return wasVisible;
  }
  if (!wasVisible) {
    platform::sendMessage(handle, WM_SHOWWINDOW, TRUE, 0);
    if (!(window = platform::windowFrom(handle))) return FALSE;
    window->visible = true;
    SDL_ShowWindow(window->sdl);
  }
  platform::activateWindow(handle);
  return wasVisible;
}

BOOL WINAPI UpdateWindow(HWND window) { return platform::windowFrom(window) ? TRUE : FALSE; }

BOOL WINAPI DestroyWindow(HWND handle) {
  Window* window = platform::windowFrom(handle);
  if (!window || window->destroying) return FALSE;
  window->destroying = true;
  platform::releaseActivation(handle);
  platform::sendMessage(handle, WM_DESTROY, 0, 0);
  platform::sendMessage(handle, WM_NCDESTROY, 0, 0);
  platform::forgetMessagesFor(handle);
  platform::forgetDeviceContext(&window->deviceContext);
  SDL_DestroyWindow(window->sdl);
  auto& windows = platform::windows;
  windows.erase(std::find_if(windows.begin(), windows.end(),
                             [&](const auto& w) { return w.get() == window; }));
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND handle, RECT* rect) {
  const Window* window = platform::windowFrom(handle);
  if (!window || !rect) return FALSE;
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(window->sdl, &width, &height);
  *rect = {0, 0, width, height};
  return TRUE;
}

HDC WINAPI GetDC(HWND handle) {
  Window* window = platform::windowFrom(handle);
  return window ? platform::handleOf(&window->deviceContext) : nullptr;
}
