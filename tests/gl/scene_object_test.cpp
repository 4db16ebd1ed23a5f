// SceneObject on a real context: turning about its own axes, drawing at its
// place, and its texture.
#include "scene/scene_object.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "platform/testing.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

using SceneObjectTest = GlContextTest;

// Where the orientation takes the object's own axes, rounded to whole numbers.
std::vector<int> axesOf(const SceneObject& object) {
  std::vector<int> columns;
  for (int k : {0, 1, 2, 4, 5, 6, 8, 9, 10}) columns.push_back(int(std::lround(object.orientation.m[k])));
  return columns;
}

bool near(const Vector3& actual, const Vector3& expected) { return (actual - expected).length() < 1e-6; }

TEST_F(SceneObjectTest, RotationsTurnAboutOwnAxesXThenYThenZAndAccumulateAndBeginDrawRefreshesTheAxes) {
  SceneObject object;
  object.rotationX = 90;
  object.rotationY = 90;
  object.applyRotations();
  // Rx(90) Ry(90) takes x to y, y to z and z to x.
  EXPECT_EQ(axesOf(object), (std::vector<int>{0, 1, 0, 0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(object.forward, Vector3(0, 0, -1));  // still the previous orientation
  EXPECT_EQ(object.rotationX, 90.0f);            // increments stay until drawn
  object.beginDraw();
  EXPECT_TRUE(near(object.forward, Vector3(-1, 0, 0)));
  EXPECT_TRUE(near(object.up, Vector3(0, 0, 1)));
  EXPECT_EQ(object.rotationX + object.rotationY, 0.0f);

  object.rotationX = 90;
  object.applyRotations();  // then Rx(90) after them: x to y, y to x, z to -z
  EXPECT_EQ(axesOf(object), (std::vector<int>{0, 1, 0, 1, 0, 0, 0, 0, -1}));
  // The matrix mode stays the modelview and the stack is left as it was.
  GLint mode = 0, depth = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(depth, 1);
}

TEST_F(SceneObjectTest, BeginDrawTranslatesThenOrientsOnTheCurrentMatrix) {
  SceneObject object;
  *object.position = Vector3(1, 2, 3);
  object.rotationY = 90;
  object.applyRotations();
  glTranslatef(0, 0, -10);  // stands in for the view
  object.beginDraw();
  Matrix4 drawn;
  glGetFloatv(GL_MODELVIEW_MATRIX, drawn.data());
  // The object's origin lands at its position in view; its -Z axis at world -X.
  EXPECT_TRUE(near(drawn.transformPoint(Vector3()), Vector3(1, 2, -7)));
  EXPECT_TRUE(near(drawn.transformPoint(Vector3(0, 0, -1)), Vector3(0, 2, -7)));
}

TEST_F(SceneObjectTest, LoadTextureMakesALinearTextureBottomRowFirstOrNone) {
  SceneObject object;
  // Bottom row red, green; top row blue, white (stored blue, green, red).
  const std::vector<uint8_t> pixels = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  object.loadTexture(writeTemporaryFile("2x2.bmp", infoBitmap({2, 2}, {}, pixels)).c_str());
  GLint bound = 0, minFilter = 0, magFilter = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  EXPECT_EQ(bound, object.texture);
  EXPECT_EQ(minFilter, GL_LINEAR);
  EXPECT_EQ(magFilter, GL_LINEAR);
  std::vector<uint8_t> texels(2 * 2 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
  EXPECT_TRUE(platform::testing::capturedMessageBoxes().empty());

  SceneObject unloaded;
  const std::string missing = temporaryPath("missing.bmp");
  unloaded.loadTexture(missing.c_str());
  EXPECT_EQ(unloaded.texture, -1);
  ASSERT_EQ(platform::testing::capturedMessageBoxes().size(), 1u);
  EXPECT_EQ(platform::testing::capturedMessageBoxes()[0].text, "Failed to open DIB file " + missing + ".\n");
}

}  // namespace
