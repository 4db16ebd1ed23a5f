#include "tools/textures.h"

#include <algorithm>
#include <cmath>

#include "tools/atlas.h"
#include "tools/noise.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

Colour mix(const Colour& a, const Colour& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Colour scale(const Colour& c, double s) { return {c.r * s, c.g * s, c.b * s}; }

uint8_t clampByte(double value) { return uint8_t(std::lround(std::clamp(value, 0.0, 255.0))); }

void store(uint8_t* pixel, const Colour& c) {
  pixel[0] = clampByte(c.r);
  pixel[1] = clampByte(c.g);
  pixel[2] = clampByte(c.b);
}

uint32_t packed(const Colour& c) {
  return uint32_t(clampByte(c.r)) << 16 | uint32_t(clampByte(c.g)) << 8 | clampByte(c.b);
}

struct Direction {
  double x, y, z;
};

// The point of the unit sphere under texel (x, y) of an equirectangular map.
Direction sphereAt(int x, int y, int width, int height) {
  const double longitude = (x + 0.5) / width * 2.0 * kPi;
  const double latitude = ((y + 0.5) / height - 0.5) * kPi;
  return {std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude),
          std::sin(latitude)};
}

// --- The Earth ---

Colour landColour(const Direction& p, double elevation, double latitudeDegrees) {
  const Colour forest{34, 82, 40}, grass{98, 124, 60}, sand{198, 170, 116}, tundra{122, 116, 98},
      rock{112, 100, 88}, snow{238, 240, 244};
  const double moisture = fractalNoise(p.x * 2.5 + 9, p.y * 2.5, p.z * 2.5, 5, 2);
  const double warmth = 1.0 - latitudeDegrees / 90.0 - elevation * 0.6;
  // Deserts gather in the dry belts either side of the tropics.
  const double dryBelt = std::exp(-std::pow((latitudeDegrees - 24.0) / 12.0, 2.0));
  Colour colour = mix(grass, forest, smoothstep(-0.05, 0.3, moisture));
  colour = mix(colour, sand, smoothstep(0.1, 0.45, dryBelt - moisture * 0.8 - 0.2));
  colour = mix(colour, tundra, smoothstep(0.42, 0.25, warmth));
  colour = mix(colour, rock, smoothstep(0.22, 0.42, elevation));
  colour = mix(colour, snow, smoothstep(0.5, 0.62, elevation + (1.0 - warmth) * 0.2));
  const double grain = 1.0 + 0.08 * fractalNoise(p.x * 24, p.y * 24, p.z * 24, 3, 3);
  return scale(colour, grain);
}

Colour earthAt(const Direction& p, double latitudeDegrees) {
  const Colour deep{8, 30, 82}, shallow{36, 104, 158}, ice{234, 240, 248}, cloud{250, 251, 253};
  const double warp = 0.35 * fractalNoise(p.x * 2 + 17, p.y * 2, p.z * 2, 3, 11);
  const double height = fractalNoise(p.x * 1.4 + warp, p.y * 1.4 - warp, p.z * 1.4 + warp, 8, 1);
  const double seaLevel = 0.08;
  Colour colour = height < seaLevel ? mix(shallow, deep, smoothstep(0.0, 0.3, seaLevel - height))
                                    : landColour(p, height - seaLevel, latitudeDegrees);
  const double iceLine = 72.0 + 5.0 * fractalNoise(p.x * 4, p.y * 4, p.z * 4, 3, 4);
  colour = mix(colour, ice, smoothstep(iceLine - 1.5, iceLine + 1.5, latitudeDegrees));
  // Clouds: swirled noise, thicker in the storm belts of the middle latitudes.
  const double swirl = 0.5 * fractalNoise(p.x * 1.5, p.y * 1.5, p.z * 1.5 + 40, 3, 6);
  double cover = fractalNoise(p.x * 3.2 + swirl, p.y * 3.2 - swirl, p.z * 5.0, 6, 5);
  cover += 0.18 * std::cos(latitudeDegrees / 90.0 * kPi * 3.0) - 0.05;
  return mix(colour, cloud, 0.8 * smoothstep(0.2, 0.7, cover));
}

// --- The Moon ---

