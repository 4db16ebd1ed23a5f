#include "tools/noise.h"

#include <cmath>

uint64_t Random::next() {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double Random::uniform() { return double(next() >> 11) * 0x1.0p-53; }

namespace {

// A lattice value in [-1, 1].
double lattice(int64_t x, int64_t y, int64_t z, uint32_t seed) {
  uint64_t h = uint64_t(x) * 0x8DA6B343ull ^ uint64_t(y) * 0xD8163841ull ^
               uint64_t(z) * 0xCB1AB31Full ^ uint64_t(seed) * 0x165667B1ull;
  h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull;
  h ^= h >> 32;
  return double(h & 0xFFFFFF) / double(0x7FFFFF) - 1.0;
}

double fade(double t) { return t * t * (3.0 - 2.0 * t); }
double mix(double a, double b, double t) { return a + (b - a) * t; }

int64_t wrap(int64_t value, int period) { return ((value % period) + period) % period; }

}  // namespace

double valueNoise(double x, double y, double z, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
  const int64_t ix = int64_t(fx), iy = int64_t(fy), iz = int64_t(fz);
  const double tx = fade(x - fx), ty = fade(y - fy), tz = fade(z - fz);
  double plane[2];
  for (int dz = 0; dz < 2; ++dz) {
    const double a = mix(lattice(ix, iy, iz + dz, seed), lattice(ix + 1, iy, iz + dz, seed), tx);
    const double b =
        mix(lattice(ix, iy + 1, iz + dz, seed), lattice(ix + 1, iy + 1, iz + dz, seed), tx);
    plane[dz] = mix(a, b, ty);
  }
  return mix(plane[0], plane[1], tz);
}

double fractalNoise(double x, double y, double z, int octaves, uint32_t seed) {
  double sum = 0.0, amplitude = 0.5, frequency = 1.0;
  for (int k = 0; k < octaves; ++k) {
    sum += amplitude * valueNoise(x * frequency, y * frequency, z * frequency, seed + uint32_t(k));
    amplitude *= 0.5;
    frequency *= 2.0;
  }
  return sum * 1.6;
}

double tileableNoise(double x, double y, int period, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int64_t ix = int64_t(fx), iy = int64_t(fy);
  const double tx = fade(x - fx), ty = fade(y - fy);
  auto at = [&](int64_t i, int64_t j) {
    return lattice(wrap(i, period), wrap(j, period), 0, seed);
  };
  return mix(mix(at(ix, iy), at(ix + 1, iy), tx), mix(at(ix, iy + 1), at(ix + 1, iy + 1), tx), ty);
}

double tileableFractalNoise(double x, double y, int period, int octaves, uint32_t seed) {
  double sum = 0.0, amplitude = 0.5;
  for (int k = 0; k < octaves; ++k) {
    sum += amplitude * tileableNoise(x, y, period, seed + uint32_t(k));
    x *= 2.0;
    y *= 2.0;
    period *= 2;
    amplitude *= 0.5;
  }
  return sum * 1.6;
}

double smoothstep(double edge0, double edge1, double x) {
  const double t = std::fmin(1.0, std::fmax(0.0, (x - edge0) / (edge1 - edge0)));
  return t * t * (3.0 - 2.0 * t);
}
