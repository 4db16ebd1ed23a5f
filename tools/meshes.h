// The models' geometry: triangle meshes with one texture coordinate per
// vertex, faces wound counter-clockwise seen from outside.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct Mesh {
  std::vector<std::array<float, 3>> points;
  std::vector<std::array<float, 2>> texels;  // one per point
  std::vector<std::array<uint16_t, 3>> faces;
};

// A globe of the given radius about the origin, poles on the Z axis; u runs
// with the longitude from +X towards +Y, v from the south pole to the north.
Mesh globe(float radius, int slices, int stacks);

// The player's ship: a slim fighter about 260 units long, nose along +Y, top along +Z.
Mesh fighter();
// The ships of the grid: a stocky escort about 230 units long, same axes.
Mesh escort();
