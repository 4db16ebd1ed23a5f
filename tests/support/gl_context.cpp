#include "tests/support/gl_context.h"

#include <GL/gl.h>

#include "app/display_settings.h"
#include "app/main_window.h"
#include "render/font.h"
#include "render/graphics.h"

std::vector<uint8_t> readPixels() {
  std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::vector<float> glFloats(unsigned int name, int count) {
  std::vector<float> values(16);  // as many as any name holds
  glGetFloatv(name, values.data());
  values.resize(size_t(count));
  return values;
}

int ink(const std::vector<uint8_t>& pixels, Colour colour, int left, int right) {
  int count = 0;
  for (size_t k = 0; k < pixels.size(); k += 3) {
    const int x = int(k / 3 % kWidth);
    count += x >= left && x < right && Colour{pixels[k], pixels[k + 1], pixels[k + 2]} == colour;
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
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(g_glContext);  // refuses a null context
  g_glContext = nullptr;
  g_deviceContext = nullptr;
  g_vbo = VboSupport{};
  HudFont = 0;
  window_.reset();
}