struct Crater {
  Direction centre;
  double radius;  // in radians of arc
  bool rayed;     // young craters throw bright rays
};

std::vector<Crater> scatterCraters(int count, uint64_t seed) {
  Random random(seed);
  std::vector<Crater> craters;
  for (int k = 0; k < count; ++k) {
    const double z = random.uniform(-1.0, 1.0), angle = random.uniform(0.0, 2.0 * kPi);
    const double ring = std::sqrt(1.0 - z * z);
    // Many small craters, few large ones.
    const double radius = std::min(0.2, 0.01 / std::pow(random.uniform(0.02, 1.0), 0.6));
    craters.push_back(
        {{ring * std::cos(angle), ring * std::sin(angle), z}, radius, random.uniform() < 0.06});
  }
  return craters;
}

// The brightness change that one crater makes at an angular distance.
double craterShade(const Crater& crater, double distance, const Direction& p) {
  const double s = distance / crater.radius;
  double shade = 0.0;
  if (s < 1.0)
    shade = -0.10 * (1.0 - s * s) + 0.10 * smoothstep(0.7, 1.0, s);
  else if (s < 1.15)
    shade = 0.12;
  else if (s < 2.0)
    shade = 0.05 * (2.0 - s) / 0.85;
  if (crater.rayed && s > 1.0 && s < 7.0) {
    const double spokes = valueNoise(p.x * 40, p.y * 40, p.z * 40, 77);
    shade += 0.09 * smoothstep(0.3, 0.8, spokes) * (1.0 - s / 7.0);
  }
  return shade;
}

}  // namespace

Picture earthTexture(int width, int height) {
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    const double latitudeDegrees = std::fabs(((y + 0.5) / height - 0.5) * 180.0);
    for (int x = 0; x < width; ++x) {
      store(picture.at(x, y), earthAt(sphereAt(x, y, width, height), latitudeDegrees));
    }
  }
  return picture;
}

IndexedPicture moonTexture(int width, int height) {
  std::vector<double> brightness(size_t(width) * height);
  std::vector<Direction> points(brightness.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Direction p = sphereAt(x, y, width, height);
      points[size_t(y) * width + x] = p;
      // Dark maria, mostly on the side that faces the Earth (longitude 0).
      const double mare =
          smoothstep(0.05, 0.3, fractalNoise(p.x * 1.3, p.y * 1.3, p.z * 1.3, 4, 31) + 0.25 * p.x);
      brightness[size_t(y) * width + x] =
          0.64 + 0.07 * fractalNoise(p.x * 6, p.y * 6, p.z * 6, 6, 21) - 0.24 * mare;
    }
  }
  for (const Crater& crater : scatterCraters(600, 7)) {
    const double reach = crater.radius * (crater.rayed ? 7.0 : 2.0);
    const double nearest = std::cos(std::min(reach, kPi));
    for (size_t k = 0; k < points.size(); ++k) {
      const Direction& p = points[k];
      const double alignment =
          p.x * crater.centre.x + p.y * crater.centre.y + p.z * crater.centre.z;
      if (alignment < nearest) continue;
      brightness[k] += craterShade(crater, std::acos(std::min(1.0, alignment)), p);
    }
  }
  IndexedPicture picture{width, height, {}, {}};
  for (int k = 0; k < 256; ++k) {
    picture.palette.push_back(packed({double(k), double(k), k * 0.96}));  // a faintly warm grey
  }
  for (double value : brightness) picture.indices.push_back(clampByte(value * 255.0));
  return picture;
}

