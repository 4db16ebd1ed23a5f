// The BMP loader on files the tests write (bare DIBs, row padding, every way a file can be missing,
// short or wrong) and on the shared BMP suite, files nobody here wrote, read where they lie.
#include "image/bmp_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <tuple>

#include "platform/testing/testing.h"
#include "tests/support/bmp_files.h"

namespace {

using namespace platform::testing;
using Pixels = std::vector<uint8_t>;

class BmpLoaderTest : public ::testing::Test {
 protected:
  void TearDown() override {  // whatever happened, nothing of the call is still held
    EXPECT_EQ(0u, openKernelHandles() + liveLocalAllocations() + liveGdiObjects() +
                      liveMemoryDeviceContexts());
  }

  // The pixels of a file that must load without a message.
  static Pixels load(const std::string& name, const Pixels& bytes, int width, int height) {
    const Image image = loadImage(writeTemporaryFile(name, bytes));
    EXPECT_TRUE(capturedMessageBoxes().empty());
    if (!image || image->width != width || image->height != height) return {};
    return {image->data, image->data + size_t(width) * height * 3};
  }

  // Loads a file that must fail with exactly one "Error" box showing `text`.
  static void expectFailure(const std::string& path, const std::string& text) {
    clearCapturedMessageBoxes();
    EXPECT_EQ(loadImage(path), nullptr);
    ASSERT_EQ(capturedMessageBoxes().size(), 1u);
    const auto& box = capturedMessageBoxes()[0];
    EXPECT_EQ(std::make_tuple(box.text, box.caption, box.type),
              std::make_tuple(text, std::string("Error"), UINT(MB_OK)));
  }
};

// A 3x2 picture as a 24-bit file stores it (blue first, rows padded to 4 bytes: the padding
// must never show up) and as the loader gives it.
const Pixels kStored = {1,  2,  3,  4,  5,  6,  7,  8,  9,  99, 99, 99,
                        10, 11, 12, 13, 14, 15, 16, 17, 18, 99, 99, 99};
const Pixels kLoaded = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16};

Palette greyRamp(int entries) {
  Palette palette;
  for (int k = 0; k < entries; ++k) palette.push_back(uint32_t(k) * 0x010101u);
  return palette;
}

TEST_F(BmpLoaderTest, BareDibsFindTheirPixelsPastTheColoursUsedAndLoseTheirRowPadding) {
  const InfoHeader rgb{3, 2, 24, 0, 0, 5}, indexed{4, 1, 8, 0, 0, 17};  // the colours used last
  Palette palette = greyRamp(17);
  palette[16] = 0x123456;
  EXPECT_EQ(load("rgb.dib", infoBitmap(rgb, greyRamp(5), kStored, false), 3, 2), kLoaded);
  EXPECT_EQ(load("indexed.dib", infoBitmap(indexed, palette, {16, 1, 0, 16}, false), 4, 1),
            (Pixels{0x12, 0x34, 0x56, 1, 1, 1, 0, 0, 0, 0x12, 0x34, 0x56}));
}

TEST_F(BmpLoaderTest, EachFailureShowsOneMessage) {
  const std::string unknown = "Unknown DIB file format.",
                    conversion = "Image file conversion error.";
  const auto valid = infoBitmap({3, 2, 8}, greyRamp(256), Pixels(8, 7));
  auto farOffset = valid;
  farOffset[10] = farOffset[11] = 0xFF;
  // Headers of width, height, bits, compression, image size and colours used.
  const std::tuple<const char*, Pixels, std::string> cases[] = {
      {"257.bmp", infoBitmap({3, 2, 8, 0, 0, 257}, greyRamp(257), Pixels(8)), unknown},
      {"70000.bmp", infoBitmap({3, 2, 24, 0, 0, 70000}, {}, kStored), unknown},
      {"offset.bmp", farOffset, conversion},
      {"topdown.bmp", infoBitmap({3, -2}, {}, kStored), conversion},
      {"flat.bmp", infoBitmap({3, 0}, {}, {}), conversion},
      {"jpeg.bmp", infoBitmap({3, 2, 24, 4}, {}, {1, 2, 3}), conversion},
      {"giant.bmp", infoBitmap({60000, 60000, 8, 1, 2, 2}, greyRamp(2), {0, 1}), "Out of memory."},
  };
  for (const auto& [name, bytes, message] : cases) {
    SCOPED_TRACE(name);
    expectFailure(writeTemporaryFile(name, bytes), message);
  }
  for (size_t length = 1; length < valid.size(); ++length) {
    SCOPED_TRACE(length);
    expectFailure(writeTemporaryFile("cut.bmp", {valid.begin(), valid.begin() + length}),
                  length < 14 + 40 + 256 * 4 ? unknown : conversion);
  }
  const std::string empty = writeTemporaryFile("empty.bmp", {});  // missing: GL and e2e tests
  expectFailure(empty, "Failed to open DIB file " + empty + ".\n");
  for (int nth : {1, 2}) {  // memory for the description, then for the target header
    failLocalAlloc(nth);
    expectFailure(writeTemporaryFile("ok.bmp", infoBitmap({3, 2}, {}, kStored)), "Out of memory.");
    failLocalAlloc(0);
  }
}

