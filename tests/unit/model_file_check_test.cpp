#include <gtest/gtest.h>
#include <lib3ds/camera.h>
#include <lib3ds/chunk.h>
#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>
#include <lib3ds/tracks.h>
#include <lib3ds/viewport.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "scene/model_file_check.h"
#include "tests/support/chunk_writer.h"
#include "tests/support/model_damage.h"

namespace {

using Bytes = std::vector<unsigned char>;
using FileHandle = std::unique_ptr<Lib3dsFile, decltype(&lib3ds_file_free)>;

constexpr size_t kHeader = ChunkWriter::kHeaderBytes;

// A file in the temporary folder, removed when the test ends.
class TempFile {
 public:
  explicit TempFile(const Bytes& bytes)
      : path_(testing::TempDir() + "model_check_" + std::to_string(getpid()) + ".3ds") {
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

FileHandle loadFromMemory(const Bytes& bytes) {
  return FileHandle(loadChecked3dsBytes(bytes.data(), bytes.size()), lib3ds_file_free);
}

void expectRejected(const Bytes& bytes) {
  EXPECT_FALSE(isSafe3dsFile(bytes.data(), bytes.size()));
  EXPECT_EQ(loadFromMemory(bytes), nullptr);
  const TempFile file(bytes);
  EXPECT_EQ(loadChecked3dsFile(file.path()), nullptr);
}

void expectSameArray(const void* a, const void* b, size_t bytes) {
  EXPECT_TRUE(bytes == 0 || std::memcmp(a, b, bytes) == 0);
}

void expectSameMeshes(const Lib3dsMesh* a, const Lib3dsMesh* b) {
  for (; a && b; a = a->next, b = b->next) {
    SCOPED_TRACE(a->name);
    EXPECT_STREQ(a->name, b->name);
    ASSERT_EQ(a->points, b->points);
    ASSERT_EQ(a->texels, b->texels);
    ASSERT_EQ(a->faces, b->faces);
    expectSameArray(a->pointL, b->pointL, a->points * sizeof(Lib3dsPoint));
    expectSameArray(a->texelL, b->texelL, a->texels * sizeof(Lib3dsTexel));
    expectSameArray(a->faceL, b->faceL, a->faces * sizeof(Lib3dsFace));
    expectSameArray(a->matrix, b->matrix, sizeof(Lib3dsMatrix));
  }
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
}

void expectSameNodes(const Lib3dsNode* a, const Lib3dsNode* b) {
  for (; a && b; a = a->next, b = b->next) {
    SCOPED_TRACE(a->name);
    EXPECT_STREQ(a->name, b->name);
    EXPECT_EQ(a->type, b->type);
    EXPECT_EQ(a->node_id, b->node_id);
    EXPECT_EQ(a->parent_id, b->parent_id);
    expectSameNodes(a->childs, b->childs);
  }
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
}

// Loads the bytes through the check from memory and through lib3ds_file_load
// from a file, and expects the same meshes, nodes and materials.
FileHandle expectLoadsAsLib3dsDoes(const Bytes& bytes) {
  EXPECT_TRUE(isSafe3dsFile(bytes.data(), bytes.size()));
  FileHandle checked = loadFromMemory(bytes);
  const TempFile file(bytes);
  const FileHandle direct(lib3ds_file_load(file.path()), lib3ds_file_free);
  const FileHandle fromFile(loadChecked3dsFile(file.path()), lib3ds_file_free);
  if (!checked || !direct || !fromFile) {
    ADD_FAILURE() << "a sound file did not load";
    return FileHandle(nullptr, lib3ds_file_free);
  }
  for (const Lib3dsFile* other : {direct.get(), fromFile.get()}) {
    expectSameMeshes(checked->meshes, other->meshes);
    expectSameNodes(checked->nodes, other->nodes);
    const bool bothHaveMaterials = checked->materials && other->materials;
    EXPECT_TRUE(bothHaveMaterials);
    if (bothHaveMaterials) EXPECT_STREQ(checked->materials->name, other->materials->name);
  }
  return checked;
}

TEST(ModelFileCheck, SampleModelPassesAndLoadsAsLib3dsDoes) {
  const FileHandle file = expectLoadsAsLib3dsDoes(SampleModel().write().bytes);
  ASSERT_NE(file, nullptr);
  ASSERT_NE(file->nodes, nullptr);
  const Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(file.get(), file->nodes->name);
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->points, 4u);
  EXPECT_EQ(mesh->texels, 4u);
  EXPECT_EQ(mesh->faces, 2u);
  EXPECT_EQ(mesh->faceL[1].points[2], 3);
  EXPECT_STREQ(mesh->faceL[1].material, "panels");
}

// What lib3ds's own writer makes of a textured mesh with a material, a
// camera, a spotlight, viewports and a keyframer hierarchy of two nodes.
Bytes writtenByLib3ds() {
  Lib3dsFile* file = lib3ds_file_new();
  Lib3dsMaterial* material = lib3ds_material_new();
  std::strcpy(material->name, "panels");
  std::strcpy(material->texture1_map.name, "ship_tex.bmp");
  lib3ds_file_insert_material(file, material);

  Lib3dsMesh* mesh = lib3ds_mesh_new("hull");
  lib3ds_mesh_new_point_list(mesh, 3);
  lib3ds_mesh_new_texel_list(mesh, 3);
  lib3ds_mesh_new_face_list(mesh, 1);
  for (int i = 0; i < 3; ++i) {
    mesh->pointL[i].pos[0] = static_cast<float>(i == 1);
    mesh->pointL[i].pos[1] = static_cast<float>(i == 2);
    mesh->texelL[i][0] = static_cast<float>(i == 1);
    mesh->texelL[i][1] = static_cast<float>(i == 2);
    mesh->faceL[0].points[i] = static_cast<Lib3dsWord>(i);
  }
  std::strcpy(mesh->faceL[0].material, "panels");
  lib3ds_file_insert_mesh(file, mesh);

  lib3ds_file_insert_camera(file, lib3ds_camera_new("chase"));
  Lib3dsLight* light = lib3ds_light_new("sun");
  light->spot_light = LIB3DS_TRUE;
  lib3ds_file_insert_light(file, light);
  lib3ds_viewport_set_views(&file->viewport, 4);

  Lib3dsNode* hull = lib3ds_node_new_object();
  std::strcpy(hull->name, "hull");
  hull->node_id = 0;
  hull->parent_id = LIB3DS_NO_PARENT;
  lib3ds_lin3_track_insert(&hull->data.object.pos_track, lib3ds_lin3_key_new());
  lib3ds_file_insert_node(file, hull);
  Lib3dsNode* turret = lib3ds_node_new_object();
  std::strcpy(turret->name, "turret");
  turret->node_id = 1;
  turret->parent_id = 0;
  lib3ds_file_insert_node(file, turret);

  const TempFile saved({});
  EXPECT_TRUE(lib3ds_file_save(file, saved.path()));
  lib3ds_file_free(file);
  std::ifstream in(saved.path(), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(ModelFileCheck, FileWrittenByLib3dsPassesAndLoadsAsLib3dsDoes) {
  const FileHandle file = expectLoadsAsLib3dsDoes(writtenByLib3ds());
  ASSERT_NE(file, nullptr);
  EXPECT_NE(lib3ds_file_mesh_by_name(file.get(), file->nodes->name), nullptr);
  ASSERT_NE(file->nodes->childs, nullptr);
  EXPECT_STREQ(file->nodes->childs->name, "turret");
}

TEST(ModelFileCheck, RejectsEveryKindOfDamageToSoundModels) {
  const Bytes sample = SampleModel().write().bytes;
  const Bytes byLib3ds = writtenByLib3ds();
  for (const ModelDamage& damage : modelDamages()) {
    for (const Bytes* sound : {&sample, &byLib3ds}) {
      SCOPED_TRACE(damage.name);
      ChunkWriter model = ChunkWriter::parse(*sound);
      damage.apply(model);
      expectRejected(model.bytes);
    }
  }
}

TEST(ModelFileCheck, RejectsEveryCutOffFile) {
  const Bytes sound = SampleModel().write().bytes;
  for (size_t size = 0; size < sound.size(); ++size) {
    EXPECT_FALSE(isSafe3dsFile(sound.data(), size)) << "cut after " << size << " bytes";
  }
}

TEST(ModelFileCheck, RejectsChunksThatDoNotFitTheirParent) {
  {
    SCOPED_TRACE("a chunk shorter than its header: lib3ds would read it forever");
    ChunkWriter file = SampleModel().write();
    file.setDword(file.offsetOf(LIB3DS_MESH_VERSION) + 2, 0);
    expectRejected(file.bytes);
    ChunkWriter fog;
    fog.begin(LIB3DS_MDATA).begin(LIB3DS_DISTANCE_CUE).real(0).real(0).real(1).real(1);
    fog.begin(LIB3DS_DCUE_BGND).end().end().end();
    EXPECT_TRUE(isSafe3dsFile(fog.bytes.data(), fog.bytes.size()));
    fog.setDword(fog.offsetOf(LIB3DS_DCUE_BGND) + 2, 0);
    expectRejected(fog.bytes);
  }
  for (uint16_t id : {uint16_t{0x1234}, uint16_t{LIB3DS_NULL_CHUNK}}) {
    SCOPED_TRACE("a chunk of id 0 ends lib3ds's reading of its parent: here before the points");
    ChunkWriter file;
    file.begin(LIB3DS_MDATA).begin(LIB3DS_NAMED_OBJECT).string("hull").begin(LIB3DS_N_TRI_OBJECT);
    file.begin(LIB3DS_FACE_ARRAY).word(1).word(0).word(1).word(2).word(0).end();
    file.begin(id).end();
    file.begin(LIB3DS_POINT_ARRAY).word(3);
    for (int i = 0; i < 9; ++i) file.real(0);
    file.end().end().end().end();
    EXPECT_EQ(isSafe3dsFile(file.bytes.data(), file.bytes.size()), id != LIB3DS_NULL_CHUNK);
  }
  {
    SCOPED_TRACE("a file that is no 3DS file");
    ChunkWriter file = SampleModel().write();
    file.setWord(0, LIB3DS_KFDATA);
    expectRejected(file.bytes);
  }
}

// Each counted array of the sample with its last byte removed: the count
// then claims more than the chunk holds.
TEST(ModelFileCheck, RejectsArraysShorterThanTheirCount) {
  const SampleModel model;
  const size_t points = model.points.size();
  const size_t faces = model.faces.size();
  const size_t trackHeader = 14;
  const struct {
    uint16_t id;
    size_t dataBytes;
  } arrays[] = {
      {LIB3DS_POINT_ARRAY, 2 + 12 * points},
      {LIB3DS_TEX_VERTS, 2 + 8 * points},
      {LIB3DS_FACE_ARRAY, 2 + 8 * faces},
      {LIB3DS_SMOOTH_GROUP, 4 * faces},
      {LIB3DS_MSH_MAT_GROUP, model.materialName.size() + 1 + 2 + 2 * faces},
      {LIB3DS_POS_TRACK_TAG, trackHeader + model.positionKeys * (4 + 2 + 12)},
      {LIB3DS_ROT_TRACK_TAG, trackHeader + 4 + 2 + 16},
  };
  for (const auto& array : arrays) {
    SCOPED_TRACE(array.id);
    ChunkWriter file = model.write();
    file.erase(file.offsetOf(array.id) + kHeader + array.dataBytes - 1);
    expectRejected(file.bytes);
  }
}

TEST(ModelFileCheck, RejectsNamesThatOverflowLib3dsBuffers) {
  SampleModel model;
  model.meshName = std::string(63, 'n');
  EXPECT_NE(loadFromMemory(model.write().bytes), nullptr);
  model.meshName = std::string(64, 'n');
  expectRejected(model.write().bytes);
}

TEST(ModelFileCheck, RejectsTracksThatTakeTooLongOrRepeat) {
  SampleModel model;
  model.positionKeys = 1000;
  EXPECT_NE(loadFromMemory(model.write().bytes), nullptr);
  SCOPED_TRACE("keys that fit but would take seconds to insert into a sorted list");
  model.positionKeys = 20000;
  expectRejected(model.write().bytes);

  SCOPED_TRACE("a second track of one kind in a node");
  ChunkWriter twice = SampleModel().write();
  // Scale keys are laid out as position keys are.
  twice.setWord(twice.offsetOf(LIB3DS_SCL_TRACK_TAG), LIB3DS_POS_TRACK_TAG);
  expectRejected(twice.bytes);
}

// The sample model with a second node, "turret", after its node "hull" of id 0.
ChunkWriter withTurret(uint16_t id, uint16_t parent) {
  ChunkWriter file = SampleModel().write();
  ChunkWriter turret;
  turret.begin(LIB3DS_OBJECT_NODE_TAG).begin(LIB3DS_NODE_ID).word(id).end();
  turret.begin(LIB3DS_NODE_HDR).string("turret").word(0).word(0).word(parent).end().end();
  file.append(LIB3DS_KFDATA, turret);
  return file;
}

TEST(ModelFileCheck, RejectsNodeHierarchiesLib3dsCannotLink) {
  const FileHandle linked = loadFromMemory(withTurret(1, 0).bytes);
  ASSERT_NE(linked, nullptr);
  ASSERT_NE(linked->nodes->childs, nullptr);
  EXPECT_STREQ(linked->nodes->childs->name, "turret");

  SCOPED_TRACE("two nodes of id 0");
  expectRejected(withTurret(0, LIB3DS_NO_PARENT).bytes);

  SCOPED_TRACE("hull and turret each naming the other as parent");
  ChunkWriter cycle = withTurret(1, 0);
  cycle.setWord(cycle.endOf(cycle.offsetOf(LIB3DS_NODE_HDR)) - 2, 1);
  expectRejected(cycle.bytes);

  SCOPED_TRACE("a node without header: lib3ds gives it id 0 and parent 0");
  ChunkWriter bare;
  bare.begin(LIB3DS_M3DMAGIC).begin(LIB3DS_KFDATA).begin(LIB3DS_OBJECT_NODE_TAG).end().end().end();
  expectRejected(bare.bytes);
}

TEST(ModelFileCheck, RejectsGradientsOfMoreColoursThanLib3dsKeeps) {
  for (int colours : {3, 4}) {
    ChunkWriter file;
    file.begin(LIB3DS_MDATA).begin(LIB3DS_V_GRADIENT).real(0.5f);
    for (int i = 0; i < colours; ++i) file.begin(LIB3DS_LIN_COLOR_F).real(0).real(0).real(0).end();
    file.end().end();
    EXPECT_EQ(isSafe3dsFile(file.bytes.data(), file.bytes.size()), colours == 3);
  }
}

TEST(ModelFileCheck, MissingFileLoadsNothing) {
  EXPECT_EQ(loadChecked3dsFile("no_such_model.3ds"), nullptr);
}

}  // namespace