IndexedPicture starTexture(int size) {
  constexpr int kSkyShades = 32, kLevels = 56;
  const Colour sky{22, 18, 42};
  const Colour tints[4] = {{170, 192, 255}, {255, 255, 255}, {255, 236, 192}, {255, 190, 140}};
  IndexedPicture picture{size, size, {}, {}};
  for (int k = 0; k < kSkyShades; ++k)
    picture.palette.push_back(packed(scale(sky, k / double(kSkyShades - 1))));
  for (const Colour& tint : tints) {
    for (int level = 1; level <= kLevels; ++level) {
      picture.palette.push_back(packed(scale(tint, std::pow(level / double(kLevels), 1.1))));
    }
  }

  // The galaxy's band winds across the picture and wraps around its edges.
  auto bandCentre = [size](double x) {
    return size * (0.5 + 0.12 * std::sin(2.0 * kPi * x / size));
  };
  std::vector<float> light(size_t(size) * size, 0.0f), strongest(light.size(), 0.0f);
  std::vector<uint8_t> tint(light.size(), 1);
  auto splat = [&](double cx, double cy, double brightness, uint8_t starTint) {
    const double sigma = 0.45 + 1.6 * brightness * brightness;
    const int reach = int(std::ceil(3.0 * sigma)) + (brightness > 0.85 ? 8 : 0);
    for (int dy = -reach; dy <= reach; ++dy) {
      for (int dx = -reach; dx <= reach; ++dx) {
        const int x = int(std::floor(cx)) + dx, y = int(std::floor(cy)) + dy;
        const double ex = x + 0.5 - cx, ey = y + 0.5 - cy;
        double value = brightness * std::exp(-(ex * ex + ey * ey) / (2.0 * sigma * sigma));
        if (brightness > 0.85 && (std::fabs(ex) < 0.6 || std::fabs(ey) < 0.6)) {
          value += 0.5 * brightness * std::exp(-std::hypot(ex, ey) / 3.0);  // diffraction spikes
        }
        const size_t at =
            size_t((y % size + size) % size) * size + size_t((x % size + size) % size);
        light[at] += float(value);
        if (value > strongest[at]) {
          strongest[at] = float(value);
          tint[at] = starTint;
        }
      }
    }
  };
  Random random(2024);
  auto drawTint = [&random]() -> uint8_t {
    const double pick = random.uniform();
    return pick < 0.25 ? 0 : pick < 0.65 ? 1 : pick < 0.9 ? 2 : 3;
  };
  for (int k = 0; k < 9000; ++k) {
    const double x = random.uniform(0, size), y = random.uniform(0, size);
    splat(x, y, 0.15 + 0.85 * std::pow(random.uniform(), 6.0), drawTint());
  }
  for (int k = 0; k < 7000; ++k) {  // the band's crowd of faint stars
    const double x = random.uniform(0, size);
    const double offset =
        (random.uniform() + random.uniform() + random.uniform() - 1.5) * 0.1 * size;
    splat(x, bandCentre(x) + offset, 0.12 + 0.3 * std::pow(random.uniform(), 4.0), drawTint());
  }

  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const size_t at = size_t(y) * size + x;
      if (light[at] > 0.05f) {
        const int level =
            std::clamp(int(std::lround(std::min(1.0f, light[at]) * (kLevels - 1))) + 1, 1, kLevels);
        picture.indices.push_back(uint8_t(kSkyShades + tint[at] * kLevels + level - 1));
        continue;
      }
      const double cloud = tileableFractalNoise(x / 128.0, y / 128.0, size / 128, 5, 91);
      const double band = std::exp(-std::pow((y - bandCentre(x)) / (0.09 * size), 2.0));
      const double glow =
          0.35 * smoothstep(-0.2, 0.9, cloud) + 0.55 * band * smoothstep(-0.6, 0.6, cloud);
      picture.indices.push_back(
          uint8_t(std::lround(std::clamp(glow, 0.0, 1.0) * (kSkyShades - 1))));
    }
  }
  return picture;
}

