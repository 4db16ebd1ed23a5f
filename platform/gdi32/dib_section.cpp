// gdi32 DIB sections and DIB conversion.
//
// Provided: CreateDIBSection for 24-bit uncompressed sections (bottom-up or
// top-down, zero-filled, at most 256 MiB); SetDIBits into such a section from
// a BITMAPINFOHEADER description of 1, 4 or 8 bits through the colour table,
// 16 and 32 bits (5-5-5 and 8-8-8, or the three bit-field masks behind the
// header), 24 bits, and RLE8 / RLE4 run-length data; GdiFlush.
// Not provided: sections of other depths, file-mapping sections, DIB_PAL_COLORS,
// BITMAPCOREHEADER / V4 / V5 descriptions, JPEG / PNG data, conversions that
// start above row 0.
//
// SetDIBits reads nothing outside what its description states: the 40-byte
// header, the masks or colour entries it names, and for uncompressed data
// the padded rows it converts, for run-length data biSizeImage bytes. Each
// source format has its own conversion loop, chosen once per call.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi32.h"
#include "platform/gdi32/gdi_objects.h"

namespace {

// Textures are decoded one after another, each through a section deleted at
// once. Fresh memory from the kernel costs a page fault and a zeroed page per
// 4 KiB, more than the conversion itself, so the memory of the last deleted
// section (up to 16 MiB, a 2048 x 2048 texture's) serves the next one.
constexpr size_t kKeptSectionBytes = size_t{16} << 20;
std::vector<uint8_t> g_keptSectionMemory;

struct DibSection : platform::GdiObject {
  DibSection(int32_t width, int32_t height, size_t stride, size_t rows)
      : GdiObject(Kind::Bitmap), width(width), height(height), stride(stride) {
    pixels.swap(g_keptSectionMemory);
    pixels.assign(stride * rows, 0);
  }
  ~DibSection() override {
    const size_t capacity = pixels.capacity();
    if (capacity <= kKeptSectionBytes && capacity > g_keptSectionMemory.capacity()) {
      pixels.swap(g_keptSectionMemory);
    }
  }
  const int32_t width;
  const int32_t height;  // negative: the first row in memory is the top row
  const size_t stride;
  std::vector<uint8_t> pixels;

  size_t rows() const { return pixels.size() / stride; }
  // Pixel x of the row `fromBottom` rows above the bottom one.
  uint8_t* pixel(size_t fromBottom, size_t x) {
    const size_t row = height > 0 ? fromBottom : rows() - 1 - fromBottom;
    return &pixels[row * stride + x * 3];
  }
};

constexpr uint64_t kMaxSectionBytes = 256u << 20;

uint64_t rowBytes(uint32_t bitsPerPixel, uint32_t width) {
  return (uint64_t{bitsPerPixel} * width + 31) / 32 * 4;
}

uint64_t magnitude(int32_t value) {
  return value < 0 ? uint64_t{0} - static_cast<uint64_t>(int64_t{value}) : uint64_t(value);
}

uint32_t readU32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }

// A colour as the section stores it: blue, green, red, and a spare byte that
// lets it be written with one four-byte store.
struct Colour {
  uint8_t bytes[4];
};

// One channel of a packed pixel, scaled from the mask's range to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t maximum = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    maximum = m >> shift;
  }
  uint8_t operator()(uint32_t pixel) const {
    if (!maximum) return 0;
    const uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * 255 + maximum / 2) / maximum);
  }
};

// How one description's pixels become colours: through the colour table,
// whose missing entries are black, or through the channel masks.
struct SourceFormat {
  Colour palette[256] = {};
  Channel red{0}, green{0}, blue{0};

  Colour packed(uint32_t pixel) const { return {{blue(pixel), green(pixel), red(pixel), 0}}; }
};

// Stores the colours of pixels 0 to columns - 1 (at least one) of a row: all
// but the last with a four-byte write whose spare byte the next overwrites.
template <typename ColourOf>
void storeRow(uint8_t* target, size_t columns, ColourOf colourOf) {
  for (size_t x = 0; x + 1 < columns; ++x) std::memcpy(target + 3 * x, colourOf(x).bytes, 4);
  std::memcpy(target + 3 * (columns - 1), colourOf(columns - 1).bytes, 3);
}

