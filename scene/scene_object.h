// The base of everything drawn in the world: a position that the simulation
// moves, an orientation that accumulates the turning, and the geometry's
// display list, texture and local transform.
#pragma once

#include <cstdint>

#include "scene/matrix4.h"
#include "scene/vector3.h"

struct Body;

class SceneObject {
 public:
  SceneObject();
  virtual ~SceneObject();
  SceneObject(const SceneObject&) = delete;
  SceneObject& operator=(const SceneObject&) = delete;

  // Records the geometry into a new display list (nothing for the base).
  virtual void compileDisplayList();
  // Draws from the current modelview matrix (the base only runs beginDraw).
  virtual void draw();

  // Folds the pending rotation increments into the orientation.
  void applyRotations();
  // Moves to the position, turns by the orientation, refreshes forward and up,
  // binds the texture, calls the display list and clears the increments.
  void beginDraw();
  // Decodes a BMP file into a new texture; texture stays -1 when it cannot.
  void loadTexture(const char* fileName);

  int32_t displayList;
  int32_t texture;
  Vector3* position;  // owned; a separate allocation so that the body can point at it
  Vector3 forward;
  Vector3 up;
  float rotationX;
  float rotationY;
  float rotationZ;
  Body* body;
  SceneObject* next;
  Matrix4 localTransform;
  bool hasLocalTransform;
  Matrix4 orientation;
};

// The world's objects, player's ship first; owns them.
extern SceneObject* g_objects;
