// The pictures of the world, painted from code: the Earth, the Moon, the star
// field and the ships' hulls.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/bmp_writer.h"

// A colour with components in 0..255 (not clamped until it is stored).
struct Colour {
  double r, g, b;
};

// Equirectangular maps: x is the longitude from 0 to 360 degrees, y the
// latitude from the south pole (row 0) to the north pole.
Picture earthTexture(int width, int height);        // oceans, continents, ice and clouds
IndexedPicture moonTexture(int width, int height);  // grey highlands, maria and craters

// A repeating star field on a dark sky with a faint band of the galaxy.
IndexedPicture starTexture(int size);

// How one ship is painted.
struct HullStyle {
  uint32_t seed;
  Colour plate;     // hull plating
  Colour accent;    // stripes and wing tips
  double stripeAt;  // where along the hull (0 tail, 1 nose) the band runs
  int panelsAround;
  int panelsAlong;
};

// The ship's texture in the layout of tools/atlas.h.
Picture hullTexture(int size, const HullStyle& style);
// Sixteen colours that the hull texture quantises to well.
std::vector<uint32_t> hullPalette(const HullStyle& style);
