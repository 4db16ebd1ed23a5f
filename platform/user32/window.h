// Inside the stand-in: the live windows, which windows, focus, messages,
// display modes and OpenGL contexts share, and synchronous message sending.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi32.h"
#include "platform/gdi32/gdi_objects.h"
#include "platform/user32.h"

struct SDL_Window;

namespace platform {

struct Window {
  SDL_Window* sdl = nullptr;
  WNDPROC procedure = nullptr;
  ATOM windowClass = 0;
  bool visible = false;
  bool destroying = false;
  DeviceContext deviceContext;  // the window's own, as with CS_OWNDC
  bool openGl = false;          // the display can draw in it with OpenGL
  bool hasPixelFormat = false;
  PIXELFORMATDESCRIPTOR pixelFormat{};
};

// The window behind a handle, or null for one that is not a live window.
Window* windowFrom(HWND handle);
Window* windowFromSdl(uint32_t sdlWindowId);
HWND handleOf(const Window* window);
// The window whose own device context dc is, or null.
Window* windowOf(HDC dc);
// The handles of all live windows, in the order of their creation.
std::vector<HWND> liveWindows();

// Runs the window's procedure at once, as SendMessage does; 0 for a handle
// that is not a live window.
LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform
