// Pictures written as Windows bitmap files, in the encodings the program's
// loader reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// RGB pixels, rows bottom first (texture coordinate t = 0 at row 0).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;

  Picture(int width, int height) : width(width), height(height), rgb(size_t(width) * height * 3) {}
  uint8_t* at(int x, int y) { return &rgb[(size_t(y) * width + x) * 3]; }
  const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

// Colour-table entries as 0xRRGGBB, and one index per pixel, rows bottom first.
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> palette;
  std::vector<uint8_t> indices;
};

// The nearest palette entry for every pixel.
IndexedPicture quantize(const Picture& picture, const std::vector<uint32_t>& palette);

// File header and 40-byte info header, 24 bits per pixel.
bool writeBmp24(const std::string& path, const Picture& picture);
// File header and 40-byte info header, 4 or 8 bits per pixel through the table.
bool writeBmpIndexed(const std::string& path, const IndexedPicture& picture, int bitsPerPixel);
// File header and the 12-byte core header, 8 bits per pixel, 3-byte table entries.
bool writeBmpCore8(const std::string& path, const IndexedPicture& picture);
