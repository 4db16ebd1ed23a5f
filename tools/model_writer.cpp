#include "tools/model_writer.h"

#include <lib3ds/file.h>
#include <lib3ds/matrix.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>
#include <memory>

bool write3ds(const std::string& path, const std::string& name, const Mesh& mesh) {
  std::unique_ptr<Lib3dsFile, decltype(&lib3ds_file_free)> file(lib3ds_file_new(),
                                                                lib3ds_file_free);
  if (!file) return false;
  Lib3dsMesh* data = lib3ds_mesh_new(name.c_str());
  if (!data) return false;
  lib3ds_file_insert_mesh(file.get(), data);  // the file owns it from here
  lib3ds_matrix_identity(data->matrix);
  if (!lib3ds_mesh_new_point_list(data, Lib3dsDword(mesh.points.size())) ||
      !lib3ds_mesh_new_texel_list(data, Lib3dsDword(mesh.texels.size())) ||
      !lib3ds_mesh_new_face_list(data, Lib3dsDword(mesh.faces.size()))) {
    return false;
  }
  for (size_t k = 0; k < mesh.points.size(); ++k) {
    std::memcpy(data->pointL[k].pos, mesh.points[k].data(), sizeof(float) * 3);
    std::memcpy(data->texelL[k], mesh.texels[k].data(), sizeof(float) * 2);
  }
  for (size_t k = 0; k < mesh.faces.size(); ++k) {
    Lib3dsFace& face = data->faceL[k];
    for (int corner = 0; corner < 3; ++corner) face.points[corner] = mesh.faces[k][corner];
    face.flags = LIB3DS_FACE_FLAG_VIS_AB | LIB3DS_FACE_FLAG_VIS_BC | LIB3DS_FACE_FLAG_VIS_AC;
    face.smoothing = 1;
  }

  Lib3dsNode* node = lib3ds_node_new_object();
  if (!node) return false;
  std::strncpy(node->name, name.c_str(), sizeof node->name - 1);
  node->node_id = 0;
  node->parent_id = LIB3DS_NO_PARENT;
  lib3ds_file_insert_node(file.get(), node);
  return lib3ds_file_save(file.get(), path.c_str());
}
