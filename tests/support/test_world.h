// A world of scene objects and bodies linked as the scene set-up links them,
// owned by the test and unlinked from the globals when it ends.
#pragma once

#include <memory>
#include <vector>

#include "scene/scene_object.h"
#include "sim/body.h"
#include "sim/world_layout.h"

class TestWorld {
 public:
  ~TestWorld() { g_objects = nullptr; g_bodies = nullptr; }

  // Appends a body of the given masses at a position, to both lists.
  Body& add(const Vector3& position, float inertialMantissa, int inertialExponent, float gravitationalMantissa,
            int gravitationalExponent) {
    objects_.push_back(std::make_unique<SceneObject>());
    bodies_.push_back(
        std::make_unique<Body>(inertialMantissa, inertialExponent, gravitationalMantissa, gravitationalExponent));
    SceneObject& object = *objects_.back();
    Body& body = *bodies_.back();
    *object.position = position;
    body.sceneObject = &object;
    body.position = object.position;
    object.body = &body;
    if (size() > 1) {
      objects_[size() - 2]->next = &object;
      bodies_[size() - 2]->next = &body;
    }
    g_objects = objects_.front().get();
    g_bodies = bodies_.front().get();
    return body;
  }
  Body& add(const Vector3& position, float mantissa, int exponent) {
    return add(position, mantissa, exponent, mantissa, exponent);
  }

  // The initial world's 52 bodies: the player, the grid, the Earth, the Moon.
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
  std::vector<std::unique_ptr<SceneObject>> objects_;
  std::vector<std::unique_ptr<Body>> bodies_;
};
