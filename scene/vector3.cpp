#include "scene/vector3.h"

#include <cmath>

double Vector3::length() const { return std::sqrt(lengthSquared()); }

Vector3& Vector3::normalize() {
  const double l = length();
  // Written so that a length that is not a number also takes the fallback.
  if (l >= static_cast<double>(1e-6f)) {
    x /= l;
    y /= l;
    z /= l;
  } else {
    *this = Vector3(1.0, 0.0, 0.0);
  }
  return *this;
}

Vector3 Vector3::normalized() const {
  Vector3 copy = *this;
  return copy.normalize();
}
