// A window of the stand-in, 800 x 600, with the program's graphics started on
// it as start-up starts them, and what tests read back from the context.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/support/test_window.h"

// The back buffer's RGB pixels from the lower left corner, bottom row first.
std::vector<uint8_t> readPixels(int width, int height);
// The modelview or projection matrix as OpenGL holds it.
std::vector<float> glMatrix(unsigned int which);
extern const std::vector<float> kIdentityMatrix;

class GlContextTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  void SetUp() override;
  void TearDown() override { closeWindow(); }
  // A fresh window of this size, its graphics not yet started.
  void openWindow(int width, int height);
  void closeWindow();
  static std::vector<uint8_t> readPixels() { return ::readPixels(kWidth, kHeight); }

 private:
  std::unique_ptr<RecordingWindow> window_;
};
