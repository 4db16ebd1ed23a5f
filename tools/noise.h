// Deterministic randomness for the generated data: the same files on every
// machine and every run.
#pragma once

#include <cstdint>

// A small generator (SplitMix64) with its own uniform draws, since the
// standard distributions differ between library implementations.
struct Random {
  uint64_t state;
  explicit Random(uint64_t seed) : state(seed) {}
  uint64_t next();
  double uniform();  // [0, 1)
  double uniform(double low, double high) { return low + (high - low) * uniform(); }
};

// Smooth value noise in [-1, 1] at a point of space.
double valueNoise(double x, double y, double z, uint32_t seed);
// Octaves of value noise, each twice the frequency and half the amplitude of
// the one before; roughly in [-1, 1].
double fractalNoise(double x, double y, double z, int octaves, uint32_t seed);
// Value noise on the plane that repeats every `period` units in x and y.
double tileableNoise(double x, double y, int period, uint32_t seed);
double tileableFractalNoise(double x, double y, int period, int octaves, uint32_t seed);

double smoothstep(double edge0, double edge1, double x);
