// StarBackground on a real context: scrolling with the target's turning,
// wrapping from above only, each axis's repeat count, and the state it leaves.
#include "scene/star_background.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/frame_clock.h"
#include "scene/chase_camera.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

class StarBackgroundTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    g_frameSeconds = 0.0f;
  }

  // A picture of four coloured quarters, stored blue, green, red.
  static constexpr uint8_t kQuarters[2][2][3] = {{{0, 0, 255}, {0, 255, 0}}, {{255, 0, 0}, {255, 255, 255}}};
  std::string quarters() const {
    constexpr int kSide = 64;
    std::vector<uint8_t> pixels;
    for (int t = 0; t < kSide; ++t)
      for (int s = 0; s < kSide; ++s) {
        const uint8_t* colour = kQuarters[t * 2 / kSide][s * 2 / kSide];
        pixels.insert(pixels.end(), colour, colour + 3);
      }
    return writeTemporaryFile("quarters.bmp", infoBitmap({kSide, kSide}, {}, pixels));
  }

  SceneObject ship_;
  ChaseCamera camera_{&ship_, Vector3(0.0, 0.02, 0.07)};
};

TEST_F(StarBackgroundTest, YawAndPitchScrollTheStarsAHundredthPerDegreeWrappingFromAboveOnlyOrDriftWithoutATarget) {
  StarBackground background(&camera_, quarters().c_str(), 1.0f, 1.0f);
  ship_.rotationY = 5.0f;
  background.draw();
  EXPECT_FLOAT_EQ(background.offsetU, -0.05f);
  EXPECT_EQ(background.offsetV, 0.0f);
  ship_.rotationY = 0.0f;
  ship_.rotationX = -5.0f;
  ship_.rotationZ = 30.0f;  // roll does not scroll
  background.draw();
  EXPECT_FLOAT_EQ(background.offsetU, -0.05f);
  EXPECT_FLOAT_EQ(background.offsetV, 0.05f);

  ship_.rotationX = ship_.rotationZ = 0.0f;
  background.offsetU = 0.98f;
  ship_.rotationY = -3.0f;  // drawn at 1.01, then wrapped
  background.draw();
  EXPECT_NEAR(background.offsetU, 0.01f, 1e-6f);
  ship_.rotationY = 0.0f;
  background.offsetU = -0.5f;
  background.draw();
  EXPECT_EQ(background.offsetU, -0.5f);

  ChaseCamera freeCamera;
  StarBackground drifting(&freeCamera, quarters().c_str(), 1.0f, 1.0f);
  drifting.driftU = 0.5f;
  drifting.driftV = -0.25f;
  g_frameSeconds = 0.5f;
  drifting.draw();
  EXPECT_FLOAT_EQ(drifting.offsetU, 0.25f);
  EXPECT_FLOAT_EQ(drifting.offsetV, -0.125f);
}

// Each screen point shows the quarter that its texture coordinate, scaled by
// each axis's own repeat count from the top left corner, falls in.
TEST_F(StarBackgroundTest, EachAxisRepeatsThePictureItsOwnNumberOfTimesFromTheTopLeft) {
  StarBackground background(&camera_, quarters().c_str(), 2.0f, 3.0f);
  const std::vector<float> projection = glMatrix(GL_PROJECTION_MATRIX);
  glTranslatef(1.0f, 2.0f, 3.0f);
  background.draw();
  const std::vector<uint8_t> frame = readPixels();
  for (int i = 0; i < 64; ++i) {  // eight by eight points, none near a quarter's edge
    const double fx = (i % 8 + 0.5) / 8, fy = (i / 8 + 0.5) / 8;
    const uint8_t* stored = kQuarters[int(fy * 3.0 * 2) % 2][int(fx * 2.0 * 2) % 2];
    const uint8_t* shown = &frame[(size_t(kHeight - 1 - int(fy * kHeight)) * kWidth + int(fx * kWidth)) * 3];
    EXPECT_EQ(std::vector<int>(shown, shown + 3), (std::vector<int>{stored[2], stored[1], stored[0]}))
        << "at " << fx << ", " << fy << " of the screen";
  }
  EXPECT_EQ(glMatrix(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(glMatrix(GL_MODELVIEW_MATRIX), kIdentityMatrix);
  GLint mode = 0, wrapS = 0, wrapT = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
  EXPECT_EQ(wrapS + wrapT, 2 * GL_CLAMP);
}

TEST_F(StarBackgroundTest, WithoutAStarPictureTheSkyIsClearedBlack) {
  StarBackground background(&camera_, temporaryPath("none.bmp").c_str(), 1.0f, 1.0f);
  ASSERT_EQ(background.texture, -1);
  glClearColor(1, 1, 1, 1);  // what the last frame left on screen
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0.5f);
  background.draw();
  for (uint8_t value : readPixels()) ASSERT_EQ(value, 0);
}

}  // namespace