// Fills `format` from the description; false for a description that this
// conversion does not know.
bool describe(const BITMAPINFO* info, SourceFormat& format) {
  const BITMAPINFOHEADER& header = info->bmiHeader;
  const auto* afterHeader = reinterpret_cast<const uint8_t*>(info) + sizeof(BITMAPINFOHEADER);
  switch (header.biBitCount) {
    case 1:
    case 4:
    case 8: {
      const uint32_t compression = header.biCompression;
      if (!(compression == BI_RGB || (compression == BI_RLE8 && header.biBitCount == 8) ||
            (compression == BI_RLE4 && header.biBitCount == 4))) {
        return false;
      }
      const uint32_t full = 1u << header.biBitCount;
      const uint32_t entries =
          header.biClrUsed && header.biClrUsed < full ? header.biClrUsed : full;
      const auto* table = reinterpret_cast<const RGBQUAD*>(afterHeader);
      for (uint32_t k = 0; k < entries; ++k) {
        format.palette[k] = {{table[k].rgbBlue, table[k].rgbGreen, table[k].rgbRed, 0}};
      }
      return true;
    }
    case 24: return header.biCompression == BI_RGB;
    case 16:
    case 32: {
      uint32_t masks[3];
      if (header.biCompression == BI_BITFIELDS) {
        for (int k = 0; k < 3; ++k) masks[k] = readU32(afterHeader + 4 * k);
      } else if (header.biCompression == BI_RGB) {
        const bool five = header.biBitCount == 16;
        masks[0] = five ? 0x7C00 : 0xFF0000;
        masks[1] = five ? 0x03E0 : 0x00FF00;
        masks[2] = five ? 0x001F : 0x0000FF;
      } else {
        return false;
      }
      format.red = Channel(masks[0]);
      format.green = Channel(masks[1]);
      format.blue = Channel(masks[2]);
      return true;
    }
    default: return false;
  }
}

// Uncompressed data: each source row, in the description's row order, goes
// to its section row through convertRow(source, target, columns).
template <typename ConvertRow>
void convertRows(DibSection& section, const uint8_t* bits, const BITMAPINFOHEADER& header,
                 size_t rows, ConvertRow convertRow) {
  const size_t stride = rowBytes(header.biBitCount, header.biWidth);
  const size_t columns = std::min<size_t>(header.biWidth, section.width);
  const size_t sourceRows = magnitude(header.biHeight);
  for (size_t r = 0; r < rows; ++r) {
    const size_t fromBottom = header.biHeight > 0 ? r : sourceRows - 1 - r;
    if (fromBottom >= section.rows()) continue;
    convertRow(bits + r * stride, section.pixel(fromBottom, 0), columns);
  }
}

// One loop per source format, chosen once per conversion.
void convertUncompressed(DibSection& section, const uint8_t* bits, const BITMAPINFOHEADER& header,
                         const SourceFormat& format, size_t rows) {
  const Colour* palette = format.palette;
  const auto convert = [&](auto convertRow) {
    convertRows(section, bits, header, rows, convertRow);
  };
  switch (header.biBitCount) {
    case 1:
      return convert([palette](const uint8_t* in, uint8_t* out, size_t n) {
        storeRow(out, n, [&](size_t x) { return palette[(in[x / 8] >> (7 - x % 8)) & 1]; });
      });
    case 4:
      return convert([palette](const uint8_t* in, uint8_t* out, size_t n) {
        storeRow(out, n, [&](size_t x) { return palette[(in[x / 2] >> (x % 2 ? 0 : 4)) & 15]; });
      });
    case 8:
      return convert([palette](const uint8_t* in, uint8_t* out, size_t n) {
        storeRow(out, n, [&](size_t x) { return palette[in[x]]; });
      });
    case 16:
      return convert([&format](const uint8_t* in, uint8_t* out, size_t n) {
        storeRow(out, n, [&](size_t x) { return format.packed(in[2 * x] | in[2 * x + 1] << 8); });
      });
    case 24:  // blue, green, red already
      return convert(
          [](const uint8_t* in, uint8_t* out, size_t n) { std::memcpy(out, in, 3 * n); });
    default:
      return convert([&format](const uint8_t* in, uint8_t* out, size_t n) {
        storeRow(out, n, [&](size_t x) { return format.packed(readU32(in + 4 * x)); });
      });
  }
}

