// StarBackground on a real context: scrolling with the target's turning,
// wrapping from above only, and the state it leaves behind.
#include "scene/star_background.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "scene/chase_camera.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

class StarBackgroundTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    g_display = {kWidth, kHeight, 32, 60};
    g_frameSeconds = 0.0f;
    glEnable(GL_TEXTURE_2D);
    std::vector<uint8_t> pixels;  // every texel's green is full
    for (int k = 0; k < 16; ++k) pixels.insert(pixels.end(), {uint8_t(k * 15), 255, uint8_t(255 - k * 15)});
    starsPath_ = writeTemporaryFile("stars.bmp", infoBitmap({4, 4}, {}, pixels));
  }

  SceneObject ship_;
  ChaseCamera camera_{&ship_, Vector3(0.0, 0.02, 0.07)};
  std::string starsPath_;
};

TEST_F(StarBackgroundTest, YawAndPitchScrollTheStarsAHundredthPerDegreeWrappingFromAboveOnly) {
  StarBackground background(&camera_, starsPath_.c_str(), 1.0f, 1.0f);
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
}

TEST_F(StarBackgroundTest, WithoutATargetOnlyTheDriftMoves) {
  ChaseCamera freeCamera;
  StarBackground background(&freeCamera, starsPath_.c_str(), 1.0f, 1.0f);
  background.draw();
  EXPECT_EQ(background.offsetU, 0.0f);
  EXPECT_EQ(background.offsetV, 0.0f);
  background.driftU = 0.5f;
  background.driftV = -0.25f;
  g_frameSeconds = 0.5f;
  background.draw();
  EXPECT_FLOAT_EQ(background.offsetU, 0.25f);
  EXPECT_FLOAT_EQ(background.offsetV, -0.125f);
}

TEST_F(StarBackgroundTest, TheQuadCoversTheScreenAndLeavesTheProjectionAndClampsTheTexture) {
  StarBackground background(&camera_, starsPath_.c_str(), 1.0f, 1.0f);
  glMatrixMode(GL_PROJECTION);
  gluPerspective(45.0, double(kWidth) / kHeight, 0.01, 1500000.0);
  const std::vector<float> projection = glMatrix(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(1.0f, 2.0f, 3.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  background.draw();
  const auto frame = readPixels();
  for (size_t k = 0; k < frame.size(); k += 3) ASSERT_EQ(frame[k + 1], 255) << "pixel " << k / 3;
  EXPECT_EQ(glMatrix(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(glMatrix(GL_MODELVIEW_MATRIX), kIdentityMatrix);
  GLint mode = 0, wrapS = 0, wrapT = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  glBindTexture(GL_TEXTURE_2D, GLuint(background.texture));
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
  EXPECT_EQ(wrapS, GL_CLAMP);
  EXPECT_EQ(wrapT, GL_CLAMP);
}

TEST_F(StarBackgroundTest, WithoutAStarPictureTheSkyIsClearedBlack) {
  StarBackground background(&camera_, temporaryPath("none.bmp").c_str(), 1.0f, 1.0f);
  ASSERT_EQ(background.texture, -1);
  glDisable(GL_TEXTURE_2D);
  glRecti(-1, -1, 1, 1);  // what the last frame left on screen
  glEnable(GL_TEXTURE_2D);
  background.draw();
  for (uint8_t value : readPixels()) ASSERT_EQ(value, 0);
}

}  // namespace
