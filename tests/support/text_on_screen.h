// A GL context set up as graphics start-up leaves it for text: the
// perspective projection over the 800 x 600 window, the model-view identity,
// a black clear colour, and a memory device context standing in for the
// window's, into which the font is selected.
#pragma once

#include <GL/glu.h>

#include <algorithm>
#include <vector>

#include "app/display_settings.h"
#include "render/font.h"
#include "render/graphics.h"
#include "tests/support/gl_context.h"

class TextOnScreenTest : public GlContextTest {
 protected:
  struct Colour {
    uint8_t r, g, b;
  };
  static constexpr Colour kBlack{0, 0, 0}, kWhite{255, 255, 255}, kGreen{0, 255, 0}, kRed{255, 0, 0};

  // The pixels of one colour in a window rectangle, and where they lie.
  struct Ink {
    int count = 0;
    int left = 1 << 30, right = -1, bottom = 1 << 30, top = -1;
  };

  void SetUp() override {
    GlContextTest::SetUp();
    g_display = DisplaySettings{kWidth, kHeight, 32, 60};
    g_deviceContext = CreateCompatibleDC(nullptr);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    setPerspective(kWidth, kHeight);
  }
  void TearDown() override {
    DeleteDC(g_deviceContext);
    g_deviceContext = nullptr;
    HudFont = 0;
    GlContextTest::TearDown();
  }

  // The projection of the start-up over a viewport of this size.
  static void setPerspective(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 0.01f, 1500000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  // Where a point of the plane 100 units in front of the eye lands, in pixels.
  static void windowPosition(float x, float y, double& windowX, double& windowY) {
    double projection[16], windowZ;
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    gluProject(x, y, -100.0, identity, projection, viewport, &windowX, &windowY, &windowZ);
  }

  static Ink ink(const std::vector<uint8_t>& pixels, Colour colour, int left = 0, int bottom = 0,
                 int right = kWidth, int top = kHeight) {
    Ink ink;
    for (int y = std::max(bottom, 0); y < std::min(top, kHeight); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, kWidth); ++x) {
        const uint8_t* p = &pixels[(y * kWidth + x) * 3];
        if (p[0] != colour.r || p[1] != colour.g || p[2] != colour.b) continue;
        ++ink.count;
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.bottom = std::min(ink.bottom, y);
        ink.top = std::max(ink.top, y);
      }
    }
    return ink;
  }
};
