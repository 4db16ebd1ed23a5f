// A scene object drawn as a textured GLU sphere, its poles on the object's up axis.
#pragma once

#include <GL/glu.h>

#include <cstdint>

#include "scene/scene_object.h"

class SphereObject : public SceneObject {
 public:
  SphereObject(float radius, int32_t slices, int32_t stacks);
  ~SphereObject() override;

  void compileDisplayList() override;
  void draw() override;

  GLUquadric* quadric;  // owned
  float radius;
  int32_t slices;
  int32_t stacks;

 private:
  void drawSphere();
};
