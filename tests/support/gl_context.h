// A real OpenGL context (Mesa) on an 800 x 600 window, current for the test,
// and what tests read back from whatever context is current.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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
  void TearDown() override;
  static std::vector<uint8_t> readPixels() { return ::readPixels(kWidth, kHeight); }
  // The state every frame of the program draws the world with: texturing,
  // depth test and back-face culling on.
  static void enableWorldDrawingState();

 private:
  void* window_ = nullptr;
  void* context_ = nullptr;
};
