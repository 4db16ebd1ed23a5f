// SceneObject::loadTexture on a real context: the decoded picture becomes a
// linear-filtered texture, bottom row at t = 0.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/testing.h"
#include "scene/scene_object.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

using TextureTest = GlContextTest;

// Bottom row red, green; top row blue, white.
std::vector<uint8_t> twoByTwo() {
  return infoBitmap({2, 2}, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0});
}

TEST_F(TextureTest, APictureBecomesABoundLinearTextureBottomRowFirst) {
  SceneObject object;
  object.loadTexture(writeTemporaryFile("2x2.bmp", twoByTwo()).c_str());
  ASSERT_NE(object.texture, -1);
  EXPECT_TRUE(glIsTexture(GLuint(object.texture)));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, object.texture);
  GLint minFilter = 0, magFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  EXPECT_EQ(minFilter, GL_LINEAR);
  EXPECT_EQ(magFilter, GL_LINEAR);

  std::vector<uint8_t> texels(2 * 2 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
  EXPECT_TRUE(platform::testing::capturedMessageBoxes().empty());
}

TEST_F(TextureTest, EveryLoadMakesANewTextureName) {
  SceneObject object;
  const std::string path = writeTemporaryFile("2x2.bmp", twoByTwo());
  object.loadTexture(path.c_str());
  const int32_t first = object.texture;
  object.loadTexture(path.c_str());
  EXPECT_NE(object.texture, first);
  EXPECT_TRUE(glIsTexture(GLuint(first)));  // the first one stays until the context ends
}

TEST_F(TextureTest, AFileThatDoesNotLoadLeavesNoTexture) {
  SceneObject object;
  const std::string missing = temporaryPath("missing.bmp");
  object.loadTexture(missing.c_str());
  EXPECT_EQ(object.texture, -1);
  ASSERT_EQ(platform::testing::capturedMessageBoxes().size(), 1u);
  EXPECT_EQ(platform::testing::capturedMessageBoxes()[0].text, "Failed to open DIB file " + missing + ".\n");
}

}  // namespace
