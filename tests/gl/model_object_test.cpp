// ModelObject on a real context with 3DS files written by the tests: the
// index array, the buffer objects, the three ways of drawing, and files that
// cannot be drawn, among them every damage done to every generated model.
#include "scene/model_object.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "render/graphics.h"
#include "tests/support/bmp_files.h"
#include "tests/support/buffer_objects.h"
#include "tests/support/gl_context.h"
#include "tests/support/model_damage.h"
#include "tests/support/model_files.h"

namespace {

class ModelObjectTest : public GlContextTest {
 protected:
  void SetUp() override {
    GlContextTest::SetUp();
    disableBufferObjects();
    // The program's render state: texturing, depth test and back faces culled.
    enableWorldDrawingState();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, double(kWidth) / kHeight, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
  }
  void TearDown() override {
    disableBufferObjects();
    GlContextTest::TearDown();
  }

  // One frame with the object 3 units in front of the eye.
  static std::vector<uint8_t> drawFrame(SceneObject& object) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    object.draw();
    return readPixels();
  }

  // A square tilted towards the eye by its local transform, with a 4 x 4
  // texture of sixteen colours.
  std::unique_ptr<ModelObject> texturedSquare() {
    Matrix4 tilt;
    glLoadIdentity();
    glRotatef(-35.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(20.0f, 0.0f, 1.0f, 0.0f);
    glScalef(1.5f, 1.5f, 1.5f);
    glGetFloatv(GL_MODELVIEW_MATRIX, tilt.data());
    auto object = std::make_unique<ModelObject>(modelPath_.c_str(), &tilt);
    std::vector<uint8_t> pixels;
    for (int k = 0; k < 16; ++k) pixels.insert(pixels.end(), {uint8_t(k * 16), uint8_t(255 - k * 12), uint8_t(k * 40)});
    object->loadTexture(writeTemporaryFile("colours.bmp", infoBitmap({4, 4}, {}, pixels)).c_str());
    return object;
  }

  static size_t litPixels(const std::vector<uint8_t>& frame) {
    size_t count = 0;
    for (size_t k = 0; k < frame.size(); k += 3) count += (frame[k] | frame[k + 1] | frame[k + 2]) ? 1 : 0;
    return count;
  }

  std::string modelPath_ = writeTestModel("square.3ds", squareModel());
};

TEST_F(ModelObjectTest, IndicesFollowTheFacesCornerByCorner) {
  TestModel model;
  model.points = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}, {{1, 1, 0}}, {{2, 2, 0}}};
  model.texels = {{{0, 0}}, {{1, 0}}, {{0, 1}}, {{1, 1}}, {{0.5f, 0.5f}}};
  model.faces = {{{0, 1, 2}}, {{2, 1, 3}}, {{4, 3, 1}}};
  const std::string path = writeTestModel("five.3ds", model);
  ModelObject object(path.c_str());
  ASSERT_NE(object.file, nullptr);
  object.prepareArrays();
  EXPECT_TRUE(object.prepared);
  ASSERT_EQ(object.indexCount, 9);
  EXPECT_EQ(std::vector<uint32_t>(object.indices, object.indices + 9),
            (std::vector<uint32_t>{0, 1, 2, 2, 1, 3, 4, 3, 1}));
  // Without the extension the arrays stay in client memory.
  EXPECT_EQ(object.vertexBuffer, 0u);
  EXPECT_EQ(object.texcoordBuffer, 0u);

  if (!enableBufferObjects()) GTEST_SKIP() << "the driver has no GL_ARB_vertex_buffer_object";
  ModelObject buffered(path.c_str());
  buffered.prepareArrays();
  ASSERT_NE(buffered.vertexBuffer, 0u);
  ASSERT_NE(buffered.texcoordBuffer, 0u);
  GLint bound = 0;
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING_ARB, &bound);
  EXPECT_EQ(GLuint(bound), buffered.texcoordBuffer);  // left bound
  EXPECT_EQ(bufferSize(buffered.vertexBuffer), 5 * 12);
  EXPECT_EQ(bufferSize(buffered.texcoordBuffer), 5 * 8);
}

TEST_F(ModelObjectTest, EveryWayOfDrawingGivesTheSamePicture) {
  auto immediate = texturedSquare();
  const auto reference = drawFrame(*immediate);
  EXPECT_GT(litPixels(reference), 20000u);

  auto clientArrays = texturedSquare();
  clientArrays->prepareArrays();
  EXPECT_EQ(drawFrame(*clientArrays), reference);

  auto displayList = texturedSquare();
  displayList->compileDisplayList();
  ASSERT_NE(displayList->displayList, -1);
  EXPECT_EQ(drawFrame(*displayList), reference);
  // Destroyed through the base, it releases its display list; the sanitized
  // run sees the file and the indices freed too.
  const GLuint list = GLuint(displayList->displayList);
  std::unique_ptr<SceneObject> base = std::move(displayList);
  base.reset();
  EXPECT_FALSE(glIsList(list));

  if (!enableBufferObjects()) GTEST_SKIP() << "the driver has no GL_ARB_vertex_buffer_object";
  auto buffers = texturedSquare();
  buffers->prepareArrays();
  ASSERT_NE(buffers->vertexBuffer, 0u);
  EXPECT_EQ(drawFrame(*buffers), reference);
}

TEST_F(ModelObjectTest, FilesWithoutADrawableMeshDrawNothing) {
  TestModel noNode = squareModel(), otherName = squareModel(), fewTexels = squareModel(), noTexels = squareModel(),
            farCorner = squareModel();
  noNode.nodeName.clear();
  otherName.nodeName = "elsewhere";
  fewTexels.texels.pop_back();
  noTexels.texels.clear();
  farCorner.faces[1][2] = 4;  // one past the last point
  std::vector<std::string> paths = {temporaryPath("missing.3ds")};
  for (const TestModel* model : {&noNode, &otherName, &fewTexels, &noTexels, &farCorner}) {
    paths.push_back(writeTestModel(std::to_string(paths.size()) + ".3ds", *model));
  }
  for (const char* generated : {"kesh.3ds", "ship.3ds", "earth.3ds", "moon.3ds"}) {
    std::ifstream in(std::string(ORBITRAND_DATA_DIR) + "/" + generated, std::ios::binary);
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
    EXPECT_FALSE(object.prepared);
    EXPECT_EQ(object.indices, nullptr);
    EXPECT_EQ(object.displayList, -1);
    // beginDraw never runs: forward keeps its old value and the increments stay.
    object.rotationY = 90.0f;
    object.applyRotations();
    EXPECT_EQ(litPixels(drawFrame(object)), 0u);
    EXPECT_EQ(object.forward.z, -1.0);
    EXPECT_EQ(object.rotationY, 90.0f);
  }
}

}  // namespace
