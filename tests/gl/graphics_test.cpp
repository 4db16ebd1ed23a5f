// The whole-word extension search, and initGraphics on a window of the
// stand-in, as start-up runs it.
#include "render/graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/display_settings.h"
#include "app/main_window.h"
#include "platform/testing.h"
#include "render/font.h"
#include "tests/support/gl_context.h"
#include "tests/support/test_window.h"

namespace {

using platform::testing::Failure;
using platform::testing::forceFailure;

constexpr const char* kVbo = "GL_ARB_vertex_buffer_object";

TEST(ExtensionSearch, FindsTheNameOnlyAsAWholeWord) {
  const struct {
    const char* list;
    const char* name;
    bool found;
  } cases[] = {
      {"GL_ARB_vertex_buffer_object", kVbo, true},
      {"GL_EXT_a GL_ARB_vertex_buffer_object GL_EXT_b", kVbo, true},
      {"GL_ARB_vertex_buffer_object_x GL_ARB_vertex_buffer_object", kVbo, true},  // after a rejected one
      {"GL_EXT_a GL_ARB_vertex_buffer_object_x GL_EXT_b", kVbo, false},
      {"GL_EXT_aGL_ARB_vertex_buffer_object GL_EXT_b", kVbo, false},
      {"GL_ARB_vertex_buffer", kVbo, false},
      {nullptr, kVbo, false},
      {"GL_EXT_a  GL_EXT_b", "", false},
      {"GL_EXT_a GL_EXT_b", "GL_EXT_a GL_EXT_b", false},
      {"GL_EXT_a GL_EXT_b", nullptr, false},
  };
  for (const auto& c : cases) EXPECT_EQ(isWordInList(c.list, c.name), c.found) << (c.list ? c.list : "null");
}

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

 private:
  std::unique_ptr<RecordingWindow> window_;
};

TEST_F(GraphicsTest, LeavesTheRenderStateEveryFrameReliesOnAndShowsTheSplash) {
  openWindow(800, 600);
  ASSERT_TRUE(initGraphics());
  // Capabilities read as integers are 1 when enabled.
  const GLint integers[][2] = {{GL_TEXTURE_2D, 1}, {GL_DEPTH_TEST, 1}, {GL_COLOR_MATERIAL, 1}, {GL_CULL_FACE, 1},
                               {GL_BLEND, 0}, {GL_LIGHTING, 0}, {GL_SHADE_MODEL, GL_SMOOTH}, {GL_DEPTH_FUNC, GL_LEQUAL},
                               {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}, {GL_DRAW_BUFFER, GL_BACK},
                               {GL_CULL_FACE_MODE, GL_BACK}, {GL_FRONT_FACE, GL_CCW},
                               {GL_COLOR_MATERIAL_FACE, GL_FRONT_AND_BACK},
                               {GL_COLOR_MATERIAL_PARAMETER, GL_AMBIENT_AND_DIFFUSE}, {GL_MATRIX_MODE, GL_MODELVIEW}};
  for (const auto& [name, expected] : integers) {
    GLint value = 0;
    glGetIntegerv(GLenum(name), &value);
    EXPECT_EQ(value, expected) << name;
  }
  GLfloat clear[5];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, clear + 4);
  EXPECT_EQ(std::vector<float>(clear, clear + 5), (std::vector<float>{0, 0, 0, 0.5f, 1}));
  GLint environment = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
  EXPECT_EQ(environment, GL_MODULATE);
  EXPECT_EQ(glMatrix(GL_MODELVIEW_MATRIX), kIdentityMatrix);
  EXPECT_NE(HudFont, 0u);
  GLint depthBits = 0, doubleBuffered = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_DOUBLEBUFFER, &doubleBuffered);
  EXPECT_GE(depthBits, 16);
  EXPECT_TRUE(doubleBuffered);
  // Mesa's software driver presents by copying: the back buffer still holds the splash.
  const std::vector<uint8_t> pixels = readPixels(800, 600);
  EXPECT_GT(std::count(pixels.begin(), pixels.end(), 255), 300);
  // Mesa lists buffer objects, with all their entry points.
  EXPECT_TRUE(g_vbo.supported);
  EXPECT_TRUE(g_vbo.glGenBuffersARB && g_vbo.glBindBufferARB && g_vbo.glBufferDataARB && g_vbo.glDeleteBuffersARB);
  EXPECT_TRUE(isExtensionSupported("GL_ARB_vertex_buffer_object"));
  EXPECT_FALSE(isExtensionSupported("GL_ARB_vertex_buffer"));
}

TEST_F(GraphicsTest, TheViewportCoversTheClientArea) {
  for (const auto& [width, height] : {std::pair{800, 600}, {1280, 1024}}) {
    openWindow(width, height);
    ASSERT_TRUE(initGraphics());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, width, height}));
    const std::vector<float> projection = glMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(projection[5] / projection[0], static_cast<double>(width) / height, 1e-6);
    EXPECT_NEAR(projection[5], 1 / std::tan(22.5 * M_PI / 180), 1e-5) << "45 degrees high";
  }
}

TEST_F(GraphicsTest, FailsWhenThePixelFormatOrTheContextCannotBeHad) {
  for (const Failure failure : {Failure::PixelFormatNotSet, Failure::ContextNotCreated, Failure::ContextNotMadeCurrent}) {
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
