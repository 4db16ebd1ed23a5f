// Where each kind of ship surface lies in a ship's texture, shared by the
// painter of the texture and the builder of the mesh. Texture coordinates:
// u across, v up, both 0..1.
#pragma once

struct Region {
  double u0, v0, u1, v1;
  double u(double s) const { return u0 + (u1 - u0) * s; }
  double v(double t) const { return v0 + (v1 - v0) * t; }
  bool contains(double u, double v) const { return u >= u0 && u < u1 && v >= v0 && v < v1; }
};

namespace atlas {
// The hull: u once around the body (a quarter turn is the top), v from tail to nose.
constexpr Region kHull{0.0, 0.5, 1.0, 1.0};
// Wings and fins: u around the airfoil, v from root to tip.
constexpr Region kWing{0.0, 0.25, 0.5, 0.5};
// Engine housings: u around, v from nozzle to intake.
constexpr Region kEngine{0.5, 0.25, 1.0, 0.5};
// End caps: a disc, glowing in the middle (engine exhausts) and plated at the rim.
constexpr Region kCap{0.0, 0.0, 0.5, 0.25};
// Cockpit glass.
constexpr Region kCanopy{0.5, 0.0, 1.0, 0.25};
}  // namespace atlas
