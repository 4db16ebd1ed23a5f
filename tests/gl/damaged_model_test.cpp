// Damaged model files on a real context: every kind of damage, done to each
// generated model, leaves an object that draws nothing and is never
// positioned, where the sound files draw exactly what lib3ds reads from them.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "scene/model_file_check.h"
#include "scene/model_object.h"
#include "tests/support/bmp_files.h"
#include "tests/support/buffer_objects.h"
#include "tests/support/gl_context.h"
#include "tests/support/model_damage.h"

namespace {

using Bytes = std::vector<uint8_t>;
using FileHandle = std::unique_ptr<Lib3dsFile, decltype(&lib3ds_file_free)>;

Bytes soundModel(const std::string& name) {
  std::ifstream in(std::string(ORBITRAND_DATA_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

Lib3dsMesh* meshOfFirstNode(Lib3dsFile* file) {
  return file && file->nodes ? lib3ds_file_mesh_by_name(file, file->nodes->name) : nullptr;
}

constexpr const char* kSoundModels[] = {"kesh.3ds", "ship.3ds", "earth.3ds", "moon.3ds"};

class DamagedModelTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    // The program's render state and drawing path: buffer objects where the
    // driver has them.
    enableWorldDrawingState();
    enableBufferObjects();
  }
  void TearDown() override {
    disableBufferObjects();
    GlContextTest::TearDown();
  }

  // Clears the frame and loads a view that frames the mesh: its bounding
  // sphere in front of the eye, seen along -z through an orthographic lens.
  static void loadViewOf(Lib3dsMesh& mesh) {
    Lib3dsVector low, high;
    lib3ds_mesh_bounding_box(&mesh, low, high);
    const float radius = std::hypot(high[0] - low[0], high[1] - low[1], high[2] - low[2]) / 2;
    glClearColor(0.1f, 0.2f, 0.3f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = double(kWidth) / kHeight;
    glOrtho(-radius * aspect, radius * aspect, -radius, radius, radius, 3 * radius);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -2 * radius);
    glTranslatef(-(low[0] + high[0]) / 2, -(low[1] + high[1]) / 2, -(low[2] + high[2]) / 2);
  }
};

TEST_F(DamagedModelTest, SoundFilesDrawWhatLib3dsReads) {
  for (const char* name : kSoundModels) {
    SCOPED_TRACE(name);
    const std::string path = writeTemporaryFile(name, soundModel(name));
    const FileHandle direct(lib3ds_file_load(path.c_str()), lib3ds_file_free);
    Lib3dsMesh* mesh = meshOfFirstNode(direct.get());
    ASSERT_NE(mesh, nullptr);

    loadViewOf(*mesh);
    const std::vector<uint8_t> background = readPixels();
    glBegin(GL_TRIANGLES);
    for (Lib3dsDword f = 0; f < mesh->faces; ++f) {
      for (Lib3dsWord corner : mesh->faceL[f].points) glVertex3fv(mesh->pointL[corner].pos);
    }
    glEnd();
    const std::vector<uint8_t> expected = readPixels();
    ASSERT_NE(expected, background);

    ModelObject object(path.c_str());
    ASSERT_NE(object.file, nullptr);
    object.prepareArrays();
    loadViewOf(*mesh);
    object.draw();
    EXPECT_EQ(readPixels(), expected);
  }
}

TEST_F(DamagedModelTest, EveryDamageLeavesAnObjectThatDrawsNothing) {
  for (const char* name : kSoundModels) {
    const Bytes sound = soundModel(name);
    const FileHandle soundFile(loadChecked3dsBytes(sound.data(), sound.size()), lib3ds_file_free);
    Lib3dsMesh* soundMesh = meshOfFirstNode(soundFile.get());
    ASSERT_NE(soundMesh, nullptr) << name;
    for (const std::string& damage : modelDamageNames()) {
      SCOPED_TRACE(name + (": " + damage));
      Bytes model = sound;
      damageModel(damage, model);
      const std::string path = writeTemporaryFile("damaged.3ds", model);

      ModelObject object(path.c_str());
      EXPECT_EQ(object.file, nullptr);
      object.prepareArrays();
      // Turned, so that positioning it would change forward and up.
      object.rotationX = 90.0f;
      object.applyRotations();
      loadViewOf(*soundMesh);
      const std::vector<uint8_t> background = readPixels();
      const std::vector<float> view = glMatrix(GL_MODELVIEW_MATRIX);
      object.draw();
      EXPECT_EQ(readPixels(), background);
      EXPECT_EQ(glMatrix(GL_MODELVIEW_MATRIX), view);
      EXPECT_EQ(object.forward.z, -1.0);
      EXPECT_EQ(object.up.y, 1.0);
      EXPECT_EQ(object.rotationX, 90.0f);
    }
  }
}

}  // namespace
