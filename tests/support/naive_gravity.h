// The gravity law evaluated the plain way, one log10 and three pow per pair:
// the reference that the fast pass must match bit for bit.
#pragma once

#include <cmath>

#include "sim/body.h"

namespace naive {

inline void split(const Vector3& d, float& mantissa, int32_t& exponent) {
  const double s = d.x * d.x + d.y * d.y + d.z * d.z;
  exponent = static_cast<int32_t>(std::log10(s));
  mantissa = static_cast<float>(s / std::pow(10.0, exponent));
}

inline void applyGravity(Body* bodies) {
  for (Body* b = bodies; b; b = b->next) {
    b->acceleration = Vector3();
    for (float& a : b->angularAcceleration) a = 0.0f;
  }
  for (Body* p = bodies; p && p->next; p = p->next) {
    for (Body* q = p->next; q; q = q->next) {
      const Vector3 d = *q->position - *p->position;
      if (d.lengthSquared() == 0.0) continue;  // coincident: skipped by both
      float m;
      int32_t e;
      split(d, m, e);
      const Vector3 u = d.normalized();
      int32_t k = p->gravitationalExponent + q->gravitationalExponent - (e + p->inertialExponent) - 26;
      float f = 3.223f * p->gravitationalMantissa * q->gravitationalMantissa / (m * p->inertialMantissa);
      p->acceleration += u * (std::pow(10.0, k) * f);
      const Vector3 u2 = (*p->position - *q->position).normalized();
      k = k + p->inertialExponent - q->inertialExponent;
      f = (p->inertialMantissa / q->inertialMantissa) * f;
      q->acceleration += u2 * (std::pow(10.0, k) * f);
    }
  }
}

}  // namespace naive
