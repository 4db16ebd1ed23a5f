#include "tests/support/png_file.h"

#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void putU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  putU32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putU32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

}  // namespace

bool writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
  // Each row, top first, behind a filter byte of 0 (none).
  std::vector<uint8_t> raw;
  for (int row = height - 1; row >= 0; --row) {
    raw.push_back(0);
    const auto* begin = rgb.data() + size_t(row) * width * 3;
    raw.insert(raw.end(), begin, begin + size_t(width) * 3);
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK) return false;
  packed.resize(packedSize);

  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  putU32(header, uint32_t(width));
  putU32(header, uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  chunk(file, "IHDR", header);
  chunk(file, "IDAT", packed);
  chunk(file, "IEND", {});

  const std::string partial = path + "." + std::to_string(getpid()) + ".part";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!out) return false;
  }
  return std::rename(partial.c_str(), path.c_str()) == 0;
}
