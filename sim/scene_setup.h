// Builds the initial world: the player's ship, the grid of ships, the Earth
// and the Moon with their bodies, the controller, the camera and the backdrop.
#pragma once

#include "scene/scene_object.h"
#include "sim/body.h"

bool createScene();

// The ends of the two world lists as they grow, from their heads on.
struct WorldLists {
  SceneObject** objectTail = &g_objects;
  Body** bodyTail = &g_bodies;
};
// Binds the body to the object and its position and appends each to its
// list, so that both lists keep the same order.
void appendToWorld(WorldLists& lists, SceneObject* object, Body* body);
