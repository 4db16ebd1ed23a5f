// The extension search, initGraphics as start-up runs it, the font's size, and
// the heads-up display's lines: their texts, colours and places.
#include "render/graphics.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
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

using namespace platform::testing;

// Found after a longer name that begins with it; never inside another name, as
// the empty word or as two words.
TEST(ExtensionSearch, FindsTheNameOnlyAsAWholeWord) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"a GL_x b", "GL_x", true}, {"GL_xy GL_x", "GL_x", true}, {"a GL_xy b", "GL_x", false},
      {"aGL_x b", "GL_x", false}, {nullptr, "GL_x", false},     {"a  b", "", false},
      {"a b", "a b", false},
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
    glColor3ubv(colour.data());
    glRasterPos2f(x, y);
    printText(text.c_str());
  }
  glEnable(GL_TEXTURE_2D);
  return readPixels();
}

TEST_F(GraphicsTest, LeavesTheRenderStateEveryFrameReliesOnAndShowsTheSplash) {
  const GLenum states[][2] = {
      {GL_TEXTURE_2D, 1},          {GL_DEPTH_TEST, 1},
      {GL_COLOR_MATERIAL, 1},      {GL_CULL_FACE, 1},
      {GL_SHADE_MODEL, GL_SMOOTH}, {GL_DEPTH_FUNC, GL_LEQUAL},
      {GL_DOUBLEBUFFER, 1},        {GL_MATRIX_MODE, GL_MODELVIEW},
      {GL_DEPTH_CLEAR_VALUE, 1},   {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
  };
  for (const auto& [name, expected] : states) EXPECT_EQ(glFloats(name)[0], expected) << name;
  EXPECT_EQ(glFloats(GL_COLOR_CLEAR_VALUE, 4), (std::vector<float>{0, 0, 0, 0.5f}));
  EXPECT_EQ(glFloats(GL_MODELVIEW_MATRIX, 16), kIdentityMatrix);
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
    EXPECT_EQ(glFloats(GL_VIEWPORT, 4), (std::vector<float>{0, 0, float(width), float(height)}));
    const std::vector<float> projection = glFloats(GL_PROJECTION_MATRIX, 16);
    EXPECT_NEAR(projection[5] / projection[0], static_cast<double>(width) / height, 1e-6);
    EXPECT_NEAR(projection[5], 1 / std::tan(22.5 * M_PI / 180), 1e-5);
  }
}

TEST_F(GraphicsTest, FontHeightFollowsTheDisplayWidthOnly) {
  for (const auto& [width, height] : {std::pair{800, -15}, {1024, -20}, {1366, -26}, {1920, -37}}) {
    g_display = {width, 480, 32, 60};
    buildFont();
    EXPECT_EQ(lastFontRequest().height, height) << width;
    EXPECT_EQ(lastFontRequest().faceName, "Agency FB");
    EXPECT_EQ(liveGdiObjects(), 0u) << "the font is selected out and deleted";
  }
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
}

class HudTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    g_controller = &controller;
    g_vbo.supported = false;
  }
  static std::vector<std::string> lines() {
    std::vector<std::string> texts;
    char text[kHudLineSize];
    for (int line = 0; line < kHudLineCount; ++line, texts.push_back(text))
      formatHudLine(HudLine(line), text, sizeof text);
    return texts;
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
    std::string text(kHudLineSize + 8, '#');
    formatHudLine(line, text.data(), kHudLineSize);
    EXPECT_EQ(text.find('\0'), kHudLineSize - 1);
    EXPECT_EQ(text.substr(kHudLineSize), "########");
  }
}

// Each line at its own place and in its colour; at five to four the left
// column falls outside the view.
TEST_F(HudTest, EachLineStandsAtItsPlaceInItsColourAndAtFiveToFourOnlyTheRightColumnShows) {
  for (const bool supported : {false, true}) {
    g_vbo.supported = supported;
    const std::vector<std::string> text = lines();
    const Colour probe = supported ? kGreen : kRed;
    const std::vector<Text> places = {
        {-54, 38, kWhite, text[0]}, {-54, 35, probe, text[1]}, {33, 38, kWhite, text[2]},
        {33, 35, kWhite, text[3]},  {33, 32, kWhite, text[4]}, {33, 29, kWhite, text[5]},
        {33, 26, kWhite, text[6]},
    };
    const std::vector<uint8_t> wanted = picture(places);
    glClear(GL_COLOR_BUFFER_BIT);
    drawHud();  // last, for the state it leaves
    EXPECT_TRUE(readPixels() == wanted) << supported;
  }
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(glFloats(GL_CURRENT_COLOR, 4), std::vector<float>(4, 1)) << "white is left current";

  glViewport(0, 0, 750, 600);  // 1.25, as 1280 x 1024
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.25, 0.01f, 1500000.0);
  glMatrixMode(GL_MODELVIEW);
  glClear(GL_COLOR_BUFFER_BIT);
  drawHud();
  const std::vector<uint8_t> pixels = readPixels();
  EXPECT_EQ(ink(pixels, kGreen) + ink(pixels, kWhite, 0, 375), 0);
  EXPECT_GT(ink(pixels, kWhite, 375), 0);
}

}  // namespace
