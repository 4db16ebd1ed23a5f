// A moving object's masses and its linear and angular motion, and the
// all-pairs gravity that drives them.
#pragma once

#include <cstdint>

#include "scene/vector3.h"

class SceneObject;

struct Body {
  Body(float inertialMantissa, int32_t inertialExponent, float gravitationalMantissa,
       int32_t gravitationalExponent);

  // Advances position, turning and velocities by dt seconds, exactly for a
  // constant acceleration over the step.
  void integrate(float dt);

  Vector3* position = nullptr;  // the scene object's own position, not owned
  float inertialMantissa;
  float gravitationalMantissa;
  int32_t inertialExponent;
  int32_t gravitationalExponent;
  Vector3 velocity;
  Vector3 acceleration;
  float angularVelocity[3] = {0.0f, 0.0f, 0.0f};
  float angularAcceleration[3] = {0.0f, 0.0f, 0.0f};
  SceneObject* sceneObject = nullptr;
  Body* next = nullptr;
};

// The bodies, player's first, in the same order as the scene objects; owns them.
extern Body* g_bodies;

// Rebuilds every body's acceleration from mutual gravity and clears its
// angular acceleration.
void applyGravity();
