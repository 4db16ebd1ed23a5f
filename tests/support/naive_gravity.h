// The gravity law evaluated the plain way, one log10 and three pow per pair:
// the reference that the fast pass must match bit for bit.
#pragma once

#include <cmath>

#include "sim/body.h"

namespace naive {

inline void applyGravity(Body* bodies) {
  for (Body* b = bodies; b; b = b->next) b->acceleration = Vector3();
  for (Body* p = bodies; p && p->next; p = p->next) {
    for (Body* q = p->next; q; q = q->next) {
      const Vector3 d = *q->position - *p->position;
      const double s = d.lengthSquared();
      if (s == 0.0) continue;  // coincident: skipped by both
      const int32_t e = static_cast<int32_t>(std::log10(s));
      const float m = static_cast<float>(s / std::pow(10.0, e));
      int k = p->gravitationalExponent + q->gravitationalExponent - (e + p->inertialExponent) - 26;
      float f =
          3.223f * p->gravitationalMantissa * q->gravitationalMantissa / (m * p->inertialMantissa);
      p->acceleration += d.normalized() * (std::pow(10.0, k) * f);
      k = k + p->inertialExponent - q->inertialExponent;
      f = (p->inertialMantissa / q->inertialMantissa) * f;
      q->acceleration += (*p->position - *q->position).normalized() * (std::pow(10.0, k) * f);
    }
  }
}

}  // namespace naive
