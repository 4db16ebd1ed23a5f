#include "tools/meshes.h"

#include <cmath>

#include "tools/atlas.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
  double x, y, z;
  Vec operator+(const Vec& b) const { return {x + b.x, y + b.y, z + b.z}; }
  Vec operator-(const Vec& b) const { return {x - b.x, y - b.y, z - b.z}; }
  Vec operator*(double s) const { return {x * s, y * s, z * s}; }
  double dot(const Vec& b) const { return x * b.x + y * b.y + z * b.z; }
  Vec cross(const Vec& b) const {
    return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
  }
  Vec unit() const { return *this * (1.0 / std::sqrt(dot(*this))); }
};

uint16_t addPoint(Mesh& mesh, const Vec& p, double u, double v) {
  mesh.points.push_back({float(p.x), float(p.y), float(p.z)});
  mesh.texels.push_back({float(u), float(v)});
  return uint16_t(mesh.points.size() - 1);
}

// One cross-section of a lofted part: its centre and its half-extents across
// (a) and up (b) the part.
struct Station {
  Vec centre;
  double a, b;
};

// A closed body swept through its stations, cross-sections of `sides`
// segments on a superellipse of exponent `roundness` (2 an ellipse, larger
// boxier). `up` orients the sections; the sides take `skin` from the atlas
// and a cap closes each end with a disc of `caps`.
struct Loft {
  std::vector<Station> stations;
  Vec up;
  int sides;
  double roundness;
  Region skin;
  Region caps;
};

double signedPower(double value, double exponent) {
  return std::copysign(std::pow(std::fabs(value), exponent), value);
}

void addCap(Mesh& mesh, const Loft& part, const Vec& across, const Vec& upward, const Station& s,
            bool atEnd) {
  if (s.a <= 0.0 || s.b <= 0.0) return;  // a point closes itself
  const double cu = part.caps.u(0.5), cv = part.caps.v(0.5);
  const uint16_t centre = addPoint(mesh, s.centre, cu, cv);
  std::vector<uint16_t> ring;
  for (int j = 0; j <= part.sides; ++j) {
    const double angle = 2.0 * kPi * j / part.sides;
    const double c = signedPower(std::cos(angle), 2.0 / part.roundness);
    const double n = signedPower(std::sin(angle), 2.0 / part.roundness);
    ring.push_back(addPoint(mesh, s.centre + across * (s.a * c) + upward * (s.b * n),
                            cu + 0.47 * (part.caps.u1 - part.caps.u0) * std::cos(angle),
                            cv + 0.47 * (part.caps.v1 - part.caps.v0) * std::sin(angle)));
  }
  for (int j = 0; j < part.sides; ++j) {
    if (atEnd)
      mesh.faces.push_back({centre, ring[j], ring[j + 1]});
    else
      mesh.faces.push_back({centre, ring[j + 1], ring[j]});
  }
}

void addLoft(Mesh& mesh, const Loft& part) {
  const Vec direction = (part.stations.back().centre - part.stations.front().centre).unit();
  const Vec upward = (part.up - direction * part.up.dot(direction)).unit();
  const Vec across = upward.cross(direction);  // across x upward = direction: faces point out
  double length = 0.0;
  std::vector<double> along{0.0};
  for (size_t i = 1; i < part.stations.size(); ++i) {
    length += std::sqrt((part.stations[i].centre - part.stations[i - 1].centre)
                            .dot(part.stations[i].centre - part.stations[i - 1].centre));
    along.push_back(length);
  }
  const int ringSize = part.sides + 1;  // the seam is doubled so that u runs 0..1
  const size_t first = mesh.points.size();
  for (size_t i = 0; i < part.stations.size(); ++i) {
    const Station& s = part.stations[i];
    for (int j = 0; j <= part.sides; ++j) {
      const double angle = 2.0 * kPi * j / part.sides;
      const Vec p = s.centre + across * (s.a * signedPower(std::cos(angle), 2.0 / part.roundness)) +
                    upward * (s.b * signedPower(std::sin(angle), 2.0 / part.roundness));
      addPoint(mesh, p, part.skin.u(double(j) / part.sides), part.skin.v(along[i] / length));
    }
  }
  for (size_t i = 0; i + 1 < part.stations.size(); ++i) {
    for (int j = 0; j < part.sides; ++j) {
      const auto a0 = uint16_t(first + i * ringSize + j), a1 = uint16_t(a0 + 1);
      const auto b0 = uint16_t(a0 + ringSize), b1 = uint16_t(b0 + 1);
      mesh.faces.push_back({a0, a1, b1});
      mesh.faces.push_back({a0, b1, b0});
    }
  }
  addCap(mesh, part, across, upward, part.stations.front(), false);
  addCap(mesh, part, across, upward, part.stations.back(), true);
}

