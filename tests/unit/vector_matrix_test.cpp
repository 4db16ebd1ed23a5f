#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/matrix4.h"
#include "scene/vector3.h"

namespace {

TEST(Vector3, DefaultIsOriginAndArithmeticIsComponentWise) {
  EXPECT_EQ(Vector3(), Vector3(0, 0, 0));
  Vector3 a(1, 2, 3);
  const Vector3 b(4, 5, 6);
  EXPECT_EQ(a + b, Vector3(5, 7, 9));
  EXPECT_EQ(b - a, Vector3(3, 3, 3));
  EXPECT_EQ(a * 2.0, Vector3(2, 4, 6));
  a += b;
  a -= Vector3(1, 1, 1);
  a *= 0.5;
  EXPECT_EQ(a, Vector3(2, 3, 4));
  EXPECT_EQ(Vector3(1, 0, 0).cross(Vector3(0, 1, 0)), Vector3(0, 0, 1));
  EXPECT_EQ(Vector3(3, 4, 0).length(), 5.0);
}

TEST(Vector3, EqualityIsExact) { EXPECT_FALSE(Vector3(0.1 + 0.2, 0, 0) == Vector3(0.3, 0, 0)); }

TEST(Vector3, NormalizeFallsBackBelowTheFloatThreshold) {
  EXPECT_EQ(Vector3(0, 0, 0).normalize(), Vector3(1, 0, 0));
  EXPECT_EQ(Vector3(0, 5e-7, 0).normalize(), Vector3(1, 0, 0));
  EXPECT_EQ(Vector3(0, 2e-6, 0).normalize(), Vector3(0, 1, 0));
  // The threshold is the float 1e-6 (9.999999974752427e-07), a little below
  // the double 1e-6: lengths between the two still normalise.
  EXPECT_EQ(Vector3(0, 9.999999980e-07, 0).normalize(), Vector3(0, 1, 0));
  EXPECT_EQ(Vector3(0, 9.999999974752427e-07, 0).normalize(), Vector3(0, 1, 0));
  EXPECT_EQ(Vector3(0, 9.999999970e-07, 0).normalize(), Vector3(1, 0, 0));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Vector3(nan, 1, 0).normalize(), Vector3(1, 0, 0));
}

TEST(Vector3, NormalizedLeavesTheSourceUnchanged) {
  const Vector3 source(0, 3, 4);
  EXPECT_EQ(source.normalized(), Vector3(0, 0.6, 0.8));
  EXPECT_EQ(source, Vector3(0, 3, 4));
}

TEST(Matrix4, TransformPointAddsTranslationWithoutDivision) {
  Matrix4 m;
  m.setIdentity();
  EXPECT_EQ(m.transformPoint(Vector3(1.5, -2, 3)), Vector3(1.5, -2, 3));
  m.m[12] = 1;
  m.m[13] = 2;
  m.m[14] = 3;
  m.m[15] = 7;  // never read
  m.m[3] = 9;
  EXPECT_EQ(m.transformPoint(Vector3()), Vector3(1, 2, 3));
}

TEST(Matrix4, TransformPointOfAQuarterTurnAboutY) {
  // Columns of a 90 degree turn about Y: x -> -z, z -> x.
  Matrix4 m;
  m.setIdentity();
  m.m[0] = 0;
  m.m[2] = -1;
  m.m[8] = 1;
  m.m[10] = 0;
  const Vector3 turned = m.transformPoint(Vector3(0, 0, -1));
  EXPECT_EQ(turned, Vector3(-1, 0, 0));
}

}  // namespace
