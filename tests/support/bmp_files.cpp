#include "tests/support/bmp_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

// Appends the value's four bytes, little-endian.
static void put(std::vector<uint8_t>& out, uint32_t value) {
  for (int k = 0; k < 4; ++k) out.push_back(uint8_t(value >> (8 * k)));
}

std::vector<uint8_t> infoBitmap(const InfoHeader& header, const Palette& palette,
                                const std::vector<uint8_t>& pixels, bool withFileHeader) {
  std::vector<uint8_t> body;
  const uint32_t planesAndBits = 1u | uint32_t(header.bitsPerPixel) << 16;
  for (const uint32_t value :
       {header.headerSize, uint32_t(header.width), uint32_t(header.height), planesAndBits,
        header.compression, header.imageSize, 2835u, 2835u, header.coloursUsed, 0u})
    put(body, value);
  body.resize(std::max<size_t>(body.size(), header.headerSize));
  for (const uint32_t colour : palette) put(body, colour);
  std::vector<uint8_t> file;
  if (withFileHeader) {
    file = {'B', 'M'};
    for (const size_t value : {14 + body.size() + pixels.size(), size_t(0), 14 + body.size()})
      put(file, uint32_t(value));
  }
  file.insert(file.end(), body.begin(), body.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

std::string temporaryPath(const std::string& name) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  // The process id keeps apart the same test run at once in the plain and the sanitized binary.
  return ::testing::TempDir() + "orbitrand_" + std::to_string(getpid()) + "_" +
         (test ? test->name() : "test") + "_" + name;
}

std::string writeTemporaryFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = temporaryPath(name);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

Image ownImage(RgbImage* image) {
  return Image(image, [](RgbImage* owned) { std::free(owned->data), std::free(owned); });
}

Image loadImage(const std::string& path) { return ownImage(loadBmpImage(path.c_str())); }
