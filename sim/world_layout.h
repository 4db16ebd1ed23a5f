// Where the initial world's bodies stand and what they weigh: the player, a
// 7 x 7 grid of ships ahead of it, the Earth and the Moon. Masses are
// mantissa x 10^exponent kilograms; lengths in world units of 127.4 km.
#pragma once

#include <cstdint>

#include "scene/vector3.h"

struct Mass {
  float mantissa;
  int32_t exponent;
};

constexpr int kGridSide = 7;
constexpr Mass kShipMass = {0.2f, 9};
constexpr Mass kEarthMass = {5.97f, 24};
constexpr Mass kMoonMass = {7.347f, 22};
constexpr float kEarthSpin = 0.00416f;  // degrees per second about Y

inline Vector3 playerStart() { return {0.0, 0.0, 200.0}; }
// Grid ship (i, j), i the outer and j the inner index, 0..6 each.
inline Vector3 gridShipStart(int i, int j) { return {(3 - i) / 2.0, (3 - j) / 2.0, 190.0}; }
inline Vector3 earthStart() { return {0.0, 0.0, -75.0}; }
inline Vector3 moonStart() { return Vector3(3.0, 1.0, 0.0).normalize() * 3017.29; }
