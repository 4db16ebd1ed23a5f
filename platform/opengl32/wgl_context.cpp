// OpenGL rendering contexts: wglCreateContext, wglMakeCurrent,
// wglDeleteContext, wglGetProcAddress, on SDL's OpenGL contexts.
//
// wglCreateContext hands the colour, alpha, depth, stencil and double-buffer
// requests of the window's pixel format (gdi32/pixel_format.cpp) to SDL as
// minimums before it creates the context (Windows too picks the closest
// format that it has). A new context is not made current, as on Windows; its
// buffers swap without waiting for the vertical retrace.
//
// Not provided: shared display lists; contexts are made current on windows
// only.
#include "platform/opengl32/wgl_context.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/opengl32.h"
#include "platform/user32/window.h"

namespace platform {

bool contextCreationFails = false;
bool makeCurrentFails = false;

namespace {

struct GlContext {
  SDL_GLContext sdl;
};
std::vector<std::unique_ptr<GlContext>> contexts;

GlContext* contextFrom(HGLRC handle) {
  for (const auto& context : contexts) {
    if (reinterpret_cast<HGLRC>(context.get()) == handle) return context.get();
  }
  return nullptr;
}

void requestFramebuffer(const PIXELFORMATDESCRIPTOR& format) {
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, format.cRedBits);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, format.cGreenBits);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, format.cBlueBits);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.cAlphaBits);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.cDepthBits);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.cStencilBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (format.dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);
}

}  // namespace
}  // namespace platform

using platform::Window;

HGLRC WINAPI wglCreateContext(HDC dc) {
  const Window* window = platform::windowOf(dc);
  if (!window || !window->hasPixelFormat || platform::contextCreationFails) return nullptr;
  platform::requestFramebuffer(window->pixelFormat);
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
  SDL_GLContext created = SDL_GL_CreateContext(window->sdl);  // makes it current
  if (!created) return nullptr;
  SDL_GL_SetSwapInterval(0);  // the main loop never waits, not even for the retrace
  SDL_GL_MakeCurrent(previousWindow, previousContext);
  platform::contexts.push_back(std::make_unique<platform::GlContext>(platform::GlContext{created}));
  return reinterpret_cast<HGLRC>(platform::contexts.back().get());
}

BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC handle) {
  if (!handle) {  // releases the current context, whatever the device context
    if (SDL_GL_GetCurrentContext()) SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    return TRUE;
  }
  const platform::GlContext* context = platform::contextFrom(handle);
  const Window* window = platform::windowOf(dc);
  if (!context || !window || !window->hasPixelFormat || platform::makeCurrentFails) return FALSE;
  return SDL_GL_MakeCurrent(window->sdl, context->sdl) == 0 ? TRUE : FALSE;
}

BOOL WINAPI wglDeleteContext(HGLRC handle) {
  const platform::GlContext* context = platform::contextFrom(handle);
  if (!context) return FALSE;
  SDL_GL_DeleteContext(context->sdl);  // releases it first when it is current
  auto& contexts = platform::contexts;
  contexts.erase(std::find_if(contexts.begin(), contexts.end(),
                              [&](const auto& c) { return c.get() == context; }));
  return TRUE;
}

PROC WINAPI wglGetProcAddress(LPCSTR name) {
  if (!name) return nullptr;
  return reinterpret_cast<PROC>(SDL_GL_GetProcAddress(name));
}
