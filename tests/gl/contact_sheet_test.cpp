// The nine data files drawn by the program's own drawing code into one
// picture for a person to look at: the four models (each with its texture
// and the local transform the world gives it), the four model textures as
// loadTexture makes them, and the star field on the background's quad. Written as contact-sheet.png beside
// the data files.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <lib3ds/node.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "scene/model_object.h"
#include "scene/star_background.h"
#include "tests/support/buffer_objects.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_file.h"

namespace {

const std::string kData = std::string(ORBITRAND_DATA_DIR) + "/";
constexpr int kTile = 200;
constexpr int kColumns = 3;

struct Model {
  const char* file;
  const char* texture;
  float scale;  // 0: none, as for the planets
};

// The world's local transform: turned -90 degrees about X, then scaled.
Matrix4 localTransform(float scale) {
  Matrix4 transform;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (scale != 0.0f) glScalef(scale, scale, scale);
  glGetFloatv(GL_MODELVIEW_MATRIX, transform.data());
  glPopMatrix();
  return transform;
}

double boundingRadius(const ModelObject& object) {
  const Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(object.file, object.file->nodes->name);
  double radius = 0.0;
  for (Lib3dsDword k = 0; k < mesh->points; ++k) {
    const float* p = mesh->pointL[k].pos;
    radius = std::max(radius, std::sqrt(double(p[0]) * p[0] + double(p[1]) * p[1] + double(p[2]) * p[2]));
  }
  return radius;
}

void selectTile(int index) {
  const int column = index % kColumns, row = index / kColumns;
  glViewport(column * kTile, (kColumns - 1 - row) * kTile, kTile, kTile);
}

class ContactSheetTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(0.12f, 0.12f, 0.14f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    enableBufferObjects();
  }
  void TearDown() override {
    disableBufferObjects();
    GlContextTest::TearDown();
  }

  // Draws the model as the world does (textured, prepared arrays, local
  // transform), seen from the front, right and above; a ship's nose points to -Z.
  void drawModel(int tile, const Model& model) {
    const Matrix4 transform = localTransform(model.scale);
    ModelObject object((kData + model.file).c_str(), &transform);
    ASSERT_NE(object.file, nullptr) << model.file << ": the build generates it into " << kData;
    object.loadTexture((kData + model.texture).c_str());
    object.prepareArrays();
    const double radius = boundingRadius(object) * (model.scale != 0.0f ? model.scale : 1.0f);
    const double distance = radius / std::sin(15.0 * M_PI / 180.0) * 1.1;
    const double eye[3] = {0.6, 0.45, model.scale != 0.0f ? -0.66 : 0.9};
    const double length = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    selectTile(tile);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, 1.0, distance * 0.05, distance * 3.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye[0] / length * distance, eye[1] / length * distance, eye[2] / length * distance, 0, 0, 0, 0,
              1, 0);
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
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
    for (const auto& corner : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
      glTexCoord2i(corner.first, corner.second);
      glVertex2i(corner.first, corner.second);
    }
    glEnd();
    glEnable(GL_DEPTH_TEST);
  }

  // The star field as the program draws it: the background's screen-filling
  // quad, here filling the tile (rows run downwards on it).
  void drawStarField(int tile) {
    g_display = {kTile, kTile, 32, 60};
    g_frameSeconds = 0.0f;
    StarBackground stars(nullptr, (kData + "stars2.bmp").c_str(), 1.0f, 1.0f);
    ASSERT_NE(stars.texture, -1);
    selectTile(tile);
    glDisable(GL_DEPTH_TEST);
    stars.draw();
    glEnable(GL_DEPTH_TEST);
  }

  // Pixels of the tile that differ from the background.
  size_t drawnPixels(const std::vector<uint8_t>& sheet, int tile) const {
    const int column = tile % kColumns, row = kColumns - 1 - tile / kColumns;
    size_t count = 0;
    for (int y = row * kTile; y < (row + 1) * kTile; ++y) {
      for (int x = column * kTile; x < (column + 1) * kTile; ++x) {
        const uint8_t* p = &sheet[(size_t(y) * kColumns * kTile + x) * 3];
        count += (std::abs(p[0] - 31) + std::abs(p[1] - 31) + std::abs(p[2] - 36) > 12) ? 1 : 0;
      }
    }
    return count;
  }
};

TEST_F(ContactSheetTest, TheNineDataFilesDrawnThroughTheProgramsOwnCode) {
  const Model models[] = {{"kesh.3ds", "tex_kesh.bmp", 0.0001f},
                          {"ship.3ds", "ship_tex.bmp", 0.0005f},
                          {"earth.3ds", "earth.bmp", 0.0f},
                          {"moon.3ds", "moon.bmp", 0.0f}};
  int tile = 0;
  for (const Model& model : models) drawModel(tile++, model);
  for (const char* texture : {"tex_kesh.bmp", "ship_tex.bmp", "earth.bmp", "moon.bmp"}) {
    drawTexture(tile++, texture);
  }
  drawStarField(tile);
  glFinish();

  const int side = kColumns * kTile;
  std::vector<uint8_t> sheet(size_t(side) * side * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, side, side, GL_RGB, GL_UNSIGNED_BYTE, sheet.data());
  for (int k = 0; k < 4; ++k) EXPECT_GT(drawnPixels(sheet, k), size_t(kTile * kTile / 50)) << "model " << k;
  const std::string path = kData + "contact-sheet.png";
  ASSERT_TRUE(writePng(path, side, side, sheet)) << path;
  RecordProperty("contact_sheet", path);
}

}  // namespace
