// The extension search, initGraphics as start-up runs it, the font's size, and
// the heads-up display's lines: their texts, colours and places.
#include "render/graphics.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "platform/testing/testing.h"
#include "render/font.h"
#include "render/hud.h"
#include "scene/scene_object.h"
#include "sim/body.h"
#include "sim/ship_controller.h"
#include "tests/support/gl_context.h"

namespace {

using platform::testing::Failure;

TEST(ExtensionSearch, FindsTheNameOnlyAsAWholeWord) {
  const char* const kVbo = "GL_ARB_vertex_buffer_object";
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"GL_EXT_a GL_ARB_vertex_buffer_object GL_EXT_b", kVbo, true},
      {"GL_ARB_vertex_buffer_object_x GL_ARB_vertex_buffer_object", kVbo,
       true},  // after a rejected one
      {"GL_EXT_a GL_ARB_vertex_buffer_object_x GL_EXT_b", kVbo, false},
      {"GL_EXT_aGL_ARB_vertex_buffer_object GL_EXT_b", kVbo, false},
      {nullptr, kVbo, false},
      {"GL_EXT_a  GL_EXT_b", "", false},
      {"GL_EXT_a GL_EXT_b", "GL_EXT_a GL_EXT_b", false},
  };
  for (const auto& [list, name, found] : cases)
    EXPECT_EQ(isWordInList(list, name), found) << list << "/" << name;
}

using GraphicsTest = GlContextTest;

// Texts drawn from raster points of the plane 100 units in front of the eye,
// each in its colour, on black: what the splash and the display must show.
using Text = std::tuple<float, float, Colour, std::string>;
std::vector<uint8_t> picture(const std::vector<Text>& texts) {
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_TEXTURE_2D);
  glLoadIdentity();
  glTranslatef(0, 0, -100);
  for (const auto& [x, y, colour, text] : texts) {
    glColor3ub(colour.r, colour.g, colour.b);
    glRasterPos2f(x, y);
    printText(text.c_str());
  }
  glEnable(GL_TEXTURE_2D);
  return readPixels();
}

TEST_F(GraphicsTest, LeavesTheRenderStateEveryFrameReliesOnAndShowsTheSplash) {
  const GLint integers[][2] = {{GL_TEXTURE_2D, 1},
                               {GL_DEPTH_TEST, 1},
                               {GL_COLOR_MATERIAL, 1},
                               {GL_CULL_FACE, 1},
                               {GL_SHADE_MODEL, GL_SMOOTH},
                               {GL_DEPTH_FUNC, GL_LEQUAL},
                               {GL_DOUBLEBUFFER, 1},
                               {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
                               {GL_MATRIX_MODE, GL_MODELVIEW}};
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
  // Mesa's software driver presents by copying: the back buffer still holds
  // the splash, slightly left of and below the centre.
  const std::vector<uint8_t> splash = readPixels();
  EXPECT_GT(ink(splash, kWhite), 100);
  EXPECT_TRUE(splash == picture({{-5, -1, kWhite, "Loading..."}}));
  // Mesa lists buffer objects, with all their entry points.
  EXPECT_TRUE(g_vbo.supported && g_vbo.glGenBuffersARB && g_vbo.glBindBufferARB &&
              g_vbo.glBufferDataARB && g_vbo.glDeleteBuffersARB);
  // The viewport covers the client area under a perspective 45 degrees high.
  for (const auto& [width, height] : {std::pair{800, 600}, {1280, 1024}}) {
    openWindow(width, height);
    ASSERT_TRUE(initGraphics());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4),
              (std::vector<GLint>{0, 0, width, height}));
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
  for (const Failure failure :
       {Failure::PixelFormatNotSet, Failure::ContextNotCreated, Failure::ContextNotMadeCurrent}) {
    openWindow(320, 240);
    platform::testing::forceFailure(failure);
    EXPECT_FALSE(initGraphics()) << static_cast<int>(failure);
    platform::testing::forceFailure(failure, false);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "no context is current";
    EXPECT_EQ(HudFont, 0u) << "nothing was drawn";
  }
}

class HudTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    g_controller = &controller;
    g_vbo.supported = false;
  }
  void TearDown() override {
    g_controller = nullptr;
    g_fps = 0;
    GlContextTest::TearDown();
  }

  static std::vector<std::string> lines() {
    std::vector<std::string> texts(kHudLineCount);
    for (int line = 0; line < kHudLineCount; ++line) {
      char buffer[kHudLineSize];
      formatHudLine(HudLine(line), buffer, sizeof buffer);
      texts[line] = buffer;
    }
    return texts;
  }

  static std::vector<uint8_t> drawn() {
    glClear(GL_COLOR_BUFFER_BIT);
    drawHud();
    return readPixels();
  }

  SceneObject ship;
  Body body{0.2f, 9, 0.2f, 9};
  ShipController controller{&ship, &body};
};

TEST_F(HudTest, LinesFollowTheClockTheProbeAndTheShipInTheirFieldWidthsAndAreCutNeverOverrun) {
  EXPECT_EQ(lines(), (std::vector<std::string>{"0 FPS", "VBO not supported", "v =   0.000 km/s",
                                               "a =  0.00000 km/s^2", "Vel. Rotating: inactive",
                                               "Thruster: main", "Power:  10%"}));
  g_fps = 60;
  g_vbo.supported = true;
  body.velocity = {0, 3, 4};          // 5 units per second
  body.acceleration = {0, 0, -1e-3};  // 0.1274 km/s^2
  controller.velocityRotating = true;
  controller.thruster = Starboard;
  controller.power = 1.0f;
  EXPECT_EQ(lines(), (std::vector<std::string>{"60 FPS", "VBO supported", "v =  637.000 km/s",
                                               "a =  0.12740 km/s^2", "Vel. Rotating: active",
                                               "Thruster: starboard", "Power:  100%"}));
  controller.thruster = static_cast<Thruster>(6);
  EXPECT_EQ(lines()[kThrusterLine], "Thruster: ");

  body.velocity = {1e100, 0, 0};
  body.acceleration = {0, 1e40, 0};
  for (const HudLine line : {kSpeedLine, kAccelerationLine}) {
    char buffer[kHudLineSize + 8];
    std::memset(buffer, '#', sizeof buffer);
    formatHudLine(line, buffer, kHudLineSize);
    EXPECT_EQ(std::strlen(buffer), kHudLineSize - 1);
    EXPECT_EQ(std::string(buffer + kHudLineSize, 8), "########");
  }
}

// Each line at its own place and in its colour; at five to four the left
// column falls outside the view.
TEST_F(HudTest, EachLineStandsAtItsPlaceInItsColourAndAtFiveToFourOnlyTheRightColumnShows) {
  const float places[kHudLineCount][2] = {{-54, 38}, {-54, 35}, {33, 38}, {33, 35},
                                          {33, 32},  {33, 29},  {33, 26}};
  for (const bool supported : {false, true}) {
    g_vbo.supported = supported;
    std::vector<Text> expected;
    for (int line = 0; line < kHudLineCount; ++line)
      expected.push_back({places[line][0], places[line][1],
                          line != kBufferObjectLine ? kWhite
                          : supported               ? kGreen
                                                    : kRed,
                          lines()[line]});
    const std::vector<uint8_t> wanted = picture(expected);
    EXPECT_TRUE(drawn() == wanted) << supported;  // drawn last, for the state it leaves
  }
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4];
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f) << "white is left current";

  glViewport(0, 0, 750, 600);  // 1.25, as 1280 x 1024
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.25, 0.01f, 1500000.0);
  glMatrixMode(GL_MODELVIEW);
  const std::vector<uint8_t> pixels = drawn();
  EXPECT_EQ(ink(pixels, kGreen) + ink(pixels, kWhite, 0, 375), 0);
  EXPECT_GT(ink(pixels, kWhite, 375), 0);
}

}  // namespace
