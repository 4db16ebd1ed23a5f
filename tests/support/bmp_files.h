// BMP files written by the tests byte by byte in the test's temporary folder,
// and pictures loaded from files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image/bmp_loader.h"

// The fields of an info header; 108 or 124 bytes for the later versions (padded with zeros).
struct InfoHeader {
  int32_t width = 0, height = 0;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = 0, imageSize = 0, coloursUsed = 0, headerSize = 40;
};

// Colour-table entries as 0xRRGGBB.
using Palette = std::vector<uint32_t>;

// A file header (when `withFileHeader`), the info header, the palette in
// 4-byte entries and the pixel bytes as given (rows already padded).
std::vector<uint8_t> infoBitmap(const InfoHeader& header, const Palette& palette,
                                const std::vector<uint8_t>& pixels, bool withFileHeader = true);

// A path in the test's temporary folder, and a file written there.
std::string temporaryPath(const std::string& name);
std::string writeTemporaryFile(const std::string& name, const std::vector<uint8_t>& bytes);

// loadBmpImage's picture, freed as its caller must free it.
using Image = std::unique_ptr<RgbImage, void (*)(RgbImage*)>;
Image loadImage(const std::string& path);
Image ownImage(RgbImage* image);
