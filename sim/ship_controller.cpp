#include "sim/ship_controller.h"

#include "scene/scene_object.h"
#include "sim/body.h"

ShipController* g_controller = nullptr;

namespace {

// Stabilising brakes the rotation at this many degrees per second squared.
constexpr float kBraking = 200.0f;

}  // namespace

ShipController::ShipController(SceneObject* ship, Body* body) : ship(ship), body(body) {}

void ShipController::addRotation(float pitch, float yaw, float roll) {
  const float command[3] = {pitch, yaw, roll};
  for (int axis = 0; axis < 3; ++axis) {
    rotationCommand[axis] += command[axis];
    body->angularAcceleration[axis] += rotationCommand[axis];
  }
  rotating = true;
}

void ShipController::applyThrust(Vector3 thrust) {
  const bool braking = velocityRotating && thruster == Front;
  if (braking && body->acceleration == Vector3()) return;
  body->acceleration += thrust;
  // The front thruster brakes: once the squared thrust reaches the squared
  // speed, the ship stops dead instead of backing up.
  if (braking && thrust.lengthSquared() >= body->velocity.lengthSquared()) {
    body->velocity = Vector3();
    body->acceleration -= thrust;
  }
}

void ShipController::update(float dt) {
  const float step = kBraking * dt;
  if (stabilising) {
    for (float& command : rotationCommand) command = 0.0f;
    for (float& w : body->angularVelocity) {
      if (w > step) w -= step;
      if (-step > w) w += step;
      if (!(w > step) && !(w < -step)) w = 0.0f;
    }
    const float* w = body->angularVelocity;
    if (w[0] == 0.0f && w[1] == 0.0f && w[2] == 0.0f) {
      stabilising = false;
      rotating = false;
    }
  }
  if (velocityRotating && rotating) {
    body->velocity = ship->forward.normalized() * body->velocity.length();
  }
}
