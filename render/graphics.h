// The OpenGL drawing surface: pixel format, rendering context, buffer-object
// support and the fixed render state.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>

#include "platform/win32.h"

struct VboSupport {
  bool supported;
  PFNGLGENBUFFERSARBPROC glGenBuffersARB;
  PFNGLBINDBUFFERARBPROC glBindBufferARB;
  PFNGLBUFFERDATAARBPROC glBufferDataARB;
  PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB;
};

extern VboSupport g_vbo;
extern HDC g_deviceContext;
extern HGLRC g_glContext;

// Sets the pixel format, creates and selects the context, sets the render
// state and projection, builds the font and shows the splash.
bool initGraphics();
// Whether the current context's extension string lists name as a whole word.
bool isExtensionSupported(const char* name);
// Whether the space-separated list holds word as one of its words; a word
// that is empty or holds a space is never found.
bool isWordInList(const char* list, const char* word);
// The double-buffered RGBA pixel format asked for at a colour depth; only the
// depth's lowest 8 bits count.
PIXELFORMATDESCRIPTOR pixelFormatFor(int32_t bitsPerPixel);
