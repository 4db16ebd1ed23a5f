// SphereObject on a real context: both ways of drawing give one picture, and
// the texture's top edge sits at the object's up pole.
#include "scene/sphere_object.h"

#include <gtest/gtest.h>

#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

// The sphere of radius 1 three units in front of the eye: whether red or blue
// rules 80 pixels right of, left of, above and below the centre.
std::vector<int> poles(SphereObject& sphere) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -3.0f);
  sphere.draw();
  const std::vector<uint8_t> frame = readPixels(800, 600);
  std::vector<int> colours;
  for (const auto& [dx, dy] : {std::pair{80, 0}, {-80, 0}, {0, 80}, {0, -80}}) {
    const uint8_t* pixel = &frame[(size_t(300 + dy) * 800 + 400 + dx) * 3];
    colours.push_back(pixel[0] > pixel[2] + 100 ? 'r' : pixel[2] > pixel[0] + 100 ? 'b' : '?');
  }
  return colours;
}

TEST_F(GlContextTest, TheSpheresUpAxisRunsThroughThePolesAlikeInADisplayList) {
  // Textured red in its top half and blue in its bottom half.
  std::vector<uint8_t> pixels;
  for (int k = 0; k < 16; ++k) pixels.insert(pixels.end(), {uint8_t(k < 8 ? 255 : 0), 0, uint8_t(k < 8 ? 0 : 255)});
  const std::string texture = writeTemporaryFile("halves.bmp", infoBitmap({4, 4}, {}, pixels));
  SphereObject direct(1.0f, 32, 16), listed(1.0f, 32, 16);
  direct.loadTexture(texture.c_str());
  listed.loadTexture(texture.c_str());
  listed.compileDisplayList();
  EXPECT_EQ(poles(direct), (std::vector<int>{'?', '?', 'r', 'b'}));
  EXPECT_EQ(poles(listed), poles(direct));
  // Turned a quarter about Z, the poles lie left and right.
  direct.rotationZ = 90.0f;
  direct.applyRotations();
  EXPECT_EQ(poles(direct), (std::vector<int>{'b', 'r', '?', '?'}));
}

}  // namespace
