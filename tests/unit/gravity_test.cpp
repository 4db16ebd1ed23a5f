// The gravity pass against the plain law, the directions it takes and the integration of a step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "sim/world_layout.h"
#include "tests/support/naive_gravity.h"
#include "tests/support/test_world.h"

namespace {

// Directions between bodies: anything shorter than the float 1e-6 (9.999999974752427e-07,
// a little below the double 1e-6) becomes +x.
TEST(Vector3, NormalizeFallsBackBelowTheFloatThreshold) {
  const Vector3 x(1, 0, 0), y(0, 1, 0);
  for (const auto& [in, out] : {std::pair{Vector3(), x},
                                {Vector3(0, 3, 4), Vector3(0, 0.6, 0.8)},
                                {Vector3(0, 9.999999980e-07, 0), y},
                                {Vector3(0, 9.999999974752427e-07, 0), y},
                                {Vector3(0, 9.999999970e-07, 0), x},
                                {Vector3(std::nan(""), 1, 0), x}})
    EXPECT_EQ(Vector3(in).normalize(), out) << in.y;
}

bool sameBits(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Runs the gravity pass on g_bodies, then the plain law, and counts the
// bodies whose accelerations differ in any bit.
int bodiesUnlikeThePlainLaw() {
  applyGravity();
  std::vector<Vector3> fast;
  for (Body* b = g_bodies; b; b = b->next) fast.push_back(b->acceleration);
  naive::applyGravity(g_bodies);
  int unlike = 0, k = 0;
  for (Body* b = g_bodies; b; b = b->next) unlike += !sameBits(fast[k++], b->acceleration);
  return unlike;
}

TEST(Gravity, TermsOfPlayerAndEarthNoneOfCoincidentBodiesAndBitIdenticalToThePlainLaw) {
  {
    TestWorld world;
    Body& player = world.add(playerStart(), kShipMass.mantissa, kShipMass.exponent);
    Body& earth = world.add(earthStart(), kEarthMass.mantissa, kEarthMass.exponent);
    world.add(playerStart(), kShipMass.mantissa, kShipMass.exponent);  // the player's twin
    applyGravity();  // k = -6, f = 2.5443053; then k = -21, f = 0.085236363
    EXPECT_TRUE(sameBits(player.acceleration, Vector3(0, 0, -1) * (1e-6 * 2.5443053245544434f)));
    EXPECT_TRUE(sameBits(earth.acceleration, Vector3(0, 0, 2) * (1e-21 * 0.085236363f)));
  }
  {
    TestWorld initial;
    initial.addInitialWorld();
    EXPECT_EQ(bodiesUnlikeThePlainLaw(), 0) << "the initial world";
  }
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> unit(-1, 1), decades(-8, 8);
  std::uniform_real_distribution<float> mantissa(0.1f, 9.99f);
  std::uniform_int_distribution<int> exponent(-5, 30);
  for (int round = 0; round < 40; ++round) {
    TestWorld world;
    for (int i = 0; i < 30; ++i) {  // positions spread over many decades
      const double scale = std::pow(10.0, decades(random));
      world.add({unit(random) * scale, unit(random) * scale, unit(random) * scale},
                mantissa(random), exponent(random), mantissa(random), exponent(random));
    }
    // Distances right at powers of ten, closer than the normalisation threshold, tiny and huge.
    for (const Vector3& at :
         {Vector3(std::sqrt(10.0), 0, 0), Vector3(0, 0, 1e-4), Vector3(0, 0, 1e-4 + 3e-7),
          Vector3(1e12, 1e12, 0), Vector3(0.1, 0, 0), Vector3(0, 0.01, 0)})
      world.add(at, 2, 3);
    ASSERT_EQ(bodiesUnlikeThePlainLaw(), 0) << "round " << round;
  }
}

TEST(Integrate, ExactForConstantAccelerationAndRotationsAccumulate) {
  TestWorld world;
  Body& body = world.add({1, 2, 3}, 1, 0);
  body.acceleration = {0, 4, 0};
  body.angularAcceleration[1] = 2;
  body.integrate(0.5f);
  EXPECT_EQ(*body.position, Vector3(1, 2.5, 3));  // a t^2 / 2 = 4 * 0.125
  EXPECT_EQ(body.velocity, Vector3(0, 2, 0));
  EXPECT_EQ(body.sceneObject->rotationY, 0.25f);
  EXPECT_EQ(body.angularVelocity[1], 1.0f);
  body.integrate(0.5f);  // the increments accumulate until the object is drawn
  EXPECT_EQ(body.sceneObject->rotationY, 1.0f);
  // A frame's step on values whose roundings tell each operation's precision and order.
  *body.position = {72.3, 0, 0}, body.velocity = {67.6, 0, 0}, body.acceleration = {67.4, 0, 0};
  body.sceneObject->rotationX = -100, body.angularVelocity[0] = 8.2f,
  body.angularAcceleration[0] = 80.9f;
  body.integrate(0.0166f);
  EXPECT_EQ(*body.position, Vector3(73.431446353977663, 0, 0));
  EXPECT_EQ(body.velocity, Vector3(68.718839982524514, 0, 0));
  EXPECT_EQ(body.sceneObject->rotationX, -99.8527374f);
  EXPECT_EQ(body.angularVelocity[0], 9.54294014f);
}

}  // namespace