TEST_F(BmpLoaderTest, TheUtf16FormOpensByItsNameAndReportsItWithWs) {
  const std::string path = writeTemporaryFile("\xc3\xa9toile.bmp", infoBitmap({3, 2}, {}, kStored));
  const std::u16string wide =
      std::u16string(path.begin(), path.end() - 11) + u"\u00e9toile.bmp";  // an ASCII folder
  EXPECT_NE(ownImage(loadBmpImage(wide.c_str())), nullptr);
  EXPECT_EQ(loadBmpImage((wide + u"-gone").c_str()), nullptr);
  ASSERT_EQ(capturedMessageBoxes().size(), 1u);
  EXPECT_EQ(capturedMessageBoxes()[0].text, "Failed to open DIB file " + path + "-gone.\n");
}

const std::string kSuite = std::string(ORBITRAND_SHARED_TESTDATA) + "/bmp-suite/";

// Whether the picture equals the reference, whose rows run from the top (the
// loader's from the bottom); 16-bit channels may differ by how bits were widened.
::testing::AssertionResult matchesReference(const RgbImage& image, const std::string& file,
                                            int tolerance) {
  std::ifstream in(kSuite + file, std::ios::binary);
  const Pixels reference(std::istreambuf_iterator<char>(in), {});
  const size_t row = size_t(image.width) * 3, rows = size_t(image.height);
  if (reference.size() != row * rows)
    return ::testing::AssertionFailure() << "reference size " << reference.size();
  for (size_t k = 0; k < row * rows; ++k)
    if (std::abs(image.data[k] - reference[(rows - 1 - k / row) * row + k % row]) > tolerance)
      return ::testing::AssertionFailure() << "row " << k / row << " byte " << k % row;
  return ::testing::AssertionSuccess();
}

TEST_F(BmpLoaderTest, EveryFileOfTheSharedSuiteMeetsItsIndexRow) {
  std::ifstream index(kSuite + "index.tsv");
  if (!index) GTEST_SKIP() << "no shared BMP suite at " << kSuite;
  std::string line;
  std::getline(index, line);  // column names
  int rows = 0;
  while (std::getline(index, line) && !line.empty()) {
    // file, header size, width, height, bits per pixel, compression, expected, reference, note
    std::vector<std::string> column(9);
    std::stringstream fields(line);
    for (auto& field : column) std::getline(fields, field, '\t');
    SCOPED_TRACE(column[0] + " (" + column[6] + ")");
    ++rows;
    clearCapturedMessageBoxes();
    const Image image = loadImage(kSuite + column[0]);
    const auto& boxes = capturedMessageBoxes();
    ASSERT_EQ(boxes.size(), image ? 0u : 1u);
    if (image) {
      EXPECT_NE(column[6], "reject");
      EXPECT_TRUE(matchesReference(*image, column[7], column[4] == "16" ? 8 : 0));
    } else if (column[6] == "reject") {
      EXPECT_EQ(boxes[0].text, column[8]);
    } else {
      EXPECT_EQ(column[6], "optional") << "a file that must decode was rejected: " << boxes[0].text;
    }
  }
  EXPECT_GT(rows, 0);
}

}  // namespace
