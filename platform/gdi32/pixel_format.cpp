// Pixel formats: ChoosePixelFormat, SetPixelFormat, SwapBuffers, for the
// OpenGL contexts of opengl32/wgl_context.cpp.
//
// There is one pixel format, number 1: double-buffered RGBA drawn by OpenGL in
// a window. ChoosePixelFormat offers it for every descriptor that asks for
// OpenGL in RGBA on a window's device context, where the display has OpenGL.
// SetPixelFormat keeps the descriptor with the window, for the context that
// wglCreateContext makes. SwapBuffers does not wait for the vertical retrace.
//
// Not provided: DescribePixelFormat, colour-index and bitmap formats, layer
// planes.
#include "platform/gdi32/pixel_format.h"

#include <SDL2/SDL.h>

#include "platform/gdi32.h"
#include "platform/user32/window.h"

namespace platform {

bool setPixelFormatFails = false;

namespace {

constexpr int kOnlyPixelFormat = 1;

}  // namespace
}  // namespace platform

using platform::Window;

int WINAPI ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* descriptor) {
  const Window* window = platform::windowOf(dc);
  if (!descriptor || !window || !window->openGl) return 0;
  const bool openGl = descriptor->dwFlags & PFD_SUPPORT_OPENGL;
  return openGl && descriptor->iPixelType == PFD_TYPE_RGBA ? platform::kOnlyPixelFormat : 0;
}

BOOL WINAPI SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor) {
  Window* window = platform::windowOf(dc);
  if (!window || !descriptor || format != platform::kOnlyPixelFormat ||
      platform::setPixelFormatFails) {
    return FALSE;
  }
  window->hasPixelFormat = true;
  window->pixelFormat = *descriptor;
  return TRUE;
}

BOOL WINAPI SwapBuffers(HDC dc) {
  const Window* window = platform::windowOf(dc);
  if (!window || !window->hasPixelFormat) return FALSE;
  SDL_GL_SwapWindow(window->sdl);
  return TRUE;
}
