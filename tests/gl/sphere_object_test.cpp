// SphereObject on a real context: both ways of drawing give one picture, and
// the texture's top edge sits at the object's up pole.
#include "scene/sphere_object.h"

#include <gtest/gtest.h>

#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

class SphereObjectTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    enableWorldDrawingState();
    glMatrixMode(GL_PROJECTION);
    glFrustum(-0.1 * kWidth / kHeight, 0.1 * kWidth / kHeight, -0.1, 0.1, 0.2, 100.0);
    glMatrixMode(GL_MODELVIEW);
    // Textured red in its top half and blue in its bottom half.
    std::vector<uint8_t> pixels;
    for (int k = 0; k < 16; ++k) pixels.insert(pixels.end(), {uint8_t(k < 8 ? 255 : 0), 0, uint8_t(k < 8 ? 0 : 255)});
    texture_ = writeTemporaryFile("halves.bmp", infoBitmap({4, 4}, {}, pixels));
  }

  // The sphere of radius 1 three units in front of the eye; the colour of a
  // pixel that far from the centre.
  std::vector<uint8_t> drawFrame(SphereObject& sphere) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    sphere.draw();
    return readPixels();
  }
  static const uint8_t* pixel(const std::vector<uint8_t>& frame, int dx, int dy) {
    return &frame[(size_t(kHeight / 2 + dy) * kWidth + kWidth / 2 + dx) * 3];
  }

  std::string texture_;
};

TEST_F(SphereObjectTest, TheUpAxisRunsThroughThePolesAlikeInADisplayList) {
  SphereObject direct(1.0f, 32, 16), listed(1.0f, 32, 16);
  direct.loadTexture(texture_.c_str());
  listed.loadTexture(texture_.c_str());
  const auto frame = drawFrame(direct);
  // Rows grow upwards in the read-back: above the centre is the up pole's half.
  EXPECT_GT(pixel(frame, 0, 80)[0], 200);
  EXPECT_LT(pixel(frame, 0, 80)[2], 50);
  EXPECT_GT(pixel(frame, 0, -80)[2], 200);
  EXPECT_LT(pixel(frame, 0, -80)[0], 50);
  listed.compileDisplayList();
  ASSERT_NE(listed.displayList, -1);
  EXPECT_EQ(drawFrame(listed), frame);

  // Turned a quarter about Z, the poles lie left and right.
  direct.rotationZ = 90.0f;
  direct.applyRotations();
  const auto turned = drawFrame(direct);
  EXPECT_GT(pixel(turned, -80, 0)[0], 200);
  EXPECT_GT(pixel(turned, 80, 0)[2], 200);
}

}  // namespace
