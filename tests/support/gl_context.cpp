#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

const std::vector<float> kIdentityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

std::vector<uint8_t> readPixels(int width, int height) {
  std::vector<uint8_t> pixels(size_t(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::vector<float> glMatrix(unsigned int which) {
  std::vector<float> matrix(16);
  glGetFloatv(which, matrix.data());
  return matrix;
}

void GlContextTest::SetUp() {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  window_ = SDL_CreateWindow("gl test", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
  ASSERT_NE(window_, nullptr) << SDL_GetError();
  context_ = SDL_GL_CreateContext(static_cast<SDL_Window*>(window_));
  ASSERT_NE(context_, nullptr) << SDL_GetError();
  glViewport(0, 0, kWidth, kHeight);
}

void GlContextTest::TearDown() {
  if (context_) SDL_GL_DeleteContext(context_);
  if (window_) SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void GlContextTest::enableWorldDrawingState() {
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
}
