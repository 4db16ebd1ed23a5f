#include <gtest/gtest.h>

#include "render/graphics.h"

namespace {

constexpr const char* kVbo = "GL_ARB_vertex_buffer_object";

TEST(ExtensionSearch, FindsTheNameOnlyAsAWholeWord) {
  EXPECT_TRUE(isWordInList("GL_ARB_vertex_buffer_object", kVbo));
  EXPECT_TRUE(isWordInList("GL_ARB_vertex_buffer_object GL_EXT_a GL_EXT_b", kVbo));
  EXPECT_TRUE(isWordInList("GL_EXT_a GL_EXT_b GL_ARB_vertex_buffer_object", kVbo));
  EXPECT_TRUE(isWordInList("GL_EXT_a GL_ARB_vertex_buffer_object ", kVbo));
  // A rejected occurrence does not hide a later whole one.
  EXPECT_TRUE(isWordInList("GL_ARB_vertex_buffer_object_x GL_ARB_vertex_buffer_object", kVbo));

  EXPECT_FALSE(isWordInList("GL_EXT_a GL_ARB_vertex_buffer_object_x GL_EXT_b", kVbo));
  EXPECT_FALSE(isWordInList("GL_EXT_a GL_ARB_vertex_buffer_object_x", kVbo));
  EXPECT_FALSE(isWordInList("GL_EXT_aGL_ARB_vertex_buffer_object GL_EXT_b", kVbo));
  EXPECT_FALSE(isWordInList("GL_ARB_vertex_buffer_objectGL_ARB_vertex_buffer_object", kVbo));
  EXPECT_FALSE(isWordInList("GL_ARB_vertex_buffer", kVbo));
  EXPECT_FALSE(isWordInList("", kVbo));
  EXPECT_FALSE(isWordInList(nullptr, kVbo));
}

TEST(ExtensionSearch, AnEmptyNameOrOneWithASpaceIsNeverFound) {
  EXPECT_FALSE(isWordInList("GL_EXT_a GL_EXT_b", ""));
  EXPECT_FALSE(isWordInList("GL_EXT_a  GL_EXT_b", ""));
  EXPECT_FALSE(isWordInList("GL_EXT_a GL_EXT_b", "GL_EXT_a GL_EXT_b"));
  EXPECT_FALSE(isWordInList("GL_EXT_a GL_EXT_b", " GL_EXT_b"));
  EXPECT_FALSE(isWordInList("GL_EXT_a GL_EXT_b", nullptr));
}

// Colour bits, then red, green and blue bits and shifts as the descriptor asks.
void expectColour(const PIXELFORMATDESCRIPTOR& d, int colour, int channel, int redShift,
                  int greenShift) {
  EXPECT_EQ(d.cColorBits, colour);
  EXPECT_EQ(d.cRedBits, channel);
  EXPECT_EQ(d.cGreenBits, channel);
  EXPECT_EQ(d.cBlueBits, channel);
  EXPECT_EQ(d.cRedShift, redShift);
  EXPECT_EQ(d.cGreenShift, greenShift);
  EXPECT_EQ(d.cBlueShift, 0);
}

TEST(PixelFormat, DoubleBufferedRgbaWithSixteenBitDepthAndNothingElse) {
  const PIXELFORMATDESCRIPTOR d = pixelFormatFor(32);
  EXPECT_EQ(d.nSize, 40);
  EXPECT_EQ(d.nVersion, 1);
  EXPECT_EQ(d.dwFlags, 0x80000025u);
  EXPECT_EQ(d.iPixelType, PFD_TYPE_RGBA);
  EXPECT_EQ(d.cDepthBits, 16);
  EXPECT_EQ(d.iLayerType, PFD_MAIN_PLANE);
  // No alpha, accumulation, stencil or auxiliary buffers.
  EXPECT_EQ(d.cAlphaBits | d.cAccumBits | d.cStencilBits | d.cAuxBuffers, 0);
}

TEST(PixelFormat, ChannelsFollowTheLowestEightBitsOfTheDepth) {
  expectColour(pixelFormatFor(32), 32, 8, 16, 8);
  expectColour(pixelFormatFor(24), 24, 6, 12, 6);
  expectColour(pixelFormatFor(16), 16, 4, 8, 4);
  expectColour(pixelFormatFor(256 + 32), 32, 8, 16, 8);
  expectColour(pixelFormatFor(256), 0, 0, 0, 0);
}

}  // namespace
