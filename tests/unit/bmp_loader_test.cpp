// The BMP loader on files the tests write: header kinds, colour tables, row
// padding and order, and every way a file can be missing, short or wrong.
#include "image/bmp_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/testing.h"
#include "tests/support/bmp_files.h"

namespace {

using platform::testing::capturedMessageBoxes;

struct Decoded {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;
};

class BmpLoaderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Whatever happened, nothing of the call is still held.
    EXPECT_EQ(platform::testing::openKernelHandles(), 0u);
    EXPECT_EQ(platform::testing::liveLocalAllocations(), 0u);
    EXPECT_EQ(platform::testing::liveGdiObjects(), 0u);
    EXPECT_EQ(platform::testing::liveMemoryDeviceContexts(), 0u);
  }

  // Loads a file and takes the picture apart; expects no message.
  static Decoded load(const std::string& path) {
    RgbImage* image = loadBmpImage(path.c_str());
    EXPECT_TRUE(capturedMessageBoxes().empty())
        << (capturedMessageBoxes().empty() ? "" : capturedMessageBoxes()[0].text);
    Decoded decoded;
    if (!image) {
      ADD_FAILURE() << "no image from " << path;
      return decoded;
    }
    decoded.width = image->width;
    decoded.height = image->height;
    decoded.rgb.assign(image->data, image->data + size_t(image->width) * image->height * 3);
    std::free(image->data);
    std::free(image);
    return decoded;
  }

  // Loads a file that must fail with exactly one "Error" box showing `text`.
  static void expectFailure(const std::string& path, const std::string& text) {
    platform::testing::clearCapturedMessageBoxes();
    EXPECT_EQ(loadBmpImage(path.c_str()), nullptr);
    ASSERT_EQ(capturedMessageBoxes().size(), 1u);
    EXPECT_EQ(capturedMessageBoxes()[0].text, text);
    EXPECT_EQ(capturedMessageBoxes()[0].caption, "Error");
    EXPECT_EQ(capturedMessageBoxes()[0].type, UINT(MB_OK));
  }
};

// 24-bit rows of `width` pixels, pixel (x, y) = (x, y, x + y), padded to 4 bytes.
std::vector<uint8_t> gradient24(int width, int height) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels.push_back(uint8_t(x + y));  // blue
      pixels.push_back(uint8_t(10 * y));
      pixels.push_back(uint8_t(20 * x));
    }
    while (pixels.size() % 4) pixels.push_back(0xEE);  // padding must never show up
  }
  return pixels;
}

std::vector<uint8_t> expectedGradient(int width, int height) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgb.push_back(uint8_t(20 * x));
      rgb.push_back(uint8_t(10 * y));
      rgb.push_back(uint8_t(x + y));
    }
  }
  return rgb;
}

Palette greyRamp(int entries) {
  Palette palette;
  for (int k = 0; k < entries; ++k) palette.push_back(uint32_t(k) * 0x010101u);
  return palette;
}

TEST_F(BmpLoaderTest, TwentyFourBitRowsLoseTheirPaddingAndKeepTheirOrder) {
  for (int width : {3, 4}) {
    SCOPED_TRACE(width);
    const auto path = writeTemporaryFile("w" + std::to_string(width) + ".bmp",
                                         infoBitmap({width, 2}, {}, gradient24(width, 2)));
    const Decoded image = load(path);
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.rgb.size(), size_t(width) * 2 * 3);  // 9- or 12-byte rows
    EXPECT_EQ(image.rgb, expectedGradient(width, 2));
  }
}

