// The nine data files that the build generates, read through the program's
// own loaders: every picture with power-of-two sides, every model's first
// node naming a mesh with one texel per point, the whole world small enough
// to draw fast without a graphics card.
#include <gtest/gtest.h>
#include <lib3ds/node.h>

#include <string>

#include "platform/testing.h"
#include "scene/model_object.h"
#include "tests/support/bmp_files.h"

namespace {

const std::string kData = std::string(ORBITRAND_DATA_DIR) + "/";

TEST(DataFiles, EveryPictureDecodesWithPowerOfTwoSides) {
  for (const char* name : {"tex_kesh.bmp", "ship_tex.bmp", "earth.bmp", "moon.bmp", "stars2.bmp"}) {
    const Image image = loadImage(kData + name);
    ASSERT_NE(image, nullptr) << name << ": the build generates the data files into " << kData;
    for (const int32_t side : {image->width, image->height}) EXPECT_EQ(side & (side - 1), 0) << name << ": " << side;
  }
  EXPECT_TRUE(platform::testing::capturedMessageBoxes().empty());
}

TEST(DataFiles, EveryModelNamesItsMeshAndTheWorldStaysSmall) {
  // The player's ship, then the grid's 49, the Earth and the Moon.
  const std::pair<const char*, int> models[] = {{"kesh.3ds", 1}, {"ship.3ds", 49}, {"earth.3ds", 1}, {"moon.3ds", 1}};
  Lib3dsDword world = 0;
  for (const auto& [name, copies] : models) {
    ModelObject model((kData + name).c_str());
    ASSERT_NE(model.file, nullptr) << name << " has no drawable mesh";
    const Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(model.file, model.file->nodes->name);
    ASSERT_NE(mesh, nullptr) << name;
    EXPECT_EQ(mesh->texels, mesh->points) << name;
    world += copies * mesh->faces;
  }
  EXPECT_LT(world, 60000u);
}

}  // namespace
