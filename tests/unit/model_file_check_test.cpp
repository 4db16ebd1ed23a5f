// The model file check on files lib3ds's own writer made, sound and damaged; the GL tests load
// sound ones through it.
#include "scene/model_file_check.h"

#include <gtest/gtest.h>
#include <lib3ds/camera.h>
#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/support/bmp_files.h"
#include "tests/support/model_damage.h"

namespace {

using Bytes = std::vector<uint8_t>;
void expectRejected(const Bytes& bytes, const std::string& why) {
  EXPECT_FALSE(isSafe3dsFile(bytes.data(), bytes.size())) << why;
  EXPECT_EQ(loadChecked3dsFile(writeTemporaryFile("rejected.3ds", bytes).c_str()), nullptr);
}

// A textured mesh with a material, a camera, a spotlight, viewports and a
// keyframer hierarchy of two nodes, as lib3ds writes them.
Bytes writtenByLib3ds(Lib3dsWord turretId = 1, Lib3dsWord hullParent = LIB3DS_NO_PARENT) {
  Lib3dsFile* file = lib3ds_file_new();
  Lib3dsMaterial* material = lib3ds_material_new();
  std::strcpy(material->name, "panels");
  lib3ds_file_insert_material(file, material);
  Lib3dsMesh* mesh = lib3ds_mesh_new("hull");
  lib3ds_mesh_new_point_list(mesh, 3);
  lib3ds_mesh_new_texel_list(mesh, 3);
  lib3ds_mesh_new_face_list(mesh, 1);
  for (int i = 0; i < 3; ++i) {
    mesh->pointL[i].pos[i % 2] = mesh->texelL[i][i % 2] = float(i);
    mesh->faceL[0].points[i] = Lib3dsWord(i);
  }
  std::strcpy(mesh->faceL[0].material, "panels");
  lib3ds_file_insert_mesh(file, mesh);
  lib3ds_file_insert_camera(file, lib3ds_camera_new("chase"));
  Lib3dsLight* light = lib3ds_light_new("sun");
  light->spot_light = LIB3DS_TRUE;
  lib3ds_file_insert_light(file, light);
  lib3ds_viewport_set_views(&file->viewport, 4);
  auto addNode = [file](const char* name, Lib3dsWord id, Lib3dsWord parent) {
    Lib3dsNode* node = lib3ds_node_new_object();
    std::strcpy(node->name, name);
    node->node_id = id, node->parent_id = parent;
    lib3ds_lin3_track_insert(&node->data.object.pos_track, lib3ds_lin3_key_new());
    lib3ds_file_insert_node(file, node);
  };
  addNode("hull", 0, hullParent);
  addNode("turret", turretId, 0);
  const std::string path = temporaryPath("written.3ds");
  EXPECT_TRUE(lib3ds_file_save(file, path.c_str()));
  lib3ds_file_free(file);
  return Bytes(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

TEST(ModelFileCheck, AcceptsWhatLib3dsWritesRejectsEveryDamageAndGradientsLib3dsCannotHold) {
  const Bytes sound = writtenByLib3ds();
  ASSERT_TRUE(isSafe3dsFile(sound.data(), sound.size()));
  for (const std::string& name : modelDamageNames()) {
    Bytes model = sound;
    damageModel(name, model);
    expectRejected(model, name);
  }
  for (size_t size = 0; size < sound.size(); ++size)  // every cut
    EXPECT_FALSE(isSafe3dsFile(sound.data(), size)) << "cut after " << size << " bytes";
  expectRejected(writtenByLib3ds(0), "repeated node ids");
  expectRejected(writtenByLib3ds(1, 1), "hull and turret each the other's parent");
  // MDATA holding V_GRADIENT: a float, then colours of three floats each.
  for (uint8_t colours : {3, 4}) {
    const uint8_t chunk = uint8_t(6 + 4 + colours * 18);  // the V_GRADIENT chunk's length
    Bytes file = {0x3D, 0x3D, uint8_t(chunk + 6), 0, 0, 0, 0, 0x13, chunk, 0, 0, 0, 0, 0, 0, 0};
    for (int k = colours; k--;)
      file.insert(file.end(), {0x13, 0, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(isSafe3dsFile(file.data(), file.size()), colours == 3);
  }
}

}  // namespace
