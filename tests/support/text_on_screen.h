// Text found in an 800 x 600 frame read back bottom row first: the pixels of
// one colour between two columns.
#pragma once

#include <cstdint>
#include <vector>

struct Colour {
  uint8_t r, g, b;
};
constexpr Colour kBlack{0, 0, 0}, kWhite{255, 255, 255}, kGreen{0, 255, 0}, kRed{255, 0, 0}, kBlue{0, 0, 255};

inline int ink(const std::vector<uint8_t>& pixels, Colour colour, int left = 0, int right = 800) {
  int count = 0;
  for (size_t k = 0; k < pixels.size(); k += 3) {
    const int x = int(k / 3 % 800);
    count += x >= left && x < right && pixels[k] == colour.r && pixels[k + 1] == colour.g && pixels[k + 2] == colour.b;
  }
  return count;
}
