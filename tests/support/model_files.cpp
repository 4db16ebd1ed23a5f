#include "tests/support/model_files.h"

#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>

#include "tests/support/bmp_files.h"

std::string writeTestModel(const std::string& name, const TestModel& model) {
  Lib3dsFile* file = lib3ds_file_new();
  Lib3dsMesh* mesh = lib3ds_mesh_new(model.meshName.c_str());
  lib3ds_file_insert_mesh(file, mesh);
  lib3ds_mesh_new_point_list(mesh, Lib3dsDword(model.points.size()));
  for (size_t k = 0; k < model.points.size(); ++k) std::memcpy(mesh->pointL[k].pos, model.points[k].data(), 12);
  if (!model.texels.empty()) lib3ds_mesh_new_texel_list(mesh, Lib3dsDword(model.texels.size()));
  for (size_t k = 0; k < model.texels.size(); ++k) std::memcpy(mesh->texelL[k], model.texels[k].data(), 8);
  lib3ds_mesh_new_face_list(mesh, Lib3dsDword(model.faces.size()));
  for (size_t k = 0; k < model.faces.size(); ++k) std::memcpy(mesh->faceL[k].points, model.faces[k].data(), 6);
  // lib3ds writes the nodes in the order of its list, here linked by hand.
  Lib3dsNode** tail = &file->nodes;
  for (const TestModel::Node& node : model.nodes) {
    *tail = lib3ds_node_new_object();
    std::strncpy((*tail)->name, node.name.c_str(), sizeof (*tail)->name - 1);
    (*tail)->node_id = node.id;
    (*tail)->parent_id = node.parent;
    tail = &(*tail)->next;
  }
  const std::string path = temporaryPath(name);
  lib3ds_file_save(file, path.c_str());
  lib3ds_file_free(file);
  return path;
}