TEST_F(BmpLoaderTest, TwoByTwoComesOutBottomRowFirstAsRedGreenBlue) {
  // Bottom row red, green; top row blue, white (stored blue, green, red).
  const std::vector<uint8_t> pixels = {0, 0, 255, 0, 255, 0, 0, 0,
                                       255, 0, 0, 255, 255, 255, 0, 0};
  const Decoded image = load(writeTemporaryFile("2x2.bmp", infoBitmap({2, 2}, {}, pixels)));
  EXPECT_EQ(image.rgb, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
}

TEST_F(BmpLoaderTest, EightBitTablesFollowColoursUsed) {
  // Colours used 0: the full 256 entries; pixel 200 takes entry 200.
  const std::vector<uint8_t> pixels = {0, 17, 200, 255};
  const Decoded full =
      load(writeTemporaryFile("full.bmp", infoBitmap({4, 1, 8}, greyRamp(256), pixels)));
  EXPECT_EQ(full.rgb, (std::vector<uint8_t>{0, 0, 0, 17, 17, 17, 200, 200, 200, 255, 255, 255}));

  // Colours used 17 in a bare DIB: the pixels start at byte 40 + 17 x 4 = 108.
  InfoHeader header{4, 1, 8};
  header.coloursUsed = 17;
  Palette palette = greyRamp(17);
  palette[16] = 0x123456;
  const auto bare = infoBitmap(header, palette, {16, 1, 0, 16}, false);
  ASSERT_EQ(bare.size(), 108u + 4u);
  const Decoded small = load(writeTemporaryFile("bare.dib", bare));
  EXPECT_EQ(small.rgb, (std::vector<uint8_t>{0x12, 0x34, 0x56, 1, 1, 1, 0, 0, 0, 0x12, 0x34, 0x56}));
}

TEST_F(BmpLoaderTest, TwentyFourBitBareDibSkipsItsColourTable) {
  InfoHeader header{3, 2};
  header.coloursUsed = 5;
  const Decoded image =
      load(writeTemporaryFile("table.dib", infoBitmap(header, greyRamp(5), gradient24(3, 2), false)));
  EXPECT_EQ(image.rgb, expectedGradient(3, 2));
}

TEST_F(BmpLoaderTest, CoreHeaderWidensItsThreeByteTableAndIsBottomUp) {
  Palette palette = greyRamp(256);
  palette[1] = 0xFF8000;
  palette[2] = 0x0000FF;
  // 3 pixels wide: rows padded to 4 bytes; bottom row 1 1 2, top row 2 0 1.
  const Decoded image =
      load(writeTemporaryFile("core.bmp", coreBitmap(3, 2, 8, palette, {1, 1, 2, 0, 2, 0, 1, 0})));
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.rgb, (std::vector<uint8_t>{255, 128, 0, 255, 128, 0, 0, 0, 255,  //
                                             0, 0, 255, 0, 0, 0, 255, 128, 0}));
}

TEST_F(BmpLoaderTest, OneAndFourBitPixelsIndexTheTable) {
  // 1 bit: 10 pixels 1011001110 in one row, padded to 4 bytes.
  const Decoded mono = load(writeTemporaryFile(
      "mono.bmp", infoBitmap({10, 1, 1}, {0x000000, 0xFFFFFF}, {0b10110011, 0b10000000, 0, 0})));
  std::vector<uint8_t> expected;
  for (int bit : {1, 0, 1, 1, 0, 0, 1, 1, 1, 0}) expected.insert(expected.end(), 3, uint8_t(bit * 255));
  EXPECT_EQ(mono.rgb, expected);

  // 4 bits: 3 pixels 15, 1, 9 (high nibble first).
  Palette sixteen = greyRamp(16);
  const Decoded nibbles =
      load(writeTemporaryFile("nibbles.bmp", infoBitmap({3, 1, 4}, sixteen, {0xF1, 0x90, 0, 0})));
  EXPECT_EQ(nibbles.rgb, (std::vector<uint8_t>{15, 15, 15, 1, 1, 1, 9, 9, 9}));
}

