// The star field behind the world: one screen-filling quad of a repeating
// star texture, scrolled as the camera's target yaws and pitches.
#pragma once

#include "scene/scene_object.h"

class ChaseCamera;

class StarBackground : public SceneObject {
 public:
  // Loads the star texture, so the OpenGL context must be current.
  StarBackground(ChaseCamera* camera, const char* fileName, float repeatU, float repeatV);

  // Draws the quad over the whole screen; it does not use beginDraw.
  void draw() override;

  float offsetU;  // texture offset across the screen
  float offsetV;  // texture offset down the screen
  float repeatU;  // times the texture repeats across the screen
  float repeatV;  // times it repeats down the screen
  float driftU;   // steady scrolling, texture units per second
  float driftV;
  ChaseCamera* camera;  // not owned
};

// The one star field, drawn first in every frame; not in g_objects.
extern StarBackground* g_background;
