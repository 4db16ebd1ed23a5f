// SceneObject on a real context: turning, drawing at its place, its texture;
// StarBackground: scrolling, wrapping, each axis's repeat count, the state it leaves.
#include "scene/scene_object.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/testing/testing.h"
#include "scene/chase_camera.h"
#include "scene/star_background.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

using namespace platform::testing;
using SceneObjectTest = GlContextTest;

// Where the orientation takes the object's own axes, rounded to whole numbers.
std::vector<int> axesOf(const SceneObject& object) {
  std::vector<int> columns;
  for (int k : {0, 1, 2, 4, 5, 6, 8, 9, 10})
    columns.push_back(int(std::lround(object.orientation.m[k])));
  return columns;
}

TEST_F(SceneObjectTest,
       RotationsTurnAboutOwnAxesXThenYAndAccumulateBeginDrawPlacesAndRefreshesTheAxes) {
  SceneObject object;
  *object.position = Vector3(1, 2, 3);
  object.rotationX = object.rotationY = 90;
  object.applyRotations();
  // Rx(90) Ry(90) takes x to y, y to z and z to x.
  EXPECT_EQ(axesOf(object), (std::vector<int>{0, 1, 0, 0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(object.forward, Vector3(0, 0, -1));  // still the previous orientation
  EXPECT_EQ(object.rotationX, 90.0f);            // increments stay until drawn
  glTranslatef(0, 0, -10);                       // stands in for the view
  object.beginDraw();
  EXPECT_TRUE(near(object.forward, Vector3(-1, 0, 0)));
  EXPECT_TRUE(near(object.up, Vector3(0, 0, 1)));
  EXPECT_EQ(object.rotationX + object.rotationY, 0.0f);
  // Translated, then turned, on the current matrix: its origin lands at its
  // position in view, its -Z axis along forward.
  Matrix4 drawn;
  glGetFloatv(GL_MODELVIEW_MATRIX, drawn.data());
  EXPECT_TRUE(near(drawn.transformPoint(Vector3()), Vector3(1, 2, -7)));
  EXPECT_TRUE(near(drawn.transformPoint(Vector3(0, 0, -1)), Vector3(0, 2, -7)));

  object.rotationX = 90;
  object.applyRotations();  // then Rx(90) after them: x to y, y to x, z to -z
  EXPECT_EQ(axesOf(object), (std::vector<int>{0, 1, 0, 1, 0, 0, 0, 0, -1}));
  // The matrix mode stays the modelview and the stack is left as it was.
  EXPECT_EQ(glFloats(GL_MATRIX_MODE)[0], GL_MODELVIEW);
  EXPECT_EQ(glFloats(GL_MODELVIEW_STACK_DEPTH)[0], 1);
}

TEST_F(SceneObjectTest, LoadTextureMakesALinearTextureBottomRowFirstOrNone) {
  SceneObject object;
  // Bottom row red, green; top row blue, white (stored blue, green, red).
  const std::vector<uint8_t> pixels = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  object.loadTexture(writeTemporaryFile("2x2.bmp", infoBitmap({2, 2}, {}, pixels)).c_str());
  EXPECT_EQ(glFloats(GL_TEXTURE_BINDING_2D)[0], object.texture);
  GLint filters[2];
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filters[0]);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filters[1]);
  EXPECT_EQ(std::pair(filters[0], filters[1]), std::pair(GL_LINEAR, GL_LINEAR));
  std::vector<uint8_t> texels(2 * 2 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
  EXPECT_TRUE(capturedMessageBoxes().empty());

  SceneObject unloaded;
  const std::string missing = temporaryPath("missing.bmp");
  unloaded.loadTexture(missing.c_str());
  EXPECT_EQ(unloaded.texture, -1);
  ASSERT_EQ(capturedMessageBoxes().size(), 1u);
  EXPECT_EQ(capturedMessageBoxes()[0].text, "Failed to open DIB file " + missing + ".\n");
}

// A picture of four coloured quarters, stored blue, green, red.
constexpr uint8_t kQuarters[2][2][3] = {{{0, 0, 255}, {0, 255, 0}}, {{255, 0, 0}, {255, 255, 255}}};

class StarBackgroundTest : public GlContextTest {
 protected:
  StarBackground background(float repeatU, float repeatV) {
    std::vector<uint8_t> pixels;
    for (int t = 0; t < 64; ++t)
      for (int s = 0; s < 64; ++s)
        pixels.insert(pixels.end(), kQuarters[t / 32][s / 32], kQuarters[t / 32][s / 32] + 3);
    const std::string path = writeTemporaryFile("quarters.bmp", infoBitmap({64, 64}, {}, pixels));
    return StarBackground(&camera_, path.c_str(), repeatU, repeatV);
  }

  SceneObject ship_;
  ChaseCamera camera_{&ship_, Vector3(0.0, 0.02, 0.07)};
};

TEST_F(StarBackgroundTest,
       YawAndPitchScrollTheStarsAHundredthPerDegreeEachWrappingFromAboveAtItsOwnRepeat) {
  StarBackground stars = background(1, 2);
  // Pitch, yaw and roll; the offsets before; the offsets after.
  const float steps[][7] = {
      {0, 5, 0, 0, 0, -0.05f, 0},
      {-5, 0, 30, -0.05f, 0, -0.05f, 0.05f},  // roll does not scroll
      {0, -3, 0, 0.98f, 0, 0.01f, 0},         // drawn at 1.01, then wrapped
      {-3, 0, 0, 0, 1.98f, 0, 0.01f},
      {-50, -50, 0, 0.5f, 1.5f, 0, 0},  // reaching the repeat wraps
      {0, 0, 0, -0.5f, 1, -0.5f, 1},
  };
  for (const auto& [pitch, yaw, roll, fromU, fromV, u, v] : steps) {
    ship_.rotationX = pitch, ship_.rotationY = yaw, ship_.rotationZ = roll;
    stars.offsetU = fromU, stars.offsetV = fromV;
    stars.draw();
    EXPECT_NEAR(stars.offsetU, u, 1e-6f) << yaw;
    EXPECT_NEAR(stars.offsetV, v, 1e-6f) << pitch;
  }
}

// Each screen point shows the quarter that its texture coordinate, scaled by
// each axis's own repeat count from the top left corner, falls in.
TEST_F(StarBackgroundTest, EachAxisRepeatsThePictureItsOwnNumberOfTimesFromTheTopLeft) {
  StarBackground stars = background(2, 3);
  const std::vector<float> projection = glFloats(GL_PROJECTION_MATRIX, 16);
  glTranslatef(1.0f, 2.0f, 3.0f);
  stars.draw();
  const std::vector<uint8_t> frame = readPixels();
  for (int i = 0; i < 64; ++i) {  // eight by eight points, none near a quarter's edge
    const double fx = (i % 8 + 0.5) / 8, fy = (i / 8 + 0.5) / 8;
    const uint8_t* stored = kQuarters[int(fy * 3.0 * 2) % 2][int(fx * 2.0 * 2) % 2];
    const size_t at = (size_t(kHeight - 1 - int(fy * kHeight)) * kWidth + int(fx * kWidth)) * 3;
    const Colour shown{frame[at], frame[at + 1], frame[at + 2]};
    EXPECT_EQ(shown, (Colour{stored[2], stored[1], stored[0]})) << fx << ", " << fy;
  }
  EXPECT_EQ(glFloats(GL_PROJECTION_MATRIX, 16), projection);
  EXPECT_EQ(glFloats(GL_MODELVIEW_MATRIX, 16), kIdentityMatrix);
  EXPECT_EQ(glFloats(GL_MATRIX_MODE)[0], GL_MODELVIEW);
  GLint wraps[2];
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wraps[0]);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wraps[1]);
  EXPECT_EQ(std::pair(wraps[0], wraps[1]), std::pair(GL_CLAMP, GL_CLAMP));

  // Without a picture the sky is cleared black over what the last frame left.
  StarBackground none(&camera_, temporaryPath("none.bmp").c_str(), 1.0f, 1.0f);
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0, 0, 0, 0.5f);
  none.draw();
  for (uint8_t value : readPixels()) ASSERT_EQ(value, 0);
}

}  // namespace
