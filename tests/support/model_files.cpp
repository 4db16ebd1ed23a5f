#include "tests/support/model_files.h"

#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>

#include "tests/support/bmp_files.h"

TestModel squareModel() {
  TestModel model;
  model.points = {{{-0.5f, -0.5f, 0}}, {{0.5f, -0.5f, 0}}, {{0.5f, 0.5f, 0}}, {{-0.5f, 0.5f, 0}}};
  model.texels = {{{0, 0}}, {{1, 0}}, {{1, 1}}, {{0, 1}}};
  model.faces = {{{0, 1, 2}}, {{0, 2, 3}}};
  return model;
}

std::string writeTestModel(const std::string& name, const TestModel& model) {
  const std::string path = temporaryPath(name);
  Lib3dsFile* file = lib3ds_file_new();
  Lib3dsMesh* mesh = lib3ds_mesh_new(model.meshName.c_str());
  lib3ds_file_insert_mesh(file, mesh);
  lib3ds_mesh_new_point_list(mesh, Lib3dsDword(model.points.size()));
  for (size_t k = 0; k < model.points.size(); ++k) {
    std::memcpy(mesh->pointL[k].pos, model.points[k].data(), sizeof(float) * 3);
  }
  if (!model.texels.empty()) {
    lib3ds_mesh_new_texel_list(mesh, Lib3dsDword(model.texels.size()));
    for (size_t k = 0; k < model.texels.size(); ++k) {
      std::memcpy(mesh->texelL[k], model.texels[k].data(), sizeof(float) * 2);
    }
  }
  lib3ds_mesh_new_face_list(mesh, Lib3dsDword(model.faces.size()));
  for (size_t k = 0; k < model.faces.size(); ++k) {
    for (int corner = 0; corner < 3; ++corner) mesh->faceL[k].points[corner] = model.faces[k][corner];
  }
  if (!model.nodeName.empty()) {
    Lib3dsNode* node = lib3ds_node_new_object();
    std::strncpy(node->name, model.nodeName.c_str(), sizeof node->name - 1);
    node->parent_id = LIB3DS_NO_PARENT;
    lib3ds_file_insert_node(file, node);
  }
  lib3ds_file_save(file, path.c_str());
  lib3ds_file_free(file);
  return path;
}
