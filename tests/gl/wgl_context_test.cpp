// Pixel formats and OpenGL contexts of the stand-in on a real window, with
// Mesa under Xvfb.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "platform/testing.h"
#include "tests/support/test_window.h"

using platform::testing::Failure;
using platform::testing::forceFailure;

namespace {

// The descriptor that the render start-up asks for, at 32 bits per pixel.
PIXELFORMATDESCRIPTOR descriptor() {
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_STEREO_DONTCARE;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 32;
  format.cRedBits = format.cGreenBits = format.cBlueBits = 8;
  format.cRedShift = 16;
  format.cGreenShift = 8;
  format.cDepthBits = 16;
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

class WglContext : public ::testing::Test {
 protected:
  RecordingWindow window{"Context", 64, 48};
  HDC dc = GetDC(window.handle);
  PIXELFORMATDESCRIPTOR format = descriptor();
};

}  // namespace

TEST_F(WglContext, ACreatedContextDrawsOnceMadeCurrent) {
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDC(window.handle), dc) << "the window's own device context";
  const int chosen = ChoosePixelFormat(dc, &format);
  ASSERT_NE(chosen, 0);
  ASSERT_TRUE(SetPixelFormat(dc, chosen, &format));
  const HGLRC context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr) << "not current until made so";

  ASSERT_TRUE(wglMakeCurrent(dc, context));
  GLint bits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &bits);
  EXPECT_GE(bits, 16);
  glGetIntegerv(GL_RED_BITS, &bits);
  EXPECT_GE(bits, 8);
  GLboolean doubleBuffered = GL_FALSE;
  glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
  EXPECT_TRUE(doubleBuffered);
  EXPECT_NE(wglGetProcAddress("glGenBuffersARB"), nullptr);

  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glReadBuffer(GL_BACK);
  unsigned char pixel[4] = {};
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[0], 255);
  EXPECT_EQ(pixel[1], 0);
  EXPECT_TRUE(SwapBuffers(dc));

  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_TRUE(wglMakeCurrent(dc, context));
  EXPECT_TRUE(wglDeleteContext(context));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr) << "deleting the current context releases it";
  EXPECT_FALSE(wglDeleteContext(context));
  EXPECT_FALSE(wglMakeCurrent(dc, context));
}

TEST_F(WglContext, OnlyOpenGlRgbaFormatsOnWindowsAreOffered) {
  const HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(ChoosePixelFormat(memory, &format), 0);
  DeleteDC(memory);
  PIXELFORMATDESCRIPTOR withoutGl = format;
  withoutGl.dwFlags &= ~DWORD(PFD_SUPPORT_OPENGL);
  EXPECT_EQ(ChoosePixelFormat(dc, &withoutGl), 0);
  PIXELFORMATDESCRIPTOR colourIndex = format;
  colourIndex.iPixelType = 1;  // PFD_TYPE_COLORINDEX
  EXPECT_EQ(ChoosePixelFormat(dc, &colourIndex), 0);

  // No format found is format 0, which cannot be set; without a format there
  // is no context.
  EXPECT_FALSE(SetPixelFormat(dc, 0, &format));
  EXPECT_EQ(wglCreateContext(dc), nullptr);
}

TEST_F(WglContext, FailuresCanBeForced) {
  forceFailure(Failure::PixelFormatNotSet);
  EXPECT_FALSE(SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format));
  forceFailure(Failure::PixelFormatNotSet, false);
  ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format));

  forceFailure(Failure::ContextNotCreated);
  EXPECT_EQ(wglCreateContext(dc), nullptr);
  forceFailure(Failure::ContextNotCreated, false);
  const HGLRC context = wglCreateContext(dc);
  ASSERT_NE(context, nullptr);

  forceFailure(Failure::ContextNotMadeCurrent);
  EXPECT_FALSE(wglMakeCurrent(dc, context));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  forceFailure(Failure::ContextNotMadeCurrent, false);
  EXPECT_TRUE(wglMakeCurrent(dc, context));
  wglDeleteContext(context);
}
