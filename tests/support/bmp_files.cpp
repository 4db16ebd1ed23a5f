#include "tests/support/bmp_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace {

// Little-endian bytes in file order.
struct ByteWriter {
  std::vector<uint8_t> bytes;
  ByteWriter& u8(uint8_t value) {
    bytes.push_back(value);
    return *this;
  }
  ByteWriter& u16(uint16_t value) { return u8(value & 0xFF).u8(value >> 8); }
  ByteWriter& u32(uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
};

// The file header before a header, palette and pixels of `body` bytes.
std::vector<uint8_t> withFileHeader(const std::vector<uint8_t>& body, size_t pixelBytes) {
  const uint32_t offset = uint32_t(14 + body.size() - pixelBytes);
  ByteWriter out;
  out.u8('B').u8('M').u32(uint32_t(14 + body.size())).u16(0).u16(0).u32(offset);
  out.bytes.insert(out.bytes.end(), body.begin(), body.end());
  return out.bytes;
}

}  // namespace

std::vector<uint8_t> infoBitmap(const InfoHeader& header, const Palette& palette,
                                const std::vector<uint8_t>& pixels, bool withFileHeader) {
  ByteWriter body;
  body.u32(header.headerSize).u32(uint32_t(header.width)).u32(uint32_t(header.height)).u16(1);
  body.u16(header.bitsPerPixel).u32(header.compression).u32(header.imageSize).u32(2835).u32(2835);
  body.u32(header.coloursUsed).u32(0);
  while (body.bytes.size() < header.headerSize) body.u8(0);
  for (uint32_t colour : palette) body.u8(colour & 0xFF).u8((colour >> 8) & 0xFF).u8(colour >> 16).u8(0);
  body.bytes.insert(body.bytes.end(), pixels.begin(), pixels.end());
  return withFileHeader ? ::withFileHeader(body.bytes, pixels.size()) : body.bytes;
}

std::vector<uint8_t> coreBitmap(uint16_t width, uint16_t height, uint16_t bitsPerPixel,
                                const Palette& palette, const std::vector<uint8_t>& pixels) {
  ByteWriter body;
  body.u32(12).u16(width).u16(height).u16(1).u16(bitsPerPixel);
  for (uint32_t colour : palette) body.u8(colour & 0xFF).u8((colour >> 8) & 0xFF).u8(colour >> 16);
  body.bytes.insert(body.bytes.end(), pixels.begin(), pixels.end());
  return withFileHeader(body.bytes, pixels.size());
}

std::string temporaryPath(const std::string& name) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  // The process id keeps apart the same test run at once in the plain and the sanitized binary.
  return ::testing::TempDir() + "orbitrand_" + std::to_string(getpid()) + "_" + (test ? test->name() : "test") +
         "_" + name;
}

std::string writeTemporaryFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = temporaryPath(name);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

Image ownImage(RgbImage* image) {
  return Image(image, [](RgbImage* owned) {
    std::free(owned->data);
    std::free(owned);
  });
}

Image loadImage(const std::string& path) { return ownImage(loadBmpImage(path.c_str())); }
