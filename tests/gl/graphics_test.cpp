#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/display_settings.h"
#include "app/main_window.h"
#include "platform/testing.h"
#include "render/font.h"
#include "render/graphics.h"
#include "tests/support/test_window.h"

namespace {

using platform::testing::Failure;
using platform::testing::forceFailure;

// initGraphics on a window of the stand-in, as start-up runs it.
class GraphicsTest : public ::testing::Test {
 protected:
  void openWindow(int width, int height) {
    closeWindow();
    window_ = std::make_unique<RecordingWindow>("Orbitrand graphics", width, height);
    g_window = window_->handle;
    g_display = DisplaySettings{width, height, 32, 60};
  }
  void closeWindow() {
    if (g_glContext) {
      wglMakeCurrent(nullptr, nullptr);
      wglDeleteContext(g_glContext);
    }
    g_glContext = nullptr;
    g_deviceContext = nullptr;
    g_window = nullptr;
    HudFont = 0;
    window_.reset();
  }
  void TearDown() override { closeWindow(); }

  static std::vector<float> matrix(GLenum which) {
    std::vector<float> values(16);
    glGetFloatv(which, values.data());
    return values;
  }

  // The perspective of the start-up, made afresh for comparison.
  static std::vector<float> expectedProjection(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, static_cast<double>(0.01f),
                   1500000.0);
    std::vector<float> expected = matrix(GL_PROJECTION_MATRIX);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return expected;
  }

  void expectProjectionFollowsTheClientArea(int width, int height) {
    openWindow(width, height);
    ASSERT_TRUE(initGraphics());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], width);
    EXPECT_EQ(viewport[3], height);
    const std::vector<float> projection = matrix(GL_PROJECTION_MATRIX);
    EXPECT_EQ(projection, expectedProjection(width, height));
    EXPECT_NEAR(projection[5] / projection[0], static_cast<double>(width) / height, 1e-6);
  }

 private:
  std::unique_ptr<RecordingWindow> window_;
};

TEST_F(GraphicsTest, LeavesTheRenderStateEveryFrameReliesOn) {
  openWindow(800, 600);
  ASSERT_TRUE(initGraphics());

  for (const GLenum on : {GL_TEXTURE_2D, GL_DEPTH_TEST, GL_COLOR_MATERIAL, GL_CULL_FACE}) {
    EXPECT_TRUE(glIsEnabled(on)) << on;
  }
  for (const GLenum off : {GL_BLEND, GL_LIGHTING}) EXPECT_FALSE(glIsEnabled(off)) << off;
  GLfloat clear[4], depthClear = 0;
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depthClear);
  EXPECT_EQ(std::vector<float>(clear, clear + 4), (std::vector<float>{0, 0, 0, 0.5f}));
  EXPECT_EQ(depthClear, 1.0f);
  const struct {
    GLenum name;
    GLint value;
  } integers[] = {
      {GL_SHADE_MODEL, GL_SMOOTH},
      {GL_DEPTH_FUNC, GL_LEQUAL},
      {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
      {GL_DRAW_BUFFER, GL_BACK},
      {GL_CULL_FACE_MODE, GL_BACK},
      {GL_FRONT_FACE, GL_CCW},
      {GL_COLOR_MATERIAL_FACE, GL_FRONT_AND_BACK},
      {GL_COLOR_MATERIAL_PARAMETER, GL_AMBIENT_AND_DIFFUSE},
      {GL_MATRIX_MODE, GL_MODELVIEW},
  };
  for (const auto& expected : integers) {
    GLint value = 0;
    glGetIntegerv(expected.name, &value);
    EXPECT_EQ(value, expected.value) << expected.name;
  }
  GLint environment = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
  EXPECT_EQ(environment, GL_MODULATE);
  EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX),
            (std::vector<float>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  EXPECT_NE(HudFont, 0u);
}

TEST_F(GraphicsTest, ProjectionIsTheFortyFiveDegreePerspectiveOverTheClientArea) {
  expectProjectionFollowsTheClientArea(800, 600);
  expectProjectionFollowsTheClientArea(1280, 1024);
}

TEST_F(GraphicsTest, PresentsTheLoadingSplash) {
  openWindow(800, 600);
  ASSERT_TRUE(initGraphics());
  // Mesa's software driver presents by copying, so the back buffer still
  // holds the frame that went to the window.
  std::vector<uint8_t> pixels(800 * 600 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  int white = 0, whiteLeftBelowCentre = 0, other = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      const uint8_t* p = &pixels[(y * 800 + x) * 3];
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) {
        ++white;
        whiteLeftBelowCentre += x < 400 && y < 300;
      } else if (p[0] || p[1] || p[2]) {
        ++other;
      }
    }
  }
  EXPECT_GT(white, 100);
  EXPECT_GT(whiteLeftBelowCentre, 10);
  EXPECT_EQ(other, 0) << "white text on black";
}

TEST_F(GraphicsTest, BufferObjectsComeWithAllTheirEntryPoints) {
  openWindow(320, 240);
  ASSERT_TRUE(initGraphics());
  ASSERT_TRUE(isExtensionSupported("GL_ARB_vertex_buffer_object")) << "Mesa lists it";
  EXPECT_TRUE(g_vbo.supported);
  EXPECT_TRUE(g_vbo.glGenBuffersARB && g_vbo.glBindBufferARB && g_vbo.glBufferDataARB &&
              g_vbo.glDeleteBuffersARB);
  EXPECT_FALSE(isExtensionSupported("GL_ARB_vertex_buffer"));
}

TEST_F(GraphicsTest, WithoutBufferObjectEntryPointsTheExtensionCountsAsAbsent) {
  forceFailure(Failure::NoBufferObjects);
  openWindow(320, 240);
  ASSERT_TRUE(initGraphics());
  EXPECT_FALSE(g_vbo.supported);
  EXPECT_EQ(g_vbo.glGenBuffersARB, nullptr);
  EXPECT_EQ(g_vbo.glBindBufferARB, nullptr);
  EXPECT_EQ(g_vbo.glBufferDataARB, nullptr);
  EXPECT_EQ(g_vbo.glDeleteBuffersARB, nullptr);
  forceFailure(Failure::NoBufferObjects, false);
}

TEST_F(GraphicsTest, FailsWhenThePixelFormatOrTheContextCannotBeHad) {
  for (const Failure failure :
       {Failure::PixelFormatNotSet, Failure::ContextNotCreated, Failure::ContextNotMadeCurrent}) {
    openWindow(320, 240);
    forceFailure(failure);
    EXPECT_FALSE(initGraphics()) << static_cast<int>(failure);
    forceFailure(failure, false);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "no context is current";
    EXPECT_EQ(HudFont, 0u) << "nothing was drawn";
  }
  openWindow(320, 240);
  EXPECT_TRUE(initGraphics());
}

}  // namespace
