// The camera that rides behind and above the player's ship, and the per-frame
// shift that keeps the ship at the origin.
#pragma once

#include "scene/matrix4.h"
#include "scene/vector3.h"

class SceneObject;

class ChaseCamera {
 public:
  ChaseCamera();
  ChaseCamera(const Vector3& eye, const Vector3& forward, const Vector3& up);
  ChaseCamera(SceneObject* target, const Vector3& offset);

  ChaseCamera& setTarget(SceneObject* object);
  // Places the eye by the target's orientation and computes the view matrix.
  void updateView();

  bool free;
  SceneObject* target;
  Vector3 eye;
  Vector3 forward;
  Vector3 up;
  Vector3 offset;  // the eye in the target's own frame: x right, y up, z behind
  Matrix4 view;
};

extern ChaseCamera* g_camera;

// Subtracts the camera target's position from every object's position.
void recentreWorld();
