// The nine data files that the build generates, read through the program's
// own loaders (every picture with power-of-two sides, every model's first
// node naming a mesh with one texel per point, the whole world small enough
// to draw fast without a graphics card), then drawn by its own drawing code
// into one picture for a person to look at, contact-sheet.png beside them.
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "platform/testing.h"
#include "scene/model_object.h"
#include "scene/star_background.h"
#include "tests/support/bmp_files.h"
#include "tests/support/buffer_objects.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_file.h"

namespace {

const std::string kData = std::string(ORBITRAND_DATA_DIR) + "/";
constexpr int kTile = 200, kColumns = 3, kSide = kColumns * kTile;

bool isPowerOfTwo(int32_t value) { return value > 0 && (value & (value - 1)) == 0; }

TEST(DataFiles, EveryPictureDecodesWithPowerOfTwoSides) {
  for (const char* name : {"tex_kesh.bmp", "ship_tex.bmp", "earth.bmp", "moon.bmp", "stars2.bmp"}) {
    const Image image = loadImage(kData + name);
    ASSERT_NE(image, nullptr) << name << ": the build generates the data files into " << kData;
    EXPECT_TRUE(isPowerOfTwo(image->width) && isPowerOfTwo(image->height))
        << name << ": " << image->width << " x " << image->height;
  }
  EXPECT_TRUE(platform::testing::capturedMessageBoxes().empty());
}

TEST(DataFiles, EveryModelNamesItsMeshAndTheWorldStaysSmall) {
  // The player's ship, then the grid's 49, the Earth and the Moon.
  const std::pair<const char*, int> models[] = {{"kesh.3ds", 1}, {"ship.3ds", 49}, {"earth.3ds", 1}, {"moon.3ds", 1}};
  Lib3dsDword world = 0;
  for (const auto& [name, copies] : models) {
    ModelObject model((kData + name).c_str());
    ASSERT_NE(model.file, nullptr) << name << " has no drawable mesh (the build generates it into " << kData << ")";
    const Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(model.file, model.file->nodes->name);
    ASSERT_NE(mesh, nullptr) << name;
    EXPECT_EQ(mesh->texels, mesh->points) << name;
    EXPECT_GT(mesh->faces, 0u) << name;
    world += copies * mesh->faces;
  }
  EXPECT_LT(world, 60000u);
  RecordProperty("triangles", int(world));
}

struct Model {
  const char* file;
  const char* texture;
  float scale;  // 0: none, as for the planets
};

void selectTile(int index) { glViewport(index % kColumns * kTile, (kColumns - 1 - index / kColumns) * kTile, kTile, kTile); }

// Draws the model as the world does (textured, prepared arrays, local
// transform: turned -90 degrees about X, then scaled), seen from the front,
// right and above; a ship's nose points to -Z.
void drawModel(int tile, const Model& model) {
  Matrix4 transform;
  glLoadIdentity();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (model.scale != 0.0f) glScalef(model.scale, model.scale, model.scale);
  glGetFloatv(GL_MODELVIEW_MATRIX, transform.data());
  ModelObject object((kData + model.file).c_str(), &transform);
  ASSERT_NE(object.file, nullptr) << model.file << ": the build generates it into " << kData;
  object.loadTexture((kData + model.texture).c_str());
  object.prepareArrays();
  const Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(object.file, object.file->nodes->name);
  double radius = 0.0;
  for (Lib3dsDword k = 0; k < mesh->points; ++k) {
    const float* p = mesh->pointL[k].pos;
    radius = std::max(radius, std::sqrt(double(p[0]) * p[0] + double(p[1]) * p[1] + double(p[2]) * p[2]));
  }
  const double distance = radius * (model.scale != 0.0f ? model.scale : 1.0f) / std::sin(15.0 * M_PI / 180.0) * 1.1;
  const double eye[3] = {0.6, 0.45, model.scale != 0.0f ? -0.66 : 0.9};
  const double toEye = distance / std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
  selectTile(tile);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(30.0, 1.0, distance * 0.05, distance * 3.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye[0] * toEye, eye[1] * toEye, eye[2] * toEye, 0, 0, 0, 0, 1, 0);
  object.draw();
}

// A texture as loadTexture makes it, upright on a square filling the tile.
void drawTexture(int tile, const char* file) {
  SceneObject holder;
  holder.loadTexture((kData + file).c_str());
  ASSERT_NE(holder.texture, -1) << file;
  selectTile(tile);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glBegin(GL_QUADS);
  for (const int corner : {0, 1, 3, 2}) {  // (0, 0), (1, 0), (1, 1), (0, 1)
    glTexCoord2i(corner & 1, corner >> 1);
    glVertex2i(corner & 1, corner >> 1);
  }
  glEnd();
}

// Pixels of the tile that differ from the background.
size_t drawnPixels(const std::vector<uint8_t>& sheet, int tile) {
  const int column = tile % kColumns, row = kColumns - 1 - tile / kColumns;
  size_t count = 0;
  for (int y = row * kTile; y < (row + 1) * kTile; ++y) {
    for (int x = column * kTile; x < (column + 1) * kTile; ++x) {
      const uint8_t* p = &sheet[(size_t(y) * kSide + x) * 3];
      count += (std::abs(p[0] - 31) + std::abs(p[1] - 31) + std::abs(p[2] - 36) > 12) ? 1 : 0;
    }
  }
  return count;
}

struct ContactSheetTest : GlContextTest {
  void TearDown() override {
    disableBufferObjects();
    GlContextTest::TearDown();
  }
};

TEST_F(ContactSheetTest, TheNineDataFilesDrawnThroughTheProgramsOwnCode) {
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_CULL_FACE);
  glClearColor(0.12f, 0.12f, 0.14f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  enableBufferObjects();
  const Model models[] = {{"kesh.3ds", "tex_kesh.bmp", 0.0001f},
                          {"ship.3ds", "ship_tex.bmp", 0.0005f},
                          {"earth.3ds", "earth.bmp", 0.0f},
                          {"moon.3ds", "moon.bmp", 0.0f}};
  int tile = 0;
  glEnable(GL_DEPTH_TEST);
  for (const Model& model : models) drawModel(tile++, model);
  glDisable(GL_DEPTH_TEST);
  for (const Model& model : models) drawTexture(tile++, model.texture);
  // The star field as the program draws it: the background's screen-filling
  // quad, here filling the tile (rows run downwards on it).
  g_display = {kTile, kTile, 32, 60};
  g_frameSeconds = 0.0f;
  StarBackground stars(nullptr, (kData + "stars2.bmp").c_str(), 1.0f, 1.0f);
  ASSERT_NE(stars.texture, -1);
  selectTile(tile);
  stars.draw();

  const std::vector<uint8_t> sheet = ::readPixels(kSide, kSide);
  for (int k = 0; k < 4; ++k) EXPECT_GT(drawnPixels(sheet, k), size_t(kTile * kTile / 50)) << "model " << k;
  const std::string path = kData + "contact-sheet.png";
  ASSERT_TRUE(writePng(path, kSide, kSide, sheet)) << path;
  RecordProperty("contact_sheet", path);
}

}  // namespace