// A part and its mirror image across the ship's centre plane (x = 0).
void addMirrored(Mesh& mesh, Loft part) {
  addLoft(mesh, part);
  for (Station& s : part.stations) s.centre.x = -s.centre.x;
  part.up.x = -part.up.x;
  addLoft(mesh, part);
}

const Vec kUp{0, 0, 1};
const Vec kSide{1, 0, 0};

}  // namespace

Mesh globe(float radius, int slices, int stacks) {
  Mesh mesh;
  for (int i = 0; i <= stacks; ++i) {
    const double latitude = (double(i) / stacks - 0.5) * kPi;
    for (int j = 0; j <= slices; ++j) {
      const double longitude = 2.0 * kPi * j / slices;
      const Vec p{std::cos(latitude) * std::cos(longitude),
                  std::cos(latitude) * std::sin(longitude), std::sin(latitude)};
      addPoint(mesh, p * radius, double(j) / slices, double(i) / stacks);
    }
  }
  const int ring = slices + 1;
  for (int i = 0; i < stacks; ++i) {
    for (int j = 0; j < slices; ++j) {
      const auto a0 = uint16_t(i * ring + j), a1 = uint16_t(a0 + 1);
      const auto b0 = uint16_t(a0 + ring), b1 = uint16_t(b0 + 1);
      if (i > 0) mesh.faces.push_back({a0, a1, b1});           // not at the south pole
      if (i + 1 < stacks) mesh.faces.push_back({a0, b1, b0});  // not at the north pole
    }
  }
  return mesh;
}

Mesh fighter() {
  Mesh mesh;
  // Fuselage, tail to nose.
  addLoft(mesh, {{{{0, -130, 0}, 14, 12},
                  {{0, -112, 0}, 20, 16},
                  {{0, -60, 2}, 24, 18},
                  {{0, 0, 3}, 22, 17},
                  {{0, 50, 2}, 16, 13},
                  {{0, 90, 0}, 9, 8},
                  {{0, 120, -1}, 3.5, 3.5},
                  {{0, 130, -1.5}, 0, 0}},
                 kUp,
                 16,
                 2.6,
                 atlas::kHull,
                 atlas::kCap});
  // Canopy on the spine.
  addLoft(mesh,
          {{{{0, 18, 12}, 5, 3}, {{0, 30, 15}, 8, 7}, {{0, 55, 14}, 7, 6}, {{0, 74, 9}, 2, 2}},
           kUp,
           12,
           2.0,
           atlas::kCanopy,
           atlas::kCanopy});
  // Swept wings, root to tip: half-chord along the body, thin across it.
  addMirrored(mesh, {{{{18, -45, 0}, 48, 4}, {{60, -70, -1}, 26, 2.5}, {{96, -88, -2}, 10, 1.2}},
                     kUp,
                     10,
                     2.0,
                     atlas::kWing,
                     atlas::kWing});
  // Canted tail fins.
  addMirrored(mesh, {{{{10, -104, 10}, 22, 2}, {{28, -124, 56}, 9, 1}},
                     kSide,
                     8,
                     2.0,
                     atlas::kWing,
                     atlas::kWing});
  // Engine pods, exhaust to intake; the exhaust cap glows.
  addMirrored(mesh, {{{{24, -138, -4}, 9, 9},
                      {{24, -130, -4}, 11, 11},
                      {{24, -90, -4}, 11, 11},
                      {{24, -70, -4}, 6, 6}},
                     kUp,
                     14,
                     2.0,
                     atlas::kEngine,
                     atlas::kCap});
  return mesh;
}

Mesh escort() {
  Mesh mesh;
  // A boxy hull, tail to a blunt nose.
  addLoft(mesh, {{{{0, -110, 0}, 30, 22},
                  {{0, -84, 0}, 34, 26},
                  {{0, 40, 0}, 32, 24},
                  {{0, 80, -2}, 22, 18},
                  {{0, 104, -4}, 10, 10},
                  {{0, 112, -5}, 4, 4}},
                 kUp,
                 10,
                 4.0,
                 atlas::kHull,
                 atlas::kCap});
  // Bridge block on the back.
  addLoft(mesh, {{{{0, -72, 26}, 14, 8}, {{0, -20, 28}, 12, 7}},
                 kUp,
                 8,
                 4.0,
                 atlas::kCanopy,
                 atlas::kCanopy});
  // Side engine pods.
  addMirrored(mesh, {{{{40, -124, 0}, 10, 10}, {{40, -110, 0}, 12, 12}, {{40, -40, 0}, 8, 8}},
                     kUp,
                     10,
                     2.0,
                     atlas::kEngine,
                     atlas::kCap});
  // Stub pylons holding the pods.
  addMirrored(
      mesh,
      {{{{26, -80, 0}, 18, 3}, {{34, -84, 0}, 16, 2.5}}, kUp, 6, 2.0, atlas::kWing, atlas::kWing});
  return mesh;
}
