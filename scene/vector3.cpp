#include "scene/vector3.h"

#include <cmath>

#include "scene/powers_of_ten.h"

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

void Vector3::splitSquaredLength(float& mantissa, int32_t& exponent) const {
  const double s = lengthSquared();
  // A zero (or non-finite) length has no decimal exponent; it keeps 10^0.
  exponent = s > 0.0 && std::isfinite(s) ? decimalExponent(s) : 0;
  mantissa = static_cast<float>(s / powerOfTen(exponent));
}
