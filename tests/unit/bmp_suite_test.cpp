// The BMP loader on files nobody here wrote: every file listed in the shared
// BMP suite's index must meet its row (decoded to the reference picture, or
// rejected with the message given). The files are read where they lie.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image/bmp_loader.h"
#include "platform/testing.h"

namespace {

const std::string kSuite = std::string(ORBITRAND_SHARED_TESTDATA) + "/bmp-suite/";

struct Row {
  std::string file, expected, reference, note;
  int bitsPerPixel = 0;
};

std::vector<Row> readIndex(std::ifstream& index) {
  std::vector<Row> rows;
  std::string line;
  std::getline(index, line);  // column names
  while (std::getline(index, line)) {
    if (line.empty()) continue;
    std::vector<std::string> columns;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, '\t');) columns.push_back(field);
    columns.resize(9);
    Row row;
    row.file = columns[0];
    row.bitsPerPixel = std::atoi(columns[4].c_str());
    row.expected = columns[6];
    row.reference = columns[7];
    row.note = columns[8];
    rows.push_back(row);
  }
  return rows;
}

std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether the picture equals the reference, whose rows run from the top; the
// loader's run from the bottom. 16-bit channels may differ by how 5 and 6
// bits were widened.
::testing::AssertionResult matchesReference(const RgbImage& image, const std::vector<uint8_t>& reference,
                                            int tolerance) {
  const size_t row = size_t(image.width) * 3;
  const size_t rows = size_t(image.height);
  if (reference.size() != row * rows) {
    return ::testing::AssertionFailure() << "reference holds " << reference.size() << " bytes, picture "
                                         << row * rows;
  }
  for (size_t r = 0; r < rows; ++r) {
    for (size_t k = 0; k < row; ++k) {
      const int got = image.data[r * row + k];
      const int want = reference[(rows - 1 - r) * row + k];
      if (std::abs(got - want) > tolerance) {
        return ::testing::AssertionFailure()
               << "row " << r << " byte " << k << ": " << got << " instead of " << want;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

bool isLoaderMessage(const std::string& text) {
  return text == "Out of memory." || text == "Unknown DIB file format." ||
         text == "Image file conversion error.";
}

TEST(BmpSuite, EveryListedFileMeetsItsRow) {
  std::ifstream index(kSuite + "index.tsv");
  if (!index) GTEST_SKIP() << "no shared BMP suite at " << kSuite;
  const std::vector<Row> rows = readIndex(index);
  ASSERT_FALSE(rows.empty());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file + " (" + row.expected + ")");
    platform::testing::clearCapturedMessageBoxes();
    RgbImage* image = loadBmpImage((kSuite + row.file).c_str());
    const auto& boxes = platform::testing::capturedMessageBoxes();
    if (row.expected == "reject") {
      EXPECT_EQ(image, nullptr);
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].text, row.note);
    } else if (image) {
      EXPECT_TRUE(boxes.empty());
      const int tolerance = row.bitsPerPixel == 16 ? 8 : 0;
      EXPECT_TRUE(matchesReference(*image, readFile(kSuite + row.reference), tolerance));
    } else {
      EXPECT_EQ(row.expected, "optional") << "a file that must decode was rejected";
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_TRUE(isLoaderMessage(boxes[0].text)) << boxes[0].text;
    }
    if (image) {
      std::free(image->data);
      std::free(image);
    }
  }
  EXPECT_EQ(platform::testing::openKernelHandles(), 0u);
  EXPECT_EQ(platform::testing::liveLocalAllocations(), 0u);
}

}  // namespace
