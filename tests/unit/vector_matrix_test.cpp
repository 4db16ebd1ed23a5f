#include <gtest/gtest.h>

#include <limits>

#include "scene/matrix4.h"

namespace {

TEST(Vector3, NormalizeFallsBackBelowTheFloatThreshold) {
  // The threshold is the float 1e-6 (9.999999974752427e-07), a little below
  // the double 1e-6: lengths between the two still normalise.
  EXPECT_EQ(Vector3(0, 0, 0).normalize(), Vector3(1, 0, 0));
  EXPECT_EQ(Vector3(0, 5e-7, 0).normalize(), Vector3(1, 0, 0));
  EXPECT_EQ(Vector3(0, 3, 4).normalize(), Vector3(0, 0.6, 0.8));
  EXPECT_EQ(Vector3(0, 9.999999980e-07, 0).normalize(), Vector3(0, 1, 0));
  EXPECT_EQ(Vector3(0, 9.999999974752427e-07, 0).normalize(), Vector3(0, 1, 0));
  EXPECT_EQ(Vector3(0, 9.999999970e-07, 0).normalize(), Vector3(1, 0, 0));
  EXPECT_EQ(Vector3(std::numeric_limits<double>::quiet_NaN(), 1, 0).normalize(), Vector3(1, 0, 0));
}

TEST(Matrix4, TransformPointTurnsThenTranslatesWithoutDivision) {
  Matrix4 m;  // columns of a 90 degree turn about Y (x -> -z, z -> x), then (1, 2, 3)
  m.setIdentity();
  m.m[0] = m.m[10] = 0;
  m.m[2] = -1;
  m.m[8] = 1;
  m.m[12] = 1;
  m.m[13] = 2;
  m.m[14] = 3;
  m.m[3] = 9;  // the bottom row is never read
  m.m[15] = 7;
  EXPECT_EQ(m.transformPoint(Vector3(0, 0, -1)), Vector3(0, 2, 3));
}

}  // namespace
