// The middle of a set of timings and how far the middle half of them spreads:
// on a machine shared with other work, single timings say little.
#pragma once

#include <algorithm>
#include <vector>

struct Spread {
  double median;
  double lowerQuartile;
  double upperQuartile;
};

inline Spread spreadOf(std::vector<double> values) {
  if (values.empty()) return {0.0, 0.0, 0.0};
  std::sort(values.begin(), values.end());
  // The value at a fraction of the way through them, the nearest one taken.
  const auto at = [&values](double fraction) {
    return values[static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5)];
  };
  return {at(0.5), at(0.25), at(0.75)};
}