TEST_F(BmpLoaderTest, RunLengthDataDecodesRunsAbsoluteRunsAndLineEnds) {
  // Bottom row: a run of 2 x index 3, then an absolute run 1 2 9 (padded to an
  // even length) whose last pixel falls off the 4-pixel row; end of line; top
  // row: a run of 4 x 1; end of bitmap.
  const std::vector<uint8_t> data = {2, 3, 0, 3, 1, 2, 9, 0, 0, 0, 4, 1, 0, 1};
  InfoHeader header{4, 2, 8, 1 /* RLE8 */};
  header.imageSize = uint32_t(data.size());
  const Decoded image = load(writeTemporaryFile("rle8.bmp", infoBitmap(header, greyRamp(256), data)));
  EXPECT_EQ(image.rgb, (std::vector<uint8_t>{3, 3, 3, 3, 3, 3, 1, 1, 1, 2, 2, 2,  //
                                             1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

TEST_F(BmpLoaderTest, LaterHeaderVersionsAreUnknown) {
  for (uint32_t size : {108u, 124u}) {
    SCOPED_TRACE(size);
    InfoHeader header{2, 2};
    header.headerSize = size;
    expectFailure(writeTemporaryFile("v" + std::to_string(size) + ".bmp",
                                     infoBitmap(header, {}, gradient24(2, 2))),
                  "Unknown DIB file format.");
  }
}

TEST_F(BmpLoaderTest, MissingAndEmptyFilesCannotBeOpened) {
  const std::string missing = temporaryPath("does-not-exist.bmp");
  expectFailure(missing, "Failed to open DIB file " + missing + ".\n");
  const std::string empty = writeTemporaryFile("empty.bmp", {});
  expectFailure(empty, "Failed to open DIB file " + empty + ".\n");
}

TEST_F(BmpLoaderTest, AFileNameTooLongForTheMessageIsCutWithinIt) {
  const std::string name = temporaryPath(std::string(400, 'n') + "\xc3\xa9.bmp");
  platform::testing::clearCapturedMessageBoxes();
  EXPECT_EQ(loadBmpImage(name.c_str()), nullptr);
  ASSERT_EQ(capturedMessageBoxes().size(), 1u);
  const std::string& text = capturedMessageBoxes()[0].text;
  EXPECT_LT(text.size(), 240u);
  EXPECT_EQ(text.rfind("Failed to open DIB file " + name.substr(0, 40), 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 4), "...\n");
}

TEST_F(BmpLoaderTest, TheUtf16FormOpensByItsNameAndReportsItWithWs) {
  const std::string path = writeTemporaryFile("\xc3\xa9toile.bmp", infoBitmap({3, 2}, {}, gradient24(3, 2)));
  std::u16string wide;
  for (size_t k = 0; k < path.size(); ++k) {
    if (path.compare(k, 2, "\xc3\xa9") == 0) {
      wide += u'\u00e9';
      ++k;
    } else {
      wide += char16_t(uint8_t(path[k]));
    }
  }
  RgbImage* image = loadBmpImage(wide.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(image->data, image->data + 18), expectedGradient(3, 2));
  std::free(image->data);
  std::free(image);

  const std::u16string missing = wide + u"-gone";
  platform::testing::clearCapturedMessageBoxes();
  EXPECT_EQ(loadBmpImage(missing.c_str()), nullptr);
  ASSERT_EQ(capturedMessageBoxes().size(), 1u);
  EXPECT_EQ(capturedMessageBoxes()[0].text, "Failed to open DIB file " + path + "-gone.\n");
}

TEST_F(BmpLoaderTest, ShortFilesAndImpossibleTablesAreRejected) {
  const auto valid = infoBitmap({3, 2, 8}, greyRamp(256), std::vector<uint8_t>(8, 7));
  // Every cut-off version of a valid file fails with one message, never a crash.
  for (size_t length = 1; length < valid.size(); ++length) {
    SCOPED_TRACE(length);
    const auto path = writeTemporaryFile("cut.bmp", {valid.begin(), valid.begin() + length});
    const char* expected =
        length < 14 + 40 + 256 * 4 ? "Unknown DIB file format." : "Image file conversion error.";
    expectFailure(path, expected);
  }

  auto farOffset = valid;
  farOffset[10] = 0xFF;
  farOffset[11] = 0xFF;
  expectFailure(writeTemporaryFile("offset.bmp", farOffset), "Image file conversion error.");

  InfoHeader tooMany{3, 2, 8};
  tooMany.coloursUsed = 257;
  expectFailure(writeTemporaryFile("257.bmp", infoBitmap(tooMany, greyRamp(257), std::vector<uint8_t>(8))),
                "Unknown DIB file format.");
  InfoHeader huge{3, 2, 24};
  huge.coloursUsed = 70000;
  expectFailure(writeTemporaryFile("70000.bmp", infoBitmap(huge, {}, gradient24(3, 2))),
                "Unknown DIB file format.");
}

TEST_F(BmpLoaderTest, TopDownAndEmptyPicturesAreNotConverted) {
  expectFailure(writeTemporaryFile("topdown.bmp", infoBitmap({3, -2}, {}, gradient24(3, 2))),
                "Image file conversion error.");
  expectFailure(writeTemporaryFile("flat.bmp", infoBitmap({3, 0}, {}, {})),
                "Image file conversion error.");
  expectFailure(writeTemporaryFile("unknown.bmp", infoBitmap({3, 2, 24, 4 /* JPEG */}, {}, {1, 2, 3})),
                "Image file conversion error.");
}

TEST_F(BmpLoaderTest, MemoryThatCannotBeHadIsOutOfMemory) {
  const auto path = writeTemporaryFile("ok.bmp", infoBitmap({3, 2}, {}, gradient24(3, 2)));
  for (int nth : {1, 2}) {  // the description, then the target header
    SCOPED_TRACE(nth);
    platform::testing::failLocalAlloc(nth);
    expectFailure(path, "Out of memory.");
    platform::testing::failLocalAlloc(0);
  }
  // A few bytes of run-length data that claim a picture too large for a section.
  InfoHeader giant{60000, 60000, 8, 1};
  giant.imageSize = 2;
  giant.coloursUsed = 2;
  expectFailure(writeTemporaryFile("giant.bmp", infoBitmap(giant, greyRamp(2), {0, 1})),
                "Out of memory.");
}

}  // namespace