namespace {

// Plating with seams between panels, each panel a shade of its own.
double plating(double s, double t, int around, int along, double pixelsPerUnitS,
               double pixelsPerUnitT, uint32_t seed) {
  const double ps = s * around, pt = t * along;
  const double seamS = std::fabs(ps - std::round(ps)) / around * pixelsPerUnitS;
  const double seamT = std::fabs(pt - std::round(pt)) / along * pixelsPerUnitT;
  const double panel =
      1.0 + 0.07 * valueNoise(std::floor(ps) * 7.31, std::floor(pt) * 3.17, 0.5, seed);
  const double seam = std::min(seamS, seamT) < 0.9 ? 0.55 : 1.0;
  return panel * seam;
}

Colour hullAt(double u, double v, int size, const HullStyle& style) {
  const Colour glass{20, 40, 72}, glassLight{96, 134, 176}, metal{64, 66, 72}, hot{236, 246, 255},
      glow{84, 144, 255};
  const double grime = 1.0 + 0.07 * fractalNoise(u * 24, v * 24, 0.3, 4, style.seed + 50);
  if (atlas::kHull.contains(u, v)) {
    const double s = (u - atlas::kHull.u0) / (atlas::kHull.u1 - atlas::kHull.u0);
    const double t = (v - atlas::kHull.v0) / (atlas::kHull.v1 - atlas::kHull.v0);
    const double angle = s * 2.0 * kPi;
    const double light = 0.74 + 0.36 * std::sin(angle);  // lit from above, shaded below
    Colour colour = style.plate;
    if (std::fabs(t - style.stripeAt) < 0.035) colour = style.accent;
    if (std::fabs(std::cos(angle)) > 0.985 && t > 0.3 && t < 0.8)
      colour = style.accent;  // side flashes
    const double panels =
        plating(s, t, style.panelsAround, style.panelsAlong, size, size * 0.5, style.seed);
    return scale(colour, light * panels * grime);
  }
  if (atlas::kWing.contains(u, v)) {
    const double s = (u - atlas::kWing.u0) / (atlas::kWing.u1 - atlas::kWing.u0);
    const double t = (v - atlas::kWing.v0) / (atlas::kWing.v1 - atlas::kWing.v0);
    const double light = 0.74 + 0.36 * std::sin(s * 2.0 * kPi);
    const Colour colour = t > 0.82 ? style.accent : style.plate;
    return scale(colour,
                 light * plating(s, t, 8, 4, size * 0.5, size * 0.25, style.seed + 1) * grime);
  }
  if (atlas::kEngine.contains(u, v)) {
    const double s = (u - atlas::kEngine.u0) / (atlas::kEngine.u1 - atlas::kEngine.u0);
    const double t = (v - atlas::kEngine.v0) / (atlas::kEngine.v1 - atlas::kEngine.v0);
    const double light = 0.7 + 0.4 * std::sin(s * 2.0 * kPi);
    const double groove = std::fabs(t * 8 - std::round(t * 8)) < 0.08 ? 0.6 : 1.0;
    return scale(mix(metal, style.plate, 0.35), light * groove * grime);
  }
  if (atlas::kCap.contains(u, v)) {
    const double dx = (u - 0.25) / 0.25, dy = (v - 0.125) / 0.125;
    const double r = std::hypot(dx, dy);
    if (r < 0.55) return mix(hot, glow, smoothstep(0.0, 0.55, r));
    if (r < 0.68) return scale(metal, 0.5);
    return scale(metal, 0.9 * grime);
  }
  const double s = (u - atlas::kCanopy.u0) / (atlas::kCanopy.u1 - atlas::kCanopy.u0);
  const double t = (v - atlas::kCanopy.v0) / (atlas::kCanopy.v1 - atlas::kCanopy.v0);
  const double highlight = std::exp(-std::pow((s - 0.3) / 0.06, 2.0)) * smoothstep(0.1, 0.6, t);
  return mix(scale(glass, 0.8 + 0.4 * std::sin(s * 2.0 * kPi)), glassLight, highlight);
}

}  // namespace

Picture hullTexture(int size, const HullStyle& style) {
  Picture picture(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x)
      store(picture.at(x, y), hullAt((x + 0.5) / size, (y + 0.5) / size, size, style));
  }
  return picture;
}

std::vector<uint32_t> hullPalette(const HullStyle& style) {
  std::vector<uint32_t> palette;
  for (double shade : {0.3, 0.45, 0.62, 0.78, 0.92, 1.08})
    palette.push_back(packed(scale(style.plate, shade)));
  for (double shade : {0.55, 0.8, 1.05}) palette.push_back(packed(scale(style.accent, shade)));
  for (const Colour& colour :
       {Colour{20, 40, 72}, Colour{96, 134, 176}, Colour{40, 42, 48}, Colour{90, 94, 104},
        Colour{84, 144, 255}, Colour{160, 200, 255}, Colour{236, 246, 255}}) {
    palette.push_back(packed(colour));
  }
  return palette;
}
