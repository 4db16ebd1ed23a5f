#include "render/graphics.h"

#include <GL/glu.h>

#include <cstring>

#include "app/display_settings.h"
#include "app/main_window.h"
#include "render/font.h"
#include "render/splash.h"

VboSupport g_vbo;
HDC g_deviceContext = nullptr;
HGLRC g_glContext = nullptr;

namespace {

constexpr double kFieldOfView = 45.0;
// The single-precision 0.01 widened, as the projection has always used it.
constexpr double kNearPlane = 0.01f;
constexpr double kFarPlane = 1500000.0;

// An extension's entry point as its own function type. The detour through the
// generic function pointer says that the signature is the driver's promise:
// wglGetProcAddress's own return type differs between Windows and here.
template <typename Function>
Function entryPoint(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

// Buffer objects when the driver lists them and hands out every entry point;
// a listed extension without them would fail at the first call through one.
void probeBufferObjects() {
  g_vbo = VboSupport{};
  if (!isExtensionSupported("GL_ARB_vertex_buffer_object")) return;
  const VboSupport found{
      true,
      entryPoint<PFNGLGENBUFFERSARBPROC>("glGenBuffersARB"),
      entryPoint<PFNGLBINDBUFFERARBPROC>("glBindBufferARB"),
      entryPoint<PFNGLBUFFERDATAARBPROC>("glBufferDataARB"),
      entryPoint<PFNGLDELETEBUFFERSARBPROC>("glDeleteBuffersARB"),
  };
  if (found.glGenBuffersARB && found.glBindBufferARB && found.glBufferDataARB &&
      found.glDeleteBuffersARB) {
    g_vbo = found;
  }
}

// The state every frame relies on; set once.
void setRenderState() {
  glEnable(GL_TEXTURE_2D);
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glDrawBuffer(GL_BACK);
  glDisable(GL_BLEND);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_CULL_FACE);
}

// Viewport and perspective over the window's client area.
void setProjection() {
  RECT client{};
  GetClientRect(g_window, &client);
  const int width = client.right - client.left;
  // A client area without height would give an infinite aspect ratio.
  const int height = client.bottom - client.top > 0 ? client.bottom - client.top : 1;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfView, static_cast<double>(width) / height, kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

}  // namespace

PIXELFORMATDESCRIPTOR pixelFormatFor(int32_t bitsPerPixel) {
  const auto bits = static_cast<BYTE>(bitsPerPixel);
  PIXELFORMATDESCRIPTOR descriptor{};
  descriptor.nSize = sizeof descriptor;
  descriptor.nVersion = 1;
  descriptor.dwFlags =
      PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_STEREO_DONTCARE;
  descriptor.iPixelType = PFD_TYPE_RGBA;
  descriptor.cColorBits = bits;
  descriptor.cRedBits = bits / 4;
  descriptor.cRedShift = bits / 2;
  descriptor.cGreenBits = bits / 4;
  descriptor.cGreenShift = bits / 4;
  descriptor.cBlueBits = bits / 4;
  descriptor.cBlueShift = 0;
  descriptor.cDepthBits = 16;
  descriptor.iLayerType = PFD_MAIN_PLANE;
  return descriptor;
}

bool initGraphics() {
  g_deviceContext = GetDC(g_window);
  const PIXELFORMATDESCRIPTOR descriptor = pixelFormatFor(g_display.BitsPerPixel);
  // No format found gives 0, which SetPixelFormat refuses.
  const int format = ChoosePixelFormat(g_deviceContext, &descriptor);
  if (!SetPixelFormat(g_deviceContext, format, &descriptor)) return false;
  g_glContext = wglCreateContext(g_deviceContext);
  if (!g_glContext) return false;
  if (!wglMakeCurrent(g_deviceContext, g_glContext)) return false;
  probeBufferObjects();
  setRenderState();
  setProjection();
  buildFont();
  drawSplash();
  return true;
}

bool isExtensionSupported(const char* name) {
  return isWordInList(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

bool isWordInList(const char* list, const char* word) {
  if (!list || !word || *word == '\0' || std::strchr(word, ' ')) return false;
  const size_t length = std::strlen(word);
  // An occurrence counts when a space or the string's ends bound it on both
  // sides; a rejected one cannot overlap a later word, which starts after a space.
  for (const char* found = std::strstr(list, word); found;
       found = std::strstr(found + length, word)) {
    const bool startsWord = found == list || found[-1] == ' ';
    const bool endsWord = found[length] == ' ' || found[length] == '\0';
    if (startsWord && endsWord) return true;
  }
  return false;
}
