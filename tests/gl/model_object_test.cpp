// ModelObject and SphereObject drawn on a real context from 3DS files written
// here or damaged from the generated ones; and the generated data files.
#include "scene/model_object.h"

#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <tuple>

#include "platform/testing/testing.h"
#include "render/graphics.h"
#include "scene/sphere_object.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"
#include "tests/support/model_damage.h"

namespace {

const std::string kData = std::string(ORBITRAND_DATA_DIR) + "/";

// A 3DS file of one mesh, by default a unit square in the z = 0 plane facing
// +z with texels at its corners, and its nodes, written through lib3ds.
struct TestModel {
  using Node = std::tuple<const char*, Lib3dsWord, Lib3dsWord>;  // name, id, parent
  std::vector<std::array<float, 3>> points = {
      {-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
  std::vector<std::array<float, 2>> texels = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  std::vector<std::array<Lib3dsWord, 3>> faces = {{0, 1, 2}, {0, 2, 3}};
  const char* meshName = "hull";
  std::vector<Node> nodes = {{"hull", 0, LIB3DS_NO_PARENT}};  // written in this order

  std::string write(const std::string& name) const {
    Lib3dsFile* file = lib3ds_file_new();
    Lib3dsMesh* mesh = lib3ds_mesh_new(meshName);
    lib3ds_file_insert_mesh(file, mesh);
    lib3ds_mesh_new_point_list(mesh, Lib3dsDword(points.size()));
    if (!texels.empty()) lib3ds_mesh_new_texel_list(mesh, Lib3dsDword(texels.size()));
    for (size_t k = 0; k < points.size(); ++k) std::memcpy(mesh->pointL[k].pos, &points[k], 12);
    for (size_t k = 0; k < texels.size(); ++k) std::memcpy(mesh->texelL[k], &texels[k], 8);
    lib3ds_mesh_new_face_list(mesh, Lib3dsDword(faces.size()));
    for (size_t k = 0; k < faces.size(); ++k) std::memcpy(mesh->faceL[k].points, &faces[k], 6);
    // lib3ds writes the nodes in the order of its list, here linked by hand.
    Lib3dsNode** tail = &file->nodes;
    for (const auto& [nodeName, id, parent] : nodes) {
      Lib3dsNode* written = *tail = lib3ds_node_new_object();
      std::strncpy(written->name, nodeName, sizeof written->name - 1);
      written->node_id = id;
      written->parent_id = parent;
      tail = &written->next;
    }
    const std::string path = temporaryPath(name);
    lib3ds_file_save(file, path.c_str());
    lib3ds_file_free(file);
    return path;
  }
};

class ModelObjectTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    buffers_ = g_vbo;  // Mesa lists buffer objects
    g_vbo.supported = false;
  }

  // One frame with the object 3 units in front of the eye.
  static std::vector<uint8_t> drawFrame(SceneObject& object) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    object.draw();
    return readPixels();
  }

