#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstring>

namespace {

// Mesa unloads its driver when the display closes, before LeakSanitizer looks
// at what the driver kept: its allocations would then come from an unknown
// module that no suppression can name. Loaded for good, the driver keeps its name.
int keepDriverLoaded(dl_phdr_info* info, size_t, void*) {
  const char* name = info->dlpi_name;
  if (name && std::strstr(name, "/dri/")) dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  return 0;
}

}  // namespace

void GlContextTest::SetUp() {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  window_ = SDL_CreateWindow("gl test", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
  ASSERT_NE(window_, nullptr) << SDL_GetError();
  context_ = SDL_GL_CreateContext(static_cast<SDL_Window*>(window_));
  ASSERT_NE(context_, nullptr) << SDL_GetError();
  dl_iterate_phdr(keepDriverLoaded, nullptr);
  glViewport(0, 0, kWidth, kHeight);
}

void GlContextTest::TearDown() {
  if (context_) SDL_GL_DeleteContext(context_);
  if (window_) SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::vector<uint8_t> GlContextTest::readPixels() const {
  std::vector<uint8_t> pixels(kWidth * kHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

void GlContextTest::readMatrix(unsigned int which, float out[16]) { glGetFloatv(which, out); }
