// SphereObject on a real context: both ways of drawing give one picture, and
// the texture's top edge sits at the object's up pole.
#include "scene/sphere_object.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

class SphereObjectTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
  }

  // A sphere of radius 1, three units in front of the eye, textured blue in
  // its bottom half and red in its top half.
  std::unique_ptr<SphereObject> sphere() {
    auto object = std::make_unique<SphereObject>(1.0f, 32, 16);
    std::vector<uint8_t> pixels;
    for (int row = 0; row < 4; ++row) {
      for (int x = 0; x < 4; ++x) pixels.insert(pixels.end(), {uint8_t(row < 2 ? 255 : 0), 0, uint8_t(row < 2 ? 0 : 255)});
    }
    object->loadTexture(writeTemporaryFile("halves.bmp", infoBitmap({4, 4}, {}, pixels)).c_str());
    return object;
  }

  std::vector<uint8_t> drawFrame(SphereObject& object) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.1 * kWidth / kHeight, 0.1 * kWidth / kHeight, -0.1, 0.1, 0.2, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    object.draw();
    glFinish();
    return readPixels();
  }

  const uint8_t* pixel(const std::vector<uint8_t>& frame, int x, int y) const {
    return &frame[(size_t(y) * kWidth + x) * 3];
  }
};

TEST_F(SphereObjectTest, DisplayListAndDirectDrawingShowTheSamePicture) {
  auto direct = sphere();
  const auto reference = drawFrame(*direct);
  auto listed = sphere();
  listed->compileDisplayList();
  ASSERT_NE(listed->displayList, -1);
  EXPECT_EQ(drawFrame(*listed), reference);
}

TEST_F(SphereObjectTest, TheUpAxisRunsThroughThePoles) {
  auto object = sphere();
  const auto frame = drawFrame(*object);
  // Rows grow upwards in the read-back: above the centre is the up pole's half.
  const uint8_t* above = pixel(frame, kWidth / 2, kHeight / 2 + 80);
  const uint8_t* below = pixel(frame, kWidth / 2, kHeight / 2 - 80);
  EXPECT_GT(above[0], 200);
  EXPECT_LT(above[2], 50);
  EXPECT_GT(below[2], 200);
  EXPECT_LT(below[0], 50);

  // Turned a quarter about Z, the poles lie left and right.
  object->rotationZ = 90.0f;
  object->applyRotations();
  const auto turned = drawFrame(*object);
  EXPECT_GT(pixel(turned, kWidth / 2 - 80, kHeight / 2)[0], 200);
  EXPECT_GT(pixel(turned, kWidth / 2 + 80, kHeight / 2)[2], 200);
}

}  // namespace
