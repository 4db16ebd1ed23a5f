// Positions, velocities, accelerations and directions in double precision.
#pragma once

#include <cstdint>

struct Vector3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  Vector3() = default;
  Vector3(double x, double y, double z) : x(x), y(y), z(z) {}

  Vector3 operator+(const Vector3& b) const { return {x + b.x, y + b.y, z + b.z}; }
  Vector3 operator-(const Vector3& b) const { return {x - b.x, y - b.y, z - b.z}; }
  Vector3 operator*(double s) const { return {s * x, s * y, s * z}; }
  Vector3& operator+=(const Vector3& b) {
    x += b.x;
    y += b.y;
    z += b.z;
    return *this;
  }
  Vector3& operator-=(const Vector3& b) {
    x -= b.x;
    y -= b.y;
    z -= b.z;
    return *this;
  }
  Vector3& operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }
  bool operator==(const Vector3& b) const { return x == b.x && y == b.y && z == b.z; }

  Vector3 cross(const Vector3& b) const {
    return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
  }
  double lengthSquared() const { return x * x + y * y + z * z; }
  double length() const;

  // A unit vector in the same direction; anything shorter than the float 1e-6
  // (or not a number) becomes (1, 0, 0).
  Vector3& normalize();
  Vector3 normalized() const;

  // The squared length as a float mantissa times a power of ten, the exponent
  // being log10 of the squared length truncated toward zero.
  void splitSquaredLength(float& mantissa, int32_t& exponent) const;
};
