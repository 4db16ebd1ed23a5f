#include "tools/bmp_writer.h"

#include <fstream>
#include <limits>

namespace {

struct Bytes {
  std::vector<uint8_t> data;
  void u8(uint8_t v) { data.push_back(v); }
  void u16(uint16_t v) {
    u8(v & 0xFF);
    u8(v >> 8);
  }
  void u32(uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
};

size_t rowBytes(int bitsPerPixel, int width) {
  return (size_t(bitsPerPixel) * width + 31) / 32 * 4;
}

void fileHeader(Bytes& out, size_t headerAndTable, size_t pixelBytes) {
  out.u8('B');
  out.u8('M');
  out.u32(uint32_t(14 + headerAndTable + pixelBytes));
  out.u32(0);
  out.u32(uint32_t(14 + headerAndTable));
}

void infoHeader(Bytes& out, int width, int height, int bitsPerPixel, size_t colours,
                size_t pixelBytes) {
  out.u32(40);
  out.u32(uint32_t(width));
  out.u32(uint32_t(height));
  out.u16(1);
  out.u16(uint16_t(bitsPerPixel));
  out.u32(0);
  out.u32(uint32_t(pixelBytes));
  out.u32(2835);  // 72 dots per inch
  out.u32(2835);
  out.u32(uint32_t(colours));
  out.u32(0);
}

// Pixel rows packed at 4 or 8 bits, high nibble first, padded to 4 bytes.
std::vector<uint8_t> packedRows(const IndexedPicture& picture, int bitsPerPixel) {
  const size_t stride = rowBytes(bitsPerPixel, picture.width);
  std::vector<uint8_t> rows(stride * picture.height, 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t index = picture.indices[size_t(y) * picture.width + x];
      if (bitsPerPixel == 8) {
        rows[y * stride + x] = index;
      } else {
        rows[y * stride + x / 2] |= x % 2 ? index : uint8_t(index << 4);
      }
    }
  }
  return rows;
}

bool save(const std::string& path, const Bytes& head, const std::vector<uint8_t>& pixels) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(head.data.data()), std::streamsize(head.data.size()));
  out.write(reinterpret_cast<const char*>(pixels.data()), std::streamsize(pixels.size()));
  return bool(out);
}

}  // namespace

IndexedPicture quantize(const Picture& picture, const std::vector<uint32_t>& palette) {
  IndexedPicture out{picture.width, picture.height, palette, {}};
  out.indices.resize(size_t(picture.width) * picture.height);
  for (size_t k = 0; k < out.indices.size(); ++k) {
    const uint8_t* p = &picture.rgb[k * 3];
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t c = 0; c < palette.size(); ++c) {
      const int dr = p[0] - int(palette[c] >> 16), dg = p[1] - int((palette[c] >> 8) & 0xFF),
                db = p[2] - int(palette[c] & 0xFF);
      const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = int(c);
      }
    }
    out.indices[k] = uint8_t(best);
  }
  return out;
}

bool writeBmp24(const std::string& path, const Picture& picture) {
  const size_t stride = rowBytes(24, picture.width);
  std::vector<uint8_t> rows(stride * picture.height, 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint8_t* p = picture.at(x, y);
      uint8_t* out = &rows[y * stride + x * 3];
      out[0] = p[2];
      out[1] = p[1];
      out[2] = p[0];
    }
  }
  Bytes head;
  fileHeader(head, 40, rows.size());
  infoHeader(head, picture.width, picture.height, 24, 0, rows.size());
  return save(path, head, rows);
}

bool writeBmpIndexed(const std::string& path, const IndexedPicture& picture, int bitsPerPixel) {
  const std::vector<uint8_t> rows = packedRows(picture, bitsPerPixel);
  Bytes head;
  fileHeader(head, 40 + 4 * picture.palette.size(), rows.size());
  infoHeader(head, picture.width, picture.height, bitsPerPixel, picture.palette.size(),
             rows.size());
  for (uint32_t colour : picture.palette) head.u32(colour & 0xFFFFFF);  // blue, green, red, 0
  return save(path, head, rows);
}

bool writeBmpCore8(const std::string& path, const IndexedPicture& picture) {
  const std::vector<uint8_t> rows = packedRows(picture, 8);
  Bytes head;
  fileHeader(head, 12 + 3 * 256, rows.size());
  head.u32(12);
  head.u16(uint16_t(picture.width));
  head.u16(uint16_t(picture.height));
  head.u16(1);
  head.u16(8);
  for (size_t k = 0; k < 256; ++k) {
    const uint32_t colour = k < picture.palette.size() ? picture.palette[k] : 0;
    head.u8(colour & 0xFF);
    head.u8((colour >> 8) & 0xFF);
    head.u8(colour >> 16);
  }
  return save(path, head, rows);
}
