// The stand-in's kernel, GDI and user32 services that the BMP loader stands
// on: files and read-only views, DIB sections and SetDIBits, and wsprintfA.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/testing.h"
#include "platform/win32.h"
#include "tests/support/bmp_files.h"

namespace {

TEST(StandInFiles, AFileIsMappedWholeAndReadOnlyAndEveryHandleClosesOnce) {
  const std::string path = writeTemporaryFile("bytes.bin", {1, 2, 3, 4, 5});
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD high = 7;
  EXPECT_EQ(GetFileSize(file, &high), 5u);
  EXPECT_EQ(high, 0u);
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  const auto* view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(view, view + 5), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(platform::testing::openKernelHandles(), 3u);

  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_FALSE(UnmapViewOfFile(view));
  EXPECT_TRUE(CloseHandle(mapping));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(platform::testing::openKernelHandles(), 0u);
}

TEST(StandInFiles, MissingFilesFoldersAndEmptyFilesGiveNoView) {
  EXPECT_EQ(CreateFileA(temporaryPath("absent").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileA(::testing::TempDir().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                        nullptr),
            INVALID_HANDLE_VALUE);
  HANDLE empty = CreateFileA(writeTemporaryFile("empty", {}).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(empty, INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileMappingA(empty, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  // A handle of the wrong kind is refused, not dereferenced.
  EXPECT_EQ(MapViewOfFile(empty, FILE_MAP_READ, 0, 0, 0), nullptr);
  CloseHandle(empty);
}

// A 24-bit section of the given size with its pixel memory.
struct Section {
  HBITMAP bitmap = nullptr;
  uint8_t* bits = nullptr;
  Section(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader = {40, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* memory = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<uint8_t*>(memory);
  }
  ~Section() { DeleteObject(bitmap); }
};

// A description with `extra` bytes of masks or colour table behind the header.
std::vector<uint8_t> description(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                                 const std::vector<uint32_t>& extra, uint32_t imageSize = 0) {
  ByteWriter out;
  out.u32(40).u32(uint32_t(width)).u32(uint32_t(height)).u16(1).u16(bits).u32(compression).u32(imageSize);
  out.u32(0).u32(0).u32(0).u32(0);
  for (uint32_t value : extra) out.u32(value);
  return out.bytes;
}

TEST(StandInDib, SixteenBitFieldsAndTopDownRowsConvert) {
  Section section(2, 2);
  ASSERT_NE(section.bitmap, nullptr);
  // 5-6-5 masks; top row first (negative height): white, black / pure red, pure blue.
  const auto info = description(2, -2, 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F});
  const std::vector<uint8_t> pixels = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0xF8, 0x1F, 0x00};
  EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 0, 2, pixels.data(),
                      reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS),
            2);
  // The section is bottom-up: its first row is the picture's bottom row.
  EXPECT_EQ(std::vector<uint8_t>(section.bits, section.bits + 6), (std::vector<uint8_t>{0, 0, 255, 255, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(section.bits + 8, section.bits + 14),
            (std::vector<uint8_t>{255, 255, 255, 0, 0, 0}));
}

TEST(StandInDib, OnlyTheRowsAskedForAreReadAndUnknownDataIsRefused) {
  Section section(3, 4);
  ASSERT_NE(section.bitmap, nullptr);
  auto info = description(3, 4, 8, BI_RGB, {0x000000, 0x00FF00});  // two colours used...
  auto* header = reinterpret_cast<BITMAPINFO*>(info.data());
  header->bmiHeader.biClrUsed = 2;
  const std::vector<uint8_t> oneRow = {1, 0, 7, 0};  // ...and index 7 beyond them is black
  EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 0, 1, oneRow.data(), header, DIB_RGB_COLORS), 1);
  EXPECT_EQ(std::vector<uint8_t>(section.bits, section.bits + 9), (std::vector<uint8_t>{0, 255, 0, 0, 0, 0, 0, 0, 0}));

  const auto jpeg = description(3, 4, 24, 4, {});
  EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 0, 4, oneRow.data(),
                      reinterpret_cast<const BITMAPINFO*>(jpeg.data()), DIB_RGB_COLORS),
            0);
  const auto rleWithoutSize = description(3, 4, 8, BI_RLE8, std::vector<uint32_t>(256, 0));
  EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 0, 4, oneRow.data(),
                      reinterpret_cast<const BITMAPINFO*>(rleWithoutSize.data()), DIB_RGB_COLORS),
            0);
}

TEST(StandInDib, ASelectedSectionOutlivesDeleteObjectUntilItsContextGoes) {
  HDC dc = CreateCompatibleDC(nullptr);
  Section section(1, 1);
  const HGDIOBJ previous = SelectObject(dc, section.bitmap);
  EXPECT_NE(previous, nullptr);  // the context's own 1 x 1 bitmap
  EXPECT_FALSE(DeleteObject(section.bitmap));
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(platform::testing::liveMemoryDeviceContexts(), 0u);
}

TEST(StandInText, WsprintfFormatsNarrowAndWideStringsWithinItsLimit) {
  char buffer[1025];
  EXPECT_EQ(wsprintfA(buffer, "%s|%ws|%d|%u|%x|%5d|%c|%%", "abc", u"\u00e9\U0001F680", -12, 7u, 255u, 42, 'z'),
            int(std::strlen(buffer)));
  EXPECT_STREQ(buffer, "abc|\xc3\xa9\xf0\x9f\x9a\x80|-12|7|ff|   42|z|%");
  const std::string longText(3000, 'x');
  EXPECT_EQ(wsprintfA(buffer, "%s", longText.c_str()), 1024);
  EXPECT_EQ(std::strlen(buffer), 1024u);
}

}  // namespace
