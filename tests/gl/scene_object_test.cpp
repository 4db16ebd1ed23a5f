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

TEST_F(SceneObjectTest, RotationsTurnAboutOwnAxesXThenYThenZAndAccumulate) {
  SceneObject once;
  once.rotationX = 90;
  once.rotationY = 90;
  once.applyRotations();
  // Rx(90) Ry(90) takes x to y, y to z and z to x.
  EXPECT_EQ(axesOf(once), (std::vector<int>{0, 1, 0, 0, 0, 1, 1, 0, 0}));

  SceneObject twice;
  twice.rotationY = 90;
  twice.applyRotations();
  twice.beginDraw();  // clears the increments, as the frame does
  twice.rotationX = 90;
  twice.applyRotations();  // Ry(90) Rx(90): x to -z, y to x, z to -y
  EXPECT_EQ(axesOf(twice), (std::vector<int>{0, 0, -1, 1, 0, 0, 0, -1, 0}));

  // The matrix mode stays the modelview and the stack is left as it was.
  GLint mode = 0, depth = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(depth, 1);
}

TEST_F(SceneObjectTest, ForwardAndUpAreRefreshedOnlyByBeginDraw) {
  SceneObject object;
  object.rotationX = 90;
  object.applyRotations();
  EXPECT_EQ(object.forward, Vector3(0, 0, -1));  // still the previous orientation
  EXPECT_EQ(object.up, Vector3(0, 1, 0));
  EXPECT_EQ(object.rotationX, 90.0f);  // increments stay until drawn
  object.beginDraw();
  EXPECT_LT((object.forward - Vector3(0, 1, 0)).length(), 1e-6);
  EXPECT_LT((object.up - Vector3(0, 0, 1)).length(), 1e-6);
  EXPECT_EQ(object.rotationX, 0.0f);
}

TEST_F(SceneObjectTest, BeginDrawTranslatesThenOrientsOnTheCurrentMatrix) {
  SceneObject object;
  *object.position = Vector3(1, 2, 3);
  object.rotationY = 90;
  object.applyRotations();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0, 0, -10);  // stands in for the view
  object.beginDraw();
  Matrix4 drawn;
  glGetFloatv(GL_MODELVIEW_MATRIX, drawn.data());
  // The object's origin lands at its position in view; its -Z axis at world -X.
  EXPECT_LT((drawn.transformPoint(Vector3()) - Vector3(1, 2, -7)).length(), 1e-6);
  EXPECT_LT((drawn.transformPoint(Vector3(0, 0, -1)) - Vector3(0, 2, -7)).length(), 1e-6);
}

TEST_F(SceneObjectTest, LoadTextureMakesALinearTextureBottomRowFirstOrNone) {
  SceneObject object;
  // Bottom row red, green; top row blue, white (stored blue, green, red).
  const std::vector<uint8_t> pixels = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  object.loadTexture(writeTemporaryFile("2x2.bmp", infoBitmap({2, 2}, {}, pixels)).c_str());
  ASSERT_NE(object.texture, -1);
  EXPECT_TRUE(glIsTexture(GLuint(object.texture)));
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
