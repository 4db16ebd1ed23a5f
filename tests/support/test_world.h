// A world of plain scene objects and bodies, linked and destroyed as the
// program links and destroys its own: it fills both lists from their heads,
// so one lives at a time, and empties them when it ends.
#pragma once

#include <vector>

#include "app/shutdown.h"
#include "sim/scene_setup.h"
#include "sim/world_layout.h"

class TestWorld {
 public:
  ~TestWorld() { destroyWorldLists(); }

  // Appends a body of the given masses, inertial then gravitational, at a position, to both lists.
  Body& add(const Vector3& position, float mantissa, int exponent, float gravitationalMantissa,
            int gravitationalExponent) {
    bodies_.push_back(new Body(mantissa, exponent, gravitationalMantissa, gravitationalExponent));
    appendToWorld(lists_, new SceneObject(), bodies_.back());
    *bodies_.back()->position = position;
    return *bodies_.back();
  }
  Body& add(const Vector3& position, float mantissa, int exponent) {
    return add(position, mantissa, exponent, mantissa, exponent);
  }

  // The initial world's 52 bodies in the scene set-up's order: the player,
  // the grid, the Earth, the Moon (without the models, which need OpenGL).
  void addInitialWorld() {
    add(playerStart(), kShipMass.mantissa, kShipMass.exponent);
    for (int i = 0; i < kGridSide * kGridSide; ++i)
      add(gridShipStart(i / kGridSide, i % kGridSide), kShipMass.mantissa, kShipMass.exponent);
    add(earthStart(), kEarthMass.mantissa, kEarthMass.exponent).angularVelocity[1] = kEarthSpin;
    add(moonStart(), kMoonMass.mantissa, kMoonMass.exponent);
  }

  Body& body(size_t k) { return *bodies_[k]; }
  size_t size() const { return bodies_.size(); }

 private:
  WorldLists lists_;
  std::vector<Body*> bodies_;  // owned by the lists
};
