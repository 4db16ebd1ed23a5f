// The BMP loader on files the tests write (header kinds, colour tables, row
// padding and order, and every way a file can be missing, short or wrong),
// and on the shared BMP suite, files nobody here wrote, read where they lie.
#include "image/bmp_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing.h"
#include "tests/support/bmp_files.h"

namespace {

using platform::testing::capturedMessageBoxes;

class BmpLoaderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Whatever happened, nothing of the call is still held.
    EXPECT_EQ(platform::testing::openKernelHandles(), 0u);
    EXPECT_EQ(platform::testing::liveLocalAllocations(), 0u);
    EXPECT_EQ(platform::testing::liveGdiObjects(), 0u);
    EXPECT_EQ(platform::testing::liveMemoryDeviceContexts(), 0u);
  }

  // The pixels of a file that must load without a message.
  static std::vector<uint8_t> load(const std::string& name, const std::vector<uint8_t>& bytes, int width,
                                   int height) {
    const Image image = loadImage(writeTemporaryFile(name, bytes));
    EXPECT_TRUE(capturedMessageBoxes().empty()) << capturedMessageBoxes()[0].text;
    if (!image) return {};
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    return {image->data, image->data + size_t(image->width) * image->height * 3};
  }

  // Loads a file that must fail with exactly one "Error" box showing `text`.
  static void expectFailure(const std::string& path, const std::string& text) {
    platform::testing::clearCapturedMessageBoxes();
    EXPECT_EQ(loadImage(path), nullptr);
    ASSERT_EQ(capturedMessageBoxes().size(), 1u);
    EXPECT_EQ(capturedMessageBoxes()[0].text, text);
    EXPECT_EQ(capturedMessageBoxes()[0].caption, "Error");
    EXPECT_EQ(capturedMessageBoxes()[0].type, UINT(MB_OK));
  }
};

// Rows of `width` pixels, pixel (x, y) = red 20 x, green 10 y, blue x + y:
// as a 24-bit file stores them (blue first, rows padded to 4 bytes) or as
// the loader gives them.
enum Layout { kStored, kDecoded };
std::vector<uint8_t> gradient(int width, int height, Layout layout) {
  std::vector<uint8_t> bytes;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t red = uint8_t(20 * x), green = uint8_t(10 * y), blue = uint8_t(x + y);
      bytes.insert(bytes.end(), {layout == kStored ? blue : red, green, layout == kStored ? red : blue});
    }
    while (layout == kStored && bytes.size() % 4) bytes.push_back(0xEE);  // padding must never show up
  }
  return bytes;
}

Palette greyRamp(int entries) {
  Palette palette;
  for (int k = 0; k < entries; ++k) palette.push_back(uint32_t(k) * 0x010101u);
  return palette;
}