// Run-length data: runs of one index (two alternating indices in RLE4), absolute
// runs, ends of line, deltas and the end of the bitmap. Pixels that the data
// skips keep their colour; runs past the right edge or the top are clipped.
template <bool Nibbles>
void decodeRunLength(DibSection& section, const uint8_t* bits, const BITMAPINFOHEADER& header,
                     const SourceFormat& format) {
  const size_t size = header.biSizeImage;
  const size_t width = std::min<size_t>(header.biWidth, section.width);
  const size_t height = std::min<size_t>(magnitude(header.biHeight), section.rows());
  size_t x = 0, y = 0, at = 0;
  // Pixels x .. x + count - 1 of row y (below the top), clipped at the right edge.
  const auto put = [&](unsigned count, auto indexOf) {
    const size_t visible = x < width ? std::min<size_t>(count, width - x) : 0;
    uint8_t* target = visible ? section.pixel(y, x) : nullptr;
    for (unsigned k = 0; k < visible; ++k) {
      std::memcpy(target + 3 * k, format.palette[indexOf(k)].bytes, 3);
    }
    x += count;
  };
  while (at + 2 <= size && y < height) {
    const uint8_t count = bits[at], value = bits[at + 1];
    at += 2;
    if (count) {
      if constexpr (Nibbles) {
        put(count, [value](unsigned k) { return k % 2 ? value & 15 : value >> 4; });
      } else {
        put(count, [value](unsigned) { return value; });
      }
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (at + 2 > size) return;
      x += bits[at];
      y += bits[at + 1];
      at += 2;
    } else {
      const size_t bytes = Nibbles ? (value + 1) / 2 : value;
      if (at + bytes > size) return;
      const uint8_t* run = bits + at;
      if constexpr (Nibbles) {
        put(value, [run](unsigned k) { return k % 2 ? run[k / 2] & 15 : run[k / 2] >> 4; });
      } else {
        put(value, [run](unsigned k) { return run[k]; });
      }
      at += (bytes + 1) & ~size_t{1};  // absolute runs end on a 16-bit boundary
    }
  }
}

DibSection* sectionFrom(HBITMAP bitmap) {
  platform::GdiObject* object = platform::gdiObjectFrom(bitmap);
  return object && object->kind == platform::GdiObject::Kind::Bitmap
             ? dynamic_cast<DibSection*>(object)
             : nullptr;
}

}  // namespace

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits,
                                HANDLE section, DWORD offset) {
  if (bits) *bits = nullptr;
  if (!info || usage != DIB_RGB_COLORS || section || offset) return nullptr;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 24 ||
      header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0) {
    return nullptr;
  }
  const uint64_t stride = rowBytes(24, header.biWidth);
  const uint64_t rows = magnitude(header.biHeight);
  if (stride * rows > kMaxSectionBytes) return nullptr;
  auto* dib = new DibSection(header.biWidth, header.biHeight, stride, rows);
  if (bits) *bits = dib->pixels.data();
  return static_cast<HBITMAP>(platform::handleOf(dib));
}

int WINAPI SetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT scanLines, const void* bits,
                     const BITMAPINFO* info, UINT colorUse) {
  DibSection* section = sectionFrom(bitmap);
  if (!section || !bits || !info || colorUse != DIB_RGB_COLORS || startScan != 0) return 0;
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize != sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biWidth <= 0 ||
      header.biHeight == 0) {
    return 0;
  }
  SourceFormat format;
  if (!describe(info, format)) return 0;
  const auto* source = static_cast<const uint8_t*>(bits);
  const uint64_t sourceRows = magnitude(header.biHeight);
  if (header.biCompression == BI_RLE8 || header.biCompression == BI_RLE4) {
    // Run-length data is bottom-up by definition and sized by its header.
    if (header.biHeight < 0 || header.biSizeImage == 0) return 0;
    if (header.biCompression == BI_RLE4) {
      decodeRunLength<true>(*section, source, header, format);
    } else {
      decodeRunLength<false>(*section, source, header, format);
    }
    return static_cast<int>(std::min<uint64_t>(sourceRows, section->rows()));
  }
  const size_t rows = std::min<uint64_t>(scanLines, sourceRows);
  convertUncompressed(*section, source, header, format, rows);
  return static_cast<int>(std::min<uint64_t>(rows, section->rows()));
}

BOOL WINAPI GdiFlush() { return TRUE; }  // conversions complete before SetDIBits returns
