#include <gtest/gtest.h>

#include <limits>

#include "scene/vector3.h"

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

}  // namespace