TEST_F(BmpLoaderTest, TwentyFourBitRowsLoseTheirPaddingAndComeBottomRowFirstAsRedGreenBlue) {
  for (int width : {3, 4}) {  // 9- and 12-byte rows
    EXPECT_EQ(load("w.bmp", infoBitmap({width, 2}, {}, gradient(width, 2, kStored)), width, 2),
              gradient(width, 2, kDecoded)) << width;
  }
  // A bare DIB skips its colour table.
  InfoHeader header{3, 2};
  header.coloursUsed = 5;
  EXPECT_EQ(load("table.dib", infoBitmap(header, greyRamp(5), gradient(3, 2, kStored), false), 3, 2),
            gradient(3, 2, kDecoded));
  // Bottom row red, green; top row blue, white (stored blue, green, red).
  const std::vector<uint8_t> pixels = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  EXPECT_EQ(load("2x2.bmp", infoBitmap({2, 2}, {}, pixels), 2, 2),
            (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
}

TEST_F(BmpLoaderTest, EightBitTablesFollowColoursUsedAndTheCoreHeaderWidensItsThreeByteTable) {
  // Colours used 0: the full 256 entries; pixel 200 takes entry 200.
  EXPECT_EQ(load("full.bmp", infoBitmap({4, 1, 8}, greyRamp(256), {0, 17, 200, 255}), 4, 1),
            (std::vector<uint8_t>{0, 0, 0, 17, 17, 17, 200, 200, 200, 255, 255, 255}));
  // Colours used 17 in a bare DIB: the pixels start at byte 40 + 17 x 4 = 108.
  InfoHeader header{4, 1, 8};
  header.coloursUsed = 17;
  Palette palette = greyRamp(17);
  palette[16] = 0x123456;
  const auto bare = infoBitmap(header, palette, {16, 1, 0, 16}, false);
  ASSERT_EQ(bare.size(), 108u + 4u);
  EXPECT_EQ(load("bare.dib", bare, 4, 1),
            (std::vector<uint8_t>{0x12, 0x34, 0x56, 1, 1, 1, 0, 0, 0, 0x12, 0x34, 0x56}));
  // A core header, 3 pixels wide: bottom row 1 1 2, top row 2 0 1, each padded.
  palette = greyRamp(256);
  palette[1] = 0xFF8000;
  palette[2] = 0x0000FF;
  EXPECT_EQ(load("core.bmp", coreBitmap(3, 2, 8, palette, {1, 1, 2, 0, 2, 0, 1, 0}), 3, 2),
            (std::vector<uint8_t>{255, 128, 0, 255, 128, 0, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 128, 0}));
}

TEST_F(BmpLoaderTest, EachFailureShowsOneMessage) {
  const std::string unknown = "Unknown DIB file format.", conversion = "Image file conversion error.";
  const auto valid = infoBitmap({3, 2, 8}, greyRamp(256), std::vector<uint8_t>(8, 7));
  auto farOffset = valid;
  farOffset[10] = farOffset[11] = 0xFF;
  InfoHeader v4{2, 2}, v5{2, 2}, tooMany{3, 2, 8}, huge{3, 2};
  v4.headerSize = 108;
  v5.headerSize = 124;
  tooMany.coloursUsed = 257;
  huge.coloursUsed = 70000;
  InfoHeader giant{60000, 60000, 8, 1};  // a few bytes of run-length data for a huge picture
  giant.imageSize = giant.coloursUsed = 2;
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    std::string message;
  } cases[] = {
      {"v4.bmp", infoBitmap(v4, {}, gradient(2, 2, kStored)), unknown},
      {"v5.bmp", infoBitmap(v5, {}, gradient(2, 2, kStored)), unknown},
      {"257.bmp", infoBitmap(tooMany, greyRamp(257), std::vector<uint8_t>(8)), unknown},
      {"70000.bmp", infoBitmap(huge, {}, gradient(3, 2, kStored)), unknown},
      {"offset.bmp", farOffset, conversion},
      {"topdown.bmp", infoBitmap({3, -2}, {}, gradient(3, 2, kStored)), conversion},
      {"flat.bmp", infoBitmap({3, 0}, {}, {}), conversion},
      {"jpeg.bmp", infoBitmap({3, 2, 24, 4}, {}, {1, 2, 3}), conversion},
      {"giant.bmp", infoBitmap(giant, greyRamp(2), {0, 1}), "Out of memory."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    expectFailure(writeTemporaryFile(c.name, c.bytes), c.message);
  }
  // Every cut-off version of a valid file, never a crash.
  for (size_t length = 1; length < valid.size(); ++length) {
    SCOPED_TRACE(length);
    expectFailure(writeTemporaryFile("cut.bmp", {valid.begin(), valid.begin() + length}),
                  length < 14 + 40 + 256 * 4 ? unknown : conversion);
  }
  // Missing and empty files cannot be opened.
  const std::string missing = temporaryPath("does-not-exist.bmp"), empty = writeTemporaryFile("empty.bmp", {});
  expectFailure(missing, "Failed to open DIB file " + missing + ".\n");
  expectFailure(empty, "Failed to open DIB file " + empty + ".\n");
  // Memory for the description, then for the target header, cannot be had.
  for (int nth : {1, 2}) {
    platform::testing::failLocalAlloc(nth);
    expectFailure(writeTemporaryFile("ok.bmp", infoBitmap({3, 2}, {}, gradient(3, 2, kStored))), "Out of memory.");
    platform::testing::failLocalAlloc(0);
  }
}

TEST_F(BmpLoaderTest, TheUtf16FormOpensByItsNameAndReportsItWithWs) {
  const std::string path = writeTemporaryFile("\xc3\xa9toile.bmp", infoBitmap({3, 2}, {}, gradient(3, 2, kStored)));
  const std::string folder = path.substr(0, path.size() - 11);  // ASCII, as the test's folder is
  const std::u16string wide = std::u16string(folder.begin(), folder.end()) + u"\u00e9toile.bmp";
  const Image image = ownImage(loadBmpImage(wide.c_str()));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(image->data, image->data + 18), gradient(3, 2, kDecoded));
  platform::testing::clearCapturedMessageBoxes();
  EXPECT_EQ(loadBmpImage((wide + u"-gone").c_str()), nullptr);
  ASSERT_EQ(capturedMessageBoxes().size(), 1u);
  EXPECT_EQ(capturedMessageBoxes()[0].text, "Failed to open DIB file " + path + "-gone.\n");
}

const std::string kSuite = std::string(ORBITRAND_SHARED_TESTDATA) + "/bmp-suite/";

// Whether the picture equals the reference, whose rows run from the top; the
// loader's run from the bottom. 16-bit channels may differ by how 5 and 6
// bits were widened.
::testing::AssertionResult matchesReference(const RgbImage& image, const std::string& file, int tolerance) {
  std::ifstream in(kSuite + file, std::ios::binary);
  const std::vector<uint8_t> reference{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const size_t row = size_t(image.width) * 3, rows = size_t(image.height);
  if (reference.size() != row * rows) {
    return ::testing::AssertionFailure() << "reference holds " << reference.size() << " bytes, picture " << row * rows;
  }
  for (size_t r = 0; r < rows; ++r) {
    for (size_t k = 0; k < row; ++k) {
      const int got = image.data[r * row + k], want = reference[(rows - 1 - r) * row + k];
      if (std::abs(got - want) > tolerance) {
        return ::testing::AssertionFailure() << "row " << r << " byte " << k << ": " << got << " instead of " << want;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST_F(BmpLoaderTest, EveryFileOfTheSharedSuiteMeetsItsIndexRow) {
  std::ifstream index(kSuite + "index.tsv");
  if (!index) GTEST_SKIP() << "no shared BMP suite at " << kSuite;
  std::string line;
  std::getline(index, line);  // column names
  int rows = 0;
  while (std::getline(index, line)) {
    if (line.empty()) continue;
    // file, header size, width, height, bits per pixel, compression, expected, reference, note
    std::vector<std::string> column;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) column.push_back(field);
    column.resize(9);
    const std::string &expected = column[6], &note = column[8];
    SCOPED_TRACE(column[0] + " (" + expected + ")");
    ++rows;
    platform::testing::clearCapturedMessageBoxes();
    const Image image = loadImage(kSuite + column[0]);
    const auto& boxes = capturedMessageBoxes();
    if (expected == "reject") {
      EXPECT_EQ(image, nullptr);
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].text, note);
    } else if (image) {
      EXPECT_TRUE(boxes.empty());
      EXPECT_TRUE(matchesReference(*image, column[7], column[4] == "16" ? 8 : 0));
    } else {
      EXPECT_EQ(expected, "optional") << "a file that must decode was rejected";
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_TRUE(boxes[0].text == "Out of memory." || boxes[0].text == "Unknown DIB file format." ||
                  boxes[0].text == "Image file conversion error.")
          << boxes[0].text;
    }
  }
  EXPECT_GT(rows, 0);
}

}  // namespace
