#include "tests/support/buffer_objects.h"

#include <SDL2/SDL.h>

#include <cstring>

#include "render/graphics.h"

bool enableBufferObjects() {
  const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  g_vbo.glGenBuffersARB = reinterpret_cast<PFNGLGENBUFFERSARBPROC>(SDL_GL_GetProcAddress("glGenBuffersARB"));
  g_vbo.glBindBufferARB = reinterpret_cast<PFNGLBINDBUFFERARBPROC>(SDL_GL_GetProcAddress("glBindBufferARB"));
  g_vbo.glBufferDataARB = reinterpret_cast<PFNGLBUFFERDATAARBPROC>(SDL_GL_GetProcAddress("glBufferDataARB"));
  g_vbo.glDeleteBuffersARB =
      reinterpret_cast<PFNGLDELETEBUFFERSARBPROC>(SDL_GL_GetProcAddress("glDeleteBuffersARB"));
  g_vbo.supported = extensions && std::strstr(extensions, "GL_ARB_vertex_buffer_object") &&
                    g_vbo.glGenBuffersARB && g_vbo.glBindBufferARB && g_vbo.glBufferDataARB;
  return g_vbo.supported;
}

void disableBufferObjects() { g_vbo = VboSupport{}; }

int bufferSize(unsigned int buffer) {
  auto getParameter = reinterpret_cast<PFNGLGETBUFFERPARAMETERIVARBPROC>(
      SDL_GL_GetProcAddress("glGetBufferParameterivARB"));
  GLint size = -1;
  g_vbo.glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
  getParameter(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &size);
  return size;
}