  // The square tilted towards the eye by its local transform, with a 4 x 4
  // texture of sixteen colours.
  std::unique_ptr<ModelObject> texturedSquare() {
    Matrix4 tilt;
    glLoadIdentity();
    glRotatef(-35.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(20.0f, 0.0f, 1.0f, 0.0f);
    glScalef(1.5f, 1.5f, 1.5f);
    glGetFloatv(GL_MODELVIEW_MATRIX, tilt.data());
    auto object = std::make_unique<ModelObject>(square_.c_str(), &tilt);
    std::vector<uint8_t> pixels;
    for (int k = 0; k < 16; ++k)
      pixels.insert(pixels.end(), {uint8_t(k * 16), uint8_t(255 - k * 12), uint8_t(k * 40)});
    object->loadTexture(writeTemporaryFile("colours.bmp", infoBitmap({4, 4}, {}, pixels)).c_str());
    return object;
  }

  VboSupport buffers_{};
  std::string square_ = TestModel().write("square.3ds");
};

TEST_F(ModelObjectTest, EveryWayOfDrawingGivesTheSamePicture) {
  auto immediate = texturedSquare();
  const auto reference = drawFrame(*immediate);
  EXPECT_LT(ink(reference, kBlack), kWidth * kHeight - 20000) << "lit";

  auto clientArrays = texturedSquare();
  clientArrays->prepareArrays();
  EXPECT_EQ(clientArrays->vertexBuffer, 0u) << "without the extension, in client memory";
  EXPECT_EQ(drawFrame(*clientArrays), reference);

  auto displayList = texturedSquare();
  displayList->compileDisplayList();
  EXPECT_EQ(drawFrame(*displayList), reference);
  // Destroyed through the base, it releases its display list; the sanitized
  // run sees the file and the indices freed too.
  const GLuint list = GLuint(displayList->displayList);
  std::unique_ptr<SceneObject>(std::move(displayList)).reset();
  EXPECT_FALSE(glIsList(list));

  g_vbo = buffers_;
  auto buffers = texturedSquare();
  buffers->prepareArrays();
  ASSERT_NE(buffers->vertexBuffer, 0u);
  EXPECT_EQ(drawFrame(*buffers), reference);
}

// A sphere textured red in its top half and blue in its bottom half.
TEST_F(ModelObjectTest, TheSpheresUpAxisRunsThroughThePolesAlikeInADisplayList) {
  std::vector<uint8_t> halves;
  for (int k = 0; k < 16; ++k)
    halves.insert(halves.end(), {uint8_t(k < 8 ? 255 : 0), 0, uint8_t(k < 8 ? 0 : 255)});
  const std::string texture = writeTemporaryFile("halves.bmp", infoBitmap({4, 4}, {}, halves));
  SphereObject direct(1.0f, 32, 16), listed(1.0f, 32, 16);
  for (SphereObject* sphere : {&direct, &listed}) sphere->loadTexture(texture.c_str());
  listed.compileDisplayList();
  EXPECT_EQ(drawFrame(listed), drawFrame(direct));
  // Whether red or blue rules 80 pixels right of, left of, above and below the centre.
  const auto poles = [](SceneObject& sphere) {
    const std::vector<uint8_t> frame = drawFrame(sphere);
    std::string colours;
    for (const auto& [dx, dy] : {std::pair{80, 0}, {-80, 0}, {0, 80}, {0, -80}}) {
      const uint8_t* pixel = &frame[(size_t(kHeight / 2 + dy) * kWidth + kWidth / 2 + dx) * 3];
      colours += pixel[0] > pixel[2] + 100 ? 'r' : pixel[2] > pixel[0] + 100 ? 'b' : '-';
    }
    return colours;
  };
  EXPECT_EQ(poles(direct), "--rb");
  direct.rotationZ = 90.0f;  // a quarter turn puts the poles left and right
  direct.applyRotations();
  EXPECT_EQ(poles(direct), "br--");
}

// lib3ds links a child node written before its parent under it, and the model
// draws the mesh of the first node of that hierarchy.
TEST_F(ModelObjectTest, AChildNodeBeforeItsParentIsLinkedUnderItAndTheParentsMeshDrawn) {
  TestModel carWithWheel;
  carWithWheel.meshName = "car";
  carWithWheel.nodes = {{"wheel", 0, 1}, {"car", 1, LIB3DS_NO_PARENT}};
  ModelObject car(carWithWheel.write("wheel_before_car.3ds").c_str());
  ASSERT_NE(car.file, nullptr);
  ASSERT_STREQ(car.file->nodes->name, "car");
  ASSERT_NE(car.file->nodes->childs, nullptr);
  EXPECT_STREQ(car.file->nodes->childs->name, "wheel");
  car.prepareArrays();
  EXPECT_LT(ink(drawFrame(car), kBlack), kWidth * kHeight - 20000) << "lit";
}

TEST_F(ModelObjectTest, FilesWithoutADrawableMeshDrawNothing) {
  TestModel noNode, otherName, fewTexels, noTexels, farCorner;
  noNode.nodes.clear();
  std::get<0>(otherName.nodes[0]) = "elsewhere";
  fewTexels.texels.pop_back();
  noTexels.texels.clear();
  farCorner.faces[1][2] = 4;  // one past the last point
  std::vector<std::string> paths = {temporaryPath("missing.3ds")};
  for (const TestModel* model : {&noNode, &otherName, &fewTexels, &noTexels, &farCorner})
    paths.push_back(model->write(std::to_string(paths.size()) + ".3ds"));
  for (const char* generated : {"kesh.3ds", "ship.3ds", "earth.3ds", "moon.3ds"}) {
    std::ifstream in(kData + generated, std::ios::binary);
    const std::vector<uint8_t> sound(std::istreambuf_iterator<char>(in), {});
    for (const std::string& damage : modelDamageNames()) {
      std::vector<uint8_t> bytes = sound;
      damageModel(damage, bytes);
      paths.push_back(writeTemporaryFile(generated + (", " + damage), bytes));
    }
  }
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    ModelObject object(path.c_str());
    EXPECT_EQ(object.file, nullptr);
    object.prepareArrays();
    object.compileDisplayList();
    EXPECT_EQ(object.displayList, -1);
    // beginDraw never runs: forward keeps its old value and the increments stay.
    object.rotationY = 90.0f;
    object.applyRotations();
    EXPECT_EQ(ink(drawFrame(object), kBlack), kWidth * kHeight) << "all black";
    EXPECT_EQ(object.forward.z, -1.0);
    EXPECT_EQ(object.rotationY, 90.0f);
  }
}

// The generated data files, through the program's own loaders; the whole world
// (the player's ship, the grid's 49, the Earth, the Moon) small enough for software drawing.
TEST(DataFiles, EveryPictureHasPowerOfTwoSidesEveryModelIsDrawableAndTheWorldStaysSmall) {
  for (const char* name : {"tex_kesh.bmp", "ship_tex.bmp", "earth.bmp", "moon.bmp", "stars2.bmp"}) {
    const Image image = loadImage(kData + name);
    ASSERT_NE(image, nullptr) << name << ": the build generates the data files into " << kData;
    for (const int32_t side : {image->width, image->height})
      EXPECT_EQ(side & (side - 1), 0) << name << ": " << side;
  }
  EXPECT_TRUE(platform::testing::capturedMessageBoxes().empty());
  Lib3dsDword world = 0;
  for (const auto& [name, copies] :
       {std::pair{"kesh.3ds", 1}, {"ship.3ds", 49}, {"earth.3ds", 1}, {"moon.3ds", 1}}) {
    ModelObject model((kData + name).c_str());
    ASSERT_NE(model.file, nullptr) << name << " has no drawable mesh";
    world += copies * lib3ds_file_mesh_by_name(model.file, model.file->nodes->name)->faces;
  }
  EXPECT_LT(world, 60000u);
}

}  // namespace
