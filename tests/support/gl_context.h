// A window of the stand-in, 800 x 600, with the program's graphics started on
// it as start-up starts them, and what tests read back from the context.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/graphics.h"
#include "tests/support/test_window.h"

constexpr int kWidth = 800, kHeight = 600;

// The back buffer's RGB pixels from the lower left corner, bottom row first.
std::vector<uint8_t> readPixels();
// The modelview or projection matrix as OpenGL holds it.
std::vector<float> glMatrix(unsigned int which);
extern const std::vector<float> kIdentityMatrix;

// The pixels of one colour between two columns of a frame read back.
struct Colour {
  uint8_t r, g, b;
};
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

 private:
  std::unique_ptr<RecordingWindow> window_;
};
