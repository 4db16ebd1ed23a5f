// The BMP loader: the file is mapped and read in place, its header and colour
// table are normalised into one info-header description, the platform's DIB
// conversion turns the pixel data into a 24-bit section, and one pass copies
// the section into tight RGB rows.
//
// Every byte taken from the file is checked against the file's size first:
// a file too short for its header or colour table is an unknown format, one
// too short for its pixel data cannot be converted.
#include "image/bmp_loader.h"

#include <cstdlib>
#include <cstring>

#include "platform/win32.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kMaskBytes = 12;  // red, green and blue masks of bit-field data
constexpr size_t kMessageSize = 240;

constexpr char kCaption[] = "Error";
constexpr char kOutOfMemory[] = "Out of memory.";
constexpr char kUnknownFormat[] = "Unknown DIB file format.";
constexpr char kConversionError[] = "Image file conversion error.";

void showError(const char* text) { MessageBoxA(GetFocus(), text, kCaption, MB_OK); }

// The mapped file.
struct FileBytes {
  const uint8_t* data = nullptr;
  uint64_t size = 0;

  bool has(uint64_t offset, uint64_t count) const {
    return offset <= size && count <= size - offset;
  }
  uint16_t u16(uint64_t at) const { return uint16_t(data[at] | data[at + 1] << 8); }
  uint32_t u32(uint64_t at) const {
    return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | uint32_t{data[at + 3]} << 24;
  }
};

// Everything one call obtains from the platform, released in this order
// whether the call succeeds or fails.
struct Resources {
  HANDLE file = INVALID_HANDLE_VALUE;
  HANDLE mapping = nullptr;
  LPVOID view = nullptr;
  BITMAPINFO* description = nullptr;
  BITMAPINFO* target = nullptr;
  HDC dc = nullptr;
  HBITMAP section = nullptr;

