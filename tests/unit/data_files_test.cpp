// The nine data files that the build generates, read through the program's
// own loaders: every picture decodes with power-of-two sides, every model's
// first node names a mesh with one texel per point, and the whole world stays
// small enough to draw fast without a graphics card.
#include <gtest/gtest.h>
#include <lib3ds/node.h>

#include <cstdlib>
#include <string>

#include "image/bmp_loader.h"
#include "platform/testing.h"
#include "scene/model_object.h"

namespace {

const std::string kData = std::string(ORBITRAND_DATA_DIR) + "/";

bool isPowerOfTwo(int32_t value) { return value > 0 && (value & (value - 1)) == 0; }

TEST(DataFiles, EveryPictureDecodesWithPowerOfTwoSides) {
  for (const char* name : {"tex_kesh.bmp", "ship_tex.bmp", "earth.bmp", "moon.bmp", "stars2.bmp"}) {
    SCOPED_TRACE(name);
    RgbImage* image = loadBmpImage((kData + name).c_str());
    ASSERT_NE(image, nullptr) << "the build generates the data files into " << kData;
    EXPECT_TRUE(isPowerOfTwo(image->width)) << image->width;
    EXPECT_TRUE(isPowerOfTwo(image->height)) << image->height;
    std::free(image->data);
    std::free(image);
  }
  EXPECT_TRUE(platform::testing::capturedMessageBoxes().empty());
}

// The faces of a model whose first node names a mesh with a texel per point.
Lib3dsDword drawableFaces(const char* name) {
  ModelObject model((kData + name).c_str());
  if (!model.file) {
    ADD_FAILURE() << name << " has no drawable mesh (the build generates it into " << kData << ")";
    return 0;
  }
  const Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(model.file, model.file->nodes->name);
  EXPECT_NE(mesh, nullptr) << name;
  if (!mesh) return 0;
  EXPECT_EQ(mesh->texels, mesh->points) << name;
  EXPECT_GT(mesh->faces, 0u) << name;
  return mesh->faces;
}

TEST(DataFiles, EveryModelNamesItsMeshAndTheWorldStaysSmall) {
  const Lib3dsDword player = drawableFaces("kesh.3ds");
  const Lib3dsDword gridShip = drawableFaces("ship.3ds");
  const Lib3dsDword earth = drawableFaces("earth.3ds");
  const Lib3dsDword moon = drawableFaces("moon.3ds");
  const Lib3dsDword world = player + 49 * gridShip + earth + moon;
  EXPECT_LT(world, 60000u);
  RecordProperty("triangles", int(world));
}

}  // namespace
