#include "sim/body.h"

#include <cmath>

#include "scene/powers_of_ten.h"
#include "scene/scene_object.h"

Body* g_bodies = nullptr;

namespace {

// G = 3.223 x 10^-26 world units cubed per kilogram per second squared.
constexpr float kGravityMantissa = 3.223f;
constexpr int32_t kGravityExponent = -26;

// The two bodies' mutual attraction, added to both accelerations. The result
// is bit for bit that of the plain law (a log10 and three pow per pair); the
// powers of ten come from a table and the normalisation is shared.
void attract(Body& p, Body& q) {
  const Vector3 d = *q.position - *p.position;
  const double s = d.lengthSquared();
  // Coincident bodies have no direction and no decimal exponent: no force.
  if (!(s > 0.0) || !std::isfinite(s)) return;
  const int32_t e = decimalExponent(s);
  const float m = static_cast<float>(s / powerOfTen(e));

  // normalize() of d and of -d: the same length, so the directions are exact
  // opposites, except below the threshold, where both become (1, 0, 0).
  const double length = std::sqrt(s);
  Vector3 towardQ(1.0, 0.0, 0.0);
  Vector3 towardP(1.0, 0.0, 0.0);
  if (length >= static_cast<double>(1e-6f)) {
    towardQ = Vector3(d.x / length, d.y / length, d.z / length);
    towardP = Vector3(-towardQ.x, -towardQ.y, -towardQ.z);
  }

  int32_t k = p.gravitationalExponent + q.gravitationalExponent - (e + p.inertialExponent) +
              kGravityExponent;
  float f = kGravityMantissa * p.gravitationalMantissa * q.gravitationalMantissa /
            (m * p.inertialMantissa);
  p.acceleration += towardQ * (powerOfTen(k) * f);

  k = k + p.inertialExponent - q.inertialExponent;
  f = (p.inertialMantissa / q.inertialMantissa) * f;
  q.acceleration += towardP * (powerOfTen(k) * f);
}

}  // namespace

Body::Body(float inertialMantissa, int32_t inertialExponent, float gravitationalMantissa,
           int32_t gravitationalExponent)
    : inertialMantissa(inertialMantissa),
      gravitationalMantissa(gravitationalMantissa),
      inertialExponent(inertialExponent),
      gravitationalExponent(gravitationalExponent) {}

void applyGravity() {
  for (Body* body = g_bodies; body; body = body->next) {
    body->acceleration = Vector3();
    for (float& a : body->angularAcceleration) a = 0.0f;
  }
  for (Body* p = g_bodies; p && p->next; p = p->next) {
    for (Body* q = p->next; q; q = q->next) attract(*p, *q);
  }
}

void Body::integrate(float dt) {
  const float h = dt * dt / 2.0f;
  *position += velocity * static_cast<double>(dt) + acceleration * static_cast<double>(h);
  float* increment[3] = {&sceneObject->rotationX, &sceneObject->rotationY, &sceneObject->rotationZ};
  for (int axis = 0; axis < 3; ++axis) {
    *increment[axis] =
        dt * angularVelocity[axis] + h * angularAcceleration[axis] + *increment[axis];
  }
  velocity += acceleration * static_cast<double>(dt);
  for (int axis = 0; axis < 3; ++axis) angularVelocity[axis] += dt * angularAcceleration[axis];
}
