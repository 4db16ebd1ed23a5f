// The player's flight controller: thrust, turning commands and the two flight
// assists (stabilising and velocity-rotating mode), fed by the mouse and keys.
#pragma once

#include <cstdint>

#include "scene/vector3.h"

class SceneObject;
struct Body;

enum Thruster : uint8_t {
  Main = 0,
  Front = 1,
  Port = 2,
  Starboard = 3,
  Ventral = 4,
  Dorsal = 5,
};
static_assert(sizeof(Thruster) == 1, "a thruster is stored in one byte");

class ShipController {
 public:
  ShipController(SceneObject* ship, Body* body);

  // The flight assists of one step of dt seconds.
  void update(float dt);
  // Adds a thrust (world units per second squared) to the body's acceleration.
  void applyThrust(Vector3 thrust);
  // Adds a turning command (degrees per second squared) about X, Y and Z.
  void addRotation(float pitch, float yaw, float roll);

  SceneObject* ship;
  Body* body;
  float rotationCommand[3] = {0.0f, 0.0f, 0.0f};
  bool rotating = false;
  bool velocityRotating = false;
  bool stabilising = false;
  Thruster thruster = Main;
  float power = 0.1f;
};

extern ShipController* g_controller;
