// The whole-word extension search, initGraphics on a window of the stand-in,
// as start-up runs it, and the font's size.
#include "render/graphics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/display_settings.h"
#include "platform/testing.h"
#include "render/font.h"
#include "tests/support/gl_context.h"

namespace {

using platform::testing::Failure;

TEST(ExtensionSearch, FindsTheNameOnlyAsAWholeWord) {
  const char* const kVbo = "GL_ARB_vertex_buffer_object";
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"GL_EXT_a GL_ARB_vertex_buffer_object GL_EXT_b", kVbo, true},
      {"GL_ARB_vertex_buffer_object_x GL_ARB_vertex_buffer_object", kVbo, true},  // after a rejected one
      {"GL_EXT_a GL_ARB_vertex_buffer_object_x GL_EXT_b", kVbo, false},
      {"GL_EXT_aGL_ARB_vertex_buffer_object GL_EXT_b", kVbo, false},
      {nullptr, kVbo, false},
      {"GL_EXT_a  GL_EXT_b", "", false},
      {"GL_EXT_a GL_EXT_b", "GL_EXT_a GL_EXT_b", false},
  };
  for (const auto& [list, name, found] : cases) EXPECT_EQ(isWordInList(list, name), found) << list << "/" << name;
}

using GraphicsTest = GlContextTest;

TEST_F(GraphicsTest, LeavesTheRenderStateEveryFrameReliesOnAndShowsTheSplash) {
  const GLint integers[][2] = {{GL_TEXTURE_2D, 1}, {GL_DEPTH_TEST, 1}, {GL_COLOR_MATERIAL, 1}, {GL_CULL_FACE, 1},
                               {GL_BLEND, 0}, {GL_LIGHTING, 0}, {GL_SHADE_MODEL, GL_SMOOTH}, {GL_DEPTH_FUNC, GL_LEQUAL},
                               {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}, {GL_DRAW_BUFFER, GL_BACK},
                               {GL_CULL_FACE_MODE, GL_BACK}, {GL_FRONT_FACE, GL_CCW},
                               {GL_COLOR_MATERIAL_FACE, GL_FRONT_AND_BACK},
                               {GL_COLOR_MATERIAL_PARAMETER, GL_AMBIENT_AND_DIFFUSE}, {GL_MATRIX_MODE, GL_MODELVIEW},
                               {GL_DOUBLEBUFFER, 1}};
  for (const auto& [name, expected] : integers) {
    GLint value = 0;
    glGetIntegerv(GLenum(name), &value);
    EXPECT_EQ(value, expected) << name;
  }
  GLfloat clear[5];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, clear + 4);
  EXPECT_EQ(std::vector<float>(clear, clear + 5), (std::vector<float>{0, 0, 0, 0.5f, 1}));
  EXPECT_EQ(glMatrix(GL_MODELVIEW_MATRIX), kIdentityMatrix);
  EXPECT_NE(HudFont, 0u);
  // Mesa's software driver presents by copying: the back buffer still holds the splash.
  EXPECT_GT(kWidth * kHeight - ink(readPixels(), kBlack), 100);
  // Mesa lists buffer objects, with all their entry points.
  EXPECT_TRUE(g_vbo.supported && g_vbo.glGenBuffersARB && g_vbo.glBindBufferARB && g_vbo.glBufferDataARB &&
              g_vbo.glDeleteBuffersARB);
  // The viewport covers the client area under a perspective 45 degrees high.
  for (const auto& [width, height] : {std::pair{800, 600}, {1280, 1024}}) {
    openWindow(width, height);
    ASSERT_TRUE(initGraphics());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, width, height}));
    const std::vector<float> projection = glMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(projection[5] / projection[0], static_cast<double>(width) / height, 1e-6);
    EXPECT_NEAR(projection[5], 1 / std::tan(22.5 * M_PI / 180), 1e-5);
  }
}

TEST_F(GraphicsTest, FontHeightFollowsTheDisplayWidthOnly) {
  for (const auto& [width, height] : {std::pair{800, -15}, {1024, -20}, {1366, -26}, {1920, -37}}) {
    g_display = {width, 480, 32, 60};
    buildFont();
    EXPECT_EQ(platform::testing::lastFontRequest().height, height) << width;
    EXPECT_EQ(platform::testing::lastFontRequest().faceName, "Agency FB");
    EXPECT_EQ(platform::testing::liveGdiObjects(), 0u) << "the font is selected out and deleted";
  }
}

TEST_F(GraphicsTest, FailsWhenThePixelFormatOrTheContextCannotBeHad) {
  for (const Failure failure : {Failure::PixelFormatNotSet, Failure::ContextNotCreated, Failure::ContextNotMadeCurrent}) {
    openWindow(320, 240);
    platform::testing::forceFailure(failure);
    EXPECT_FALSE(initGraphics()) << static_cast<int>(failure);
    platform::testing::forceFailure(failure, false);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "no context is current";
    EXPECT_EQ(HudFont, 0u) << "nothing was drawn";
  }
}

}  // namespace