  Resources() = default;
  Resources(const Resources&) = delete;
  Resources& operator=(const Resources&) = delete;
  ~Resources() {
    if (dc) DeleteDC(dc);
    if (section) DeleteObject(section);
    if (target) LocalFree(target);
    if (description) LocalFree(description);
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
};

bool mapWholeFile(Resources& held, FileBytes& bytes) {
  if (held.file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD low = GetFileSize(held.file, &high);
  if (low == INVALID_FILE_SIZE) return false;
  bytes.size = uint64_t{high} << 32 | low;
  held.mapping = CreateFileMappingA(held.file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!held.mapping) return false;
  held.view = MapViewOfFile(held.mapping, FILE_MAP_READ, 0, 0, 0);
  bytes.data = static_cast<const uint8_t*>(held.view);
  return held.view != nullptr;
}

uint16_t colourCountForDepth(uint32_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

// The file's header in the info-header form, with what it says about the
// colour table that follows it.
struct Header {
  BITMAPINFOHEADER info;
  uint64_t tableAt;   // where the colour table starts in the file
  size_t entryBytes;  // 3 (core) or 4 (info)
  uint16_t colourCount;
  bool hasMasks;
};

bool readHeader(const FileBytes& file, uint64_t at, Header& header) {
  if (!file.has(at, 4)) return false;
  BITMAPINFOHEADER& info = header.info;
  std::memset(&info, 0, sizeof info);
  const uint32_t size = file.u32(at);
  if (size == kCoreHeaderSize && file.has(at, kCoreHeaderSize)) {
    info.biWidth = file.u16(at + 4);
    info.biHeight = file.u16(at + 6);
    info.biPlanes = file.u16(at + 8);
    info.biBitCount = file.u16(at + 10);
    header.entryBytes = 3;
    header.colourCount = colourCountForDepth(info.biBitCount);
    header.hasMasks = false;
    // Widened to the info form: uncompressed, colours used = the whole table.
    info.biClrUsed = info.biClrImportant = header.colourCount;
  } else if (size == kInfoHeaderSize && file.has(at, kInfoHeaderSize)) {
    info.biWidth = int32_t(file.u32(at + 4));
    info.biHeight = int32_t(file.u32(at + 8));
    info.biPlanes = file.u16(at + 12);
    info.biBitCount = file.u16(at + 14);
    info.biCompression = file.u32(at + 16);
    info.biSizeImage = file.u32(at + 20);
    info.biXPelsPerMeter = int32_t(file.u32(at + 24));
    info.biYPelsPerMeter = int32_t(file.u32(at + 28));
    info.biClrUsed = file.u32(at + 32);
    info.biClrImportant = file.u32(at + 36);
    // A table larger than the depth can index, or than the count can hold,
    // describes no real bitmap.
    const uint16_t forDepth = colourCountForDepth(info.biBitCount);
    if (info.biClrUsed > 0xFFFF || (forDepth && info.biClrUsed > forDepth)) return false;
    header.entryBytes = 4;
    header.colourCount = info.biClrUsed ? uint16_t(info.biClrUsed) : forDepth;
    header.hasMasks = info.biCompression == BI_BITFIELDS;
  } else {
    return false;
  }
  info.biSize = kInfoHeaderSize;
  header.tableAt = at + size + (header.hasMasks ? kMaskBytes : 0);
  return file.has(header.tableAt, uint64_t{header.colourCount} * header.entryBytes);
}

// The normalised description: the info header, the bit-field masks when the
// data has them, and the colour table in 4-byte entries.
BITMAPINFO* describe(const FileBytes& file, const Header& header, uint64_t headerAt) {
  const size_t maskBytes = header.hasMasks ? kMaskBytes : 0;
  auto* description = static_cast<BITMAPINFO*>(
      LocalAlloc(LMEM_FIXED, sizeof(BITMAPINFO) + maskBytes + 4 * size_t{header.colourCount}));
  if (!description) return nullptr;
  description->bmiHeader = header.info;
  auto* after = reinterpret_cast<uint8_t*>(description) + sizeof(BITMAPINFOHEADER);
  if (maskBytes) std::memcpy(after, file.data + headerAt + kInfoHeaderSize, maskBytes);
  auto* table = reinterpret_cast<RGBQUAD*>(after + maskBytes);
  for (size_t k = 0; k < header.colourCount; ++k) {
    const uint8_t* entry = file.data + header.tableAt + k * header.entryBytes;
    table[k] = {entry[0], entry[1], entry[2], 0};
  }
  BITMAPINFOHEADER& info = description->bmiHeader;
  if (info.biSizeImage == 0) {
    // Whole bytes per row, without the 4-byte alignment of the stored rows.
    info.biSizeImage =
        ((uint32_t(info.biBitCount) * uint32_t(info.biWidth) + 7) >> 3) * uint32_t(info.biHeight);
  }
  if (info.biClrUsed == 0) info.biClrUsed = header.colourCount;
  return description;
}

// Whether the file holds all the pixel data that the conversion will read.
// Only bottom-up pictures of at least one pixel are converted: the rows are
// handed on bottom row first, as textures take them.
bool pixelDataFits(const FileBytes& file, const BITMAPINFOHEADER& info, uint64_t pixelsAt) {
  if (info.biWidth <= 0 || info.biHeight <= 0) return false;
  uint64_t needed = 0;
  switch (info.biCompression) {
    case BI_RGB:
    case BI_BITFIELDS:
      needed = (uint64_t{info.biBitCount} * uint32_t(info.biWidth) + 31) / 32 * 4 *
               uint32_t(info.biHeight);
      break;
    case BI_RLE8:
    case BI_RLE4: needed = info.biSizeImage; break;
    default:  // encodings that the conversion refuses without reading them
      break;
  }
  return file.has(pixelsAt, needed);
}

// Steps 3 to 13 on the mapped file; shows the message of any failure.
RgbImage* decode(Resources& held, const FileBytes& file) {
  const bool hasFileHeader = file.has(0, 2) && file.data[0] == 'B' && file.data[1] == 'M';
  if (hasFileHeader && !file.has(0, kFileHeaderSize)) {
    showError(kUnknownFormat);
    return nullptr;
  }
  const uint64_t headerAt = hasFileHeader ? kFileHeaderSize : 0;
  Header header;
  if (!readHeader(file, headerAt, header)) {
    showError(kUnknownFormat);
    return nullptr;
  }
  held.description = describe(file, header, headerAt);
  if (!held.description) {
    showError(kOutOfMemory);
    return nullptr;
  }
  const BITMAPINFOHEADER& info = held.description->bmiHeader;
  const uint64_t pixelsAt = hasFileHeader
                                ? file.u32(10)
                                : header.tableAt + uint64_t{header.colourCount} * header.entryBytes;
  if (!pixelDataFits(file, info, pixelsAt)) {
    showError(kConversionError);
    return nullptr;
  }

  held.dc = CreateCompatibleDC(nullptr);
  if (!held.dc) {
    showError(kOutOfMemory);
    return nullptr;
  }
  held.target = static_cast<BITMAPINFO*>(LocalAlloc(LMEM_ZEROINIT, sizeof(BITMAPINFO)));
  if (!held.target) {
    showError(kOutOfMemory);
    return nullptr;
  }
  const int32_t width = info.biWidth;
  const int32_t height = info.biHeight;
  BITMAPINFOHEADER& target = held.target->bmiHeader;
  target.biSize = kInfoHeaderSize;
  target.biWidth = width;
  target.biHeight = height;
  target.biPlanes = 1;
  target.biBitCount = 24;
  target.biCompression = BI_RGB;
  target.biSizeImage = uint32_t(height) * uint32_t(width) * 3;
  void* sectionBits = nullptr;
  held.section = CreateDIBSection(held.dc, held.target, DIB_RGB_COLORS, &sectionBits, nullptr, 0);
  if (!held.section || !SelectObject(held.dc, held.section)) {
    showError(kOutOfMemory);
    return nullptr;
  }
  if (SetDIBits(held.dc, held.section, 0, uint32_t(height), file.data + pixelsAt, held.description,
                DIB_RGB_COLORS) == 0) {
    showError(kConversionError);
    return nullptr;
  }
  GdiFlush();

  const size_t rowBytes = size_t(width) * 3;
  auto* pixels = static_cast<uint8_t*>(std::malloc(rowBytes * size_t(height)));
  if (!pixels) {
    showError(kOutOfMemory);
    return nullptr;
  }
  // Blue, green, red in rows padded to 4 bytes become tight red, green, blue.
  const auto* source = static_cast<const uint8_t*>(sectionBits);
  uint8_t* out = pixels;
  for (int32_t row = 0; row < height; ++row) {
    for (int32_t x = 0; x < width; ++x, source += 3, out += 3) {
      out[0] = source[2];
      out[1] = source[1];
      out[2] = source[0];
    }
    source += width & 3;
  }
  auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
  if (!image) {
    showError(kOutOfMemory);
    std::free(pixels);
    return nullptr;
  }
  *image = {width, height, pixels};
  return image;
}

// The open-failure text, cut to the message buffer with "..." where the file
// name is too long for it.
void showOpenFailure(const char* formatted) {
  char message[kMessageSize];
  const size_t length = std::strlen(formatted);
  if (length < kMessageSize) {
    std::memcpy(message, formatted, length + 1);
  } else {
    constexpr char kCut[] = "...\n";
    size_t keep = kMessageSize - sizeof kCut;
    while (keep > 0 && (uint8_t(formatted[keep]) & 0xC0) == 0x80) --keep;  // whole characters
    std::memcpy(message, formatted, keep);
    std::memcpy(message + keep, kCut, sizeof kCut);
  }
  showError(message);
}

template <typename Char>
RgbImage* load(const Char* fileName, HANDLE file, const char* openFailureFormat) {
  RgbImage* image = nullptr;
  bool opened = false;
  {
    Resources held;
    held.file = file;
    FileBytes bytes;
    opened = mapWholeFile(held, bytes);
    if (opened) image = decode(held, bytes);
  }
  if (!opened) {
    char formatted[1025];  // wsprintfA writes at most 1024 characters
    wsprintfA(formatted, openFailureFormat, fileName);
    showOpenFailure(formatted);
  }
  return image;
}

}  // namespace

RgbImage* loadBmpImage(const char* fileName) {
  return load(
      fileName,
      CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
      "Failed to open DIB file %s.\n");
}

RgbImage* loadBmpImage(LPCWSTR fileName) {
  return load(
      fileName,
      CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
      "Failed to open DIB file %ws.\n");
}
