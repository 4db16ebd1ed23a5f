#include "scene/powers_of_ten.h"

#include <cmath>
#include <cstring>

namespace {

// Covers every exponent of a finite positive double (10^-324 .. 10^308) and
// the exponents the gravity law forms from them; beyond it, pow decides.
constexpr int32_t kLowest = -400;
constexpr int32_t kHighest = 400;

struct PowerTable {
  double value[kHighest - kLowest + 1];
  PowerTable() {
    for (int32_t k = kLowest; k <= kHighest; ++k) value[k - kLowest] = std::pow(10.0, k);
  }
};

const PowerTable& table() {
  static const PowerTable powers;
  return powers;
}

// Near a power of ten the rounded table entry and the rounding of log10 may
// disagree; within this relative distance log10 itself decides.
constexpr double kAmbiguous = 1e-9;

}  // namespace

double powerOfTen(int32_t k) {
  if (k < kLowest || k > kHighest) return std::pow(10.0, k);
  return table().value[k - kLowest];
}

int32_t decimalExponent(double s) {
  // The binary exponent bounds the decimal one: floor(log10 s) is n or n + 1.
  uint64_t bits;
  std::memcpy(&bits, &s, sizeof bits);
  const int32_t binary = static_cast<int32_t>((bits >> 52) & 0x7ff) - 1023;
  int32_t n = static_cast<int32_t>(std::floor(binary * 0.30102999566398120)) - 1;
  while (powerOfTen(n + 1) <= s) ++n;
  while (powerOfTen(n) > s) --n;
  // Now 10^n <= s < 10^(n+1) by the table's values.
  const double below = powerOfTen(n);
  const double above = powerOfTen(n + 1);
  if (s - below <= below * kAmbiguous || above - s <= above * kAmbiguous) {
    return static_cast<int32_t>(std::log10(s));
  }
  // Strictly between two powers: truncation toward zero takes the lower one
  // for s >= 1 and the upper one for s < 1.
  return s >= 1.0 ? n : n + 1;
}
