#include "tests/support/gl_context.h"

#include <GL/gl.h>

#include "app/display_settings.h"
#include "app/main_window.h"
#include "render/font.h"
#include "render/graphics.h"

const std::vector<float> kIdentityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

std::vector<uint8_t> readPixels() {
  std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::vector<float> glMatrix(unsigned int which) {
  std::vector<float> matrix(16);
  glGetFloatv(which, matrix.data());
  return matrix;
}

int ink(const std::vector<uint8_t>& pixels, Colour colour, int left, int right) {
  int count = 0;
  for (size_t k = 0; k < pixels.size(); k += 3) {
    const int x = int(k / 3 % kWidth);
    count += x >= left && x < right && pixels[k] == colour.r && pixels[k + 1] == colour.g &&
             pixels[k + 2] == colour.b;
  }
  return count;
}

void GlContextTest::openWindow(int width, int height) {
  closeWindow();
  window_ = std::make_unique<RecordingWindow>("Orbitrand graphics", width, height);
  g_window = window_->handle;
  g_display = DisplaySettings{width, height, 32, 60};
}

void GlContextTest::closeWindow() {
  if (g_glContext) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(g_glContext);
  }
  g_glContext = nullptr;
  g_deviceContext = nullptr;
  g_window = nullptr;
  g_vbo = VboSupport{};
  HudFont = 0;
  window_.reset();
}
