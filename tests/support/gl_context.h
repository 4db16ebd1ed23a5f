// A real OpenGL context (Mesa) on an 800 x 600 window, current for the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class GlContextTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  void SetUp() override;
  void TearDown() override;

  // The back buffer's RGB pixels, bottom row first.
  std::vector<uint8_t> readPixels() const;
  // The modelview or projection matrix as OpenGL holds it.
  static void readMatrix(unsigned int which, float out[16]);

 private:
  void* window_ = nullptr;
  void* context_ = nullptr;
};
