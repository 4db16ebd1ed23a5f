// StarBackground on a real context: scrolling with the target's turning,
// wrapping from above only, and the state it leaves behind.
#include "scene/star_background.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
    std::vector<uint8_t> pixels;
    for (int k = 0; k < 16; ++k) pixels.insert(pixels.end(), {uint8_t(k * 15), 255, uint8_t(255 - k * 15)});
    starsPath_ = writeTemporaryFile("stars.bmp", infoBitmap({4, 4}, {}, pixels));
  }

  std::unique_ptr<StarBackground> stars(ChaseCamera* camera) {
    return std::make_unique<StarBackground>(camera, starsPath_.c_str(), 1.0f, 1.0f);
  }

  SceneObject ship_;
  ChaseCamera camera_{&ship_, Vector3(0.0, 0.02, 0.07)};
  std::string starsPath_;
};

TEST_F(StarBackgroundTest, YawAndPitchScrollTheStarsAHundredthPerDegree) {
  auto background = stars(&camera_);
  ship_.rotationY = 5.0f;
  background->draw();
  EXPECT_FLOAT_EQ(background->offsetU, -0.05f);
  EXPECT_EQ(background->offsetV, 0.0f);

  ship_.rotationY = 0.0f;
  ship_.rotationX = -5.0f;
  ship_.rotationZ = 30.0f;  // roll does not scroll
  background->draw();
  EXPECT_FLOAT_EQ(background->offsetU, -0.05f);
  EXPECT_FLOAT_EQ(background->offsetV, 0.05f);
}

TEST_F(StarBackgroundTest, OffsetsWrapAfterDrawingAndOnlyFromAbove) {
  auto background = stars(&camera_);
  background->offsetU = 0.98f;
  ship_.rotationY = -3.0f;  // drawn at 1.01, then wrapped
  background->draw();
  EXPECT_NEAR(background->offsetU, 0.01f, 1e-6f);

  ship_.rotationY = 0.0f;
  background->offsetU = -0.5f;
  background->draw();
  EXPECT_EQ(background->offsetU, -0.5f);
}

TEST_F(StarBackgroundTest, WithoutATargetOnlyTheDriftMoves) {
  ChaseCamera freeCamera;
  auto background = stars(&freeCamera);
  background->draw();
  EXPECT_EQ(background->offsetU, 0.0f);
  EXPECT_EQ(background->offsetV, 0.0f);
  background->driftU = 0.5f;
  background->driftV = -0.25f;
  g_frameSeconds = 0.5f;
  background->draw();
  EXPECT_FLOAT_EQ(background->offsetU, 0.25f);
  EXPECT_FLOAT_EQ(background->offsetV, -0.125f);
}

TEST_F(StarBackgroundTest, DrawingRestoresTheProjectionAndClampsTheTexture) {
  auto background = stars(&camera_);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, double(kWidth) / kHeight, 0.01, 1500000.0);
  float before[16], after[16], modelview[16];
  readMatrix(GL_PROJECTION_MATRIX, before);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(1.0f, 2.0f, 3.0f);

  background->draw();
  readMatrix(GL_PROJECTION_MATRIX, after);
  readMatrix(GL_MODELVIEW_MATRIX, modelview);
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(after[k], before[k]) << k;
    EXPECT_EQ(modelview[k], k % 5 == 0 ? 1.0f : 0.0f) << k;
  }
  GLint mode = 0, wrapS = 0, wrapT = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  glBindTexture(GL_TEXTURE_2D, GLuint(background->texture));
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
  EXPECT_EQ(wrapS, GL_CLAMP);
  EXPECT_EQ(wrapT, GL_CLAMP);
}

TEST_F(StarBackgroundTest, TheQuadCoversTheWholeScreen) {
  auto background = stars(&camera_);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  background->draw();
  glFinish();
  const auto frame = readPixels();
  for (size_t k = 0; k < frame.size(); k += 3) ASSERT_EQ(frame[k + 1], 255) << "pixel " << k / 3;
}

TEST_F(StarBackgroundTest, WithoutAStarPictureTheSkyIsClearedBlack) {
  auto background = std::make_unique<StarBackground>(&camera_, temporaryPath("none.bmp").c_str(), 1.0f, 1.0f);
  ASSERT_EQ(background->texture, -1);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_QUADS);  // what the last frame left on screen
  glVertex2f(-1, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
  glEnable(GL_TEXTURE_2D);
  background->draw();
  glFinish();
  for (uint8_t value : readPixels()) ASSERT_EQ(value, 0);
}

}  // namespace
