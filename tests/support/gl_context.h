// A window of the stand-in, 800 x 600, with the program's graphics started on
// it as start-up starts them, and what tests read back from the context.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "render/graphics.h"
#include "scene/vector3.h"
#include "tests/support/test_window.h"

constexpr int kWidth = 800, kHeight = 600;

// The back buffer's RGB pixels from the lower left corner, bottom row first.
std::vector<uint8_t> readPixels();
// The first count values of OpenGL's state under this name, as floats: the
// 16 of a matrix, the 4 of a colour, or one flag, mode or count.
std::vector<float> glFloats(unsigned int name, int count = 1);
inline const std::vector<float> kIdentityMatrix = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
inline bool near(const Vector3& a, const Vector3& b) { return (a - b).length() < 1e-6; }

// The pixels of one colour between two columns of a frame read back.
using Colour = std::array<uint8_t, 3>;
constexpr Colour kBlack{0, 0, 0}, kWhite{255, 255, 255}, kGreen{0, 255, 0}, kRed{255, 0, 0},
    kBlue{0, 0, 255};
int ink(const std::vector<uint8_t>& pixels, Colour colour, int left = 0, int right = kWidth);

class GlContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openWindow(kWidth, kHeight);
    ASSERT_TRUE(initGraphics());
  }
  void TearDown() override { closeWindow(); }
  // A fresh window of this size, its graphics not yet started.
  void openWindow(int width, int height);
  void closeWindow();
  std::unique_ptr<RecordingWindow> window_;
};
