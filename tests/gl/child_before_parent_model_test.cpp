// A model file whose child node comes before its parent loads as lib3ds links
// it, and the model draws the mesh of the first node of that hierarchy.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>

#include "scene/model_object.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_context.h"

namespace {

Lib3dsNode* objectNode(const char* name, Lib3dsWord id, Lib3dsWord parent) {
  Lib3dsNode* node = lib3ds_node_new_object();
  std::strncpy(node->name, name, sizeof node->name - 1);
  node->node_id = id;
  node->parent_id = parent;
  return node;
}

// The mesh "car", a square filling the middle quarter of the screen, under
// the node "car" (id 1), written after its child "wheel" (id 0, parent 1):
// lib3ds writes the nodes in the order of its list, here linked by hand.
std::string writeWheelBeforeCar() {
  Lib3dsFile* file = lib3ds_file_new();
  Lib3dsMesh* mesh = lib3ds_mesh_new("car");
  const float corners[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
  lib3ds_mesh_new_point_list(mesh, 4);
  lib3ds_mesh_new_texel_list(mesh, 4);
  for (int k = 0; k < 4; ++k) std::memcpy(mesh->pointL[k].pos, corners[k], sizeof corners[k]);
  lib3ds_mesh_new_face_list(mesh, 2);
  const Lib3dsWord faces[2][3] = {{0, 1, 2}, {0, 2, 3}};
  for (int f = 0; f < 2; ++f) std::memcpy(mesh->faceL[f].points, faces[f], sizeof faces[f]);
  lib3ds_file_insert_mesh(file, mesh);
  file->nodes = objectNode("wheel", 0, 1);
  file->nodes->next = objectNode("car", 1, LIB3DS_NO_PARENT);
  const std::string path = temporaryPath("wheel_before_car.3ds");
  lib3ds_file_save(file, path.c_str());
  lib3ds_file_free(file);
  return path;
}

TEST_F(GlContextTest, AChildNodeBeforeItsParentIsLinkedUnderItAndTheParentsMeshDrawn) {
  ModelObject car(writeWheelBeforeCar().c_str());
  ASSERT_NE(car.file, nullptr);
  ASSERT_STREQ(car.file->nodes->name, "car");
  ASSERT_NE(car.file->nodes->childs, nullptr);
  EXPECT_STREQ(car.file->nodes->childs->name, "wheel");

  car.prepareArrays();
  glClear(GL_COLOR_BUFFER_BIT);
  car.draw();
  size_t lit = 0;
  for (uint8_t channel : readPixels()) lit += channel == 255;
  EXPECT_EQ(lit, 3u * 400 * 300);
}

}  // namespace
