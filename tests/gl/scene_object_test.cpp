#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "scene/scene_object.h"
#include "tests/support/gl_context.h"

namespace {

void expectNear(const Vector3& actual, const Vector3& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-6);
  EXPECT_NEAR(actual.y, expected.y, 1e-6);
  EXPECT_NEAR(actual.z, expected.z, 1e-6);
}

// orientation x Rx(a) x Ry(b) x Rz(c), composed by OpenGL as the reference.
Matrix4 composed(const Matrix4& start, float a1, float b1, float c1) {
  Matrix4 result;
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(start.data());
  glRotatef(a1, 1, 0, 0);
  glRotatef(b1, 0, 1, 0);
  glRotatef(c1, 0, 0, 1);
  glGetFloatv(GL_MODELVIEW_MATRIX, result.data());
  glLoadIdentity();
  return result;
}

bool sameMatrix(const Matrix4& a, const Matrix4& b) {
  for (int k = 0; k < 16; ++k)
    if (a.m[k] != b.m[k]) return false;
  return true;
}

using SceneObjectTest = GlContextTest;

TEST_F(SceneObjectTest, NewObjectStartsAtRestFacingMinusZ) {
  SceneObject object;
  EXPECT_EQ(object.displayList, -1);
  EXPECT_EQ(object.texture, -1);
  EXPECT_EQ(*object.position, Vector3());
  EXPECT_EQ(object.forward, Vector3(0, 0, -1));
  EXPECT_EQ(object.up, Vector3(0, 1, 0));
  EXPECT_EQ(object.rotationX + object.rotationY + object.rotationZ, 0.0f);
  EXPECT_EQ(object.body, nullptr);
  EXPECT_EQ(object.next, nullptr);
  EXPECT_FALSE(object.hasLocalTransform);
  Matrix4 identity;
  identity.setIdentity();
  EXPECT_TRUE(sameMatrix(object.orientation, identity));
}

TEST_F(SceneObjectTest, RotationsTurnAboutOwnAxesXThenYThenZ) {
  SceneObject once;
  once.rotationX = 90;
  once.rotationY = 90;
  once.applyRotations();
  Matrix4 identity;
  identity.setIdentity();
  EXPECT_TRUE(sameMatrix(once.orientation, composed(identity, 90, 90, 0)));

  SceneObject twice;
  twice.rotationY = 90;
  twice.applyRotations();
  twice.beginDraw();  // clears the increments, as the frame does
  twice.rotationX = 90;
  twice.applyRotations();
  EXPECT_TRUE(sameMatrix(twice.orientation, composed(composed(identity, 0, 90, 0), 90, 0, 0)));
  EXPECT_FALSE(sameMatrix(once.orientation, twice.orientation));

  // The matrix mode stays the modelview and the stack is left as it was.
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 1);
}

TEST_F(SceneObjectTest, ForwardAndUpAreRefreshedOnlyByBeginDraw) {
  SceneObject object;
  object.rotationX = 90;
  object.applyRotations();
  EXPECT_EQ(object.forward, Vector3(0, 0, -1));  // still the previous orientation
  EXPECT_EQ(object.rotationX, 90.0f);            // increments stay until drawn
  object.beginDraw();
  expectNear(object.forward, Vector3(0, 1, 0));
  expectNear(object.up, Vector3(0, 0, 1));
  EXPECT_EQ(object.rotationX, 0.0f);
}

TEST_F(SceneObjectTest, ApplyingTwiceWithoutADrawTurnsTwice) {
  SceneObject object;
  object.rotationY = 45;
  object.applyRotations();
  object.applyRotations();
  object.beginDraw();
  expectNear(object.forward, Vector3(-1, 0, 0));
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
  // The object's origin lands at view x position; its -Z axis at world -X.
  expectNear(drawn.transformPoint(Vector3()), Vector3(1, 2, -7));
  expectNear(drawn.transformPoint(Vector3(0, 0, -1)), Vector3(0, 2, -7));
}

class ListObject : public SceneObject {
 public:
  explicit ListObject(bool* destroyed) : destroyed_(destroyed) {}
  ~ListObject() override { *destroyed_ = true; }
  void compileDisplayList() override {
    displayList = static_cast<int32_t>(glGenLists(1));
    glNewList(static_cast<GLuint>(displayList), GL_COMPILE);
    glEndList();
  }

 private:
  bool* destroyed_;
};

TEST_F(SceneObjectTest, DestroyingThroughTheBaseRunsTheKindAndDeletesTheList) {
  bool destroyed = false;
  SceneObject* object = new ListObject(&destroyed);
  object->compileDisplayList();
  const GLuint list = static_cast<GLuint>(object->displayList);
  ASSERT_TRUE(glIsList(list));
  delete object;
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(glIsList(list));
}

}  // namespace
