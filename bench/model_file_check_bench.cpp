// How long the model file check takes, and how long lib3ds takes to load the
// costliest files the check still accepts: lists built by sorted insertion
// right up to the check's limit. Files are written by lib3ds itself.
#include <benchmark/benchmark.h>
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>
#include <lib3ds/tracks.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scene/model_file_check.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes saved(Lib3dsFile* file) {
  const std::string path = "/tmp/model_file_check_bench_" + std::to_string(getpid()) + ".3ds";
  lib3ds_file_save(file, path.c_str());
  lib3ds_file_free(file);
  std::ifstream in(path, std::ios::binary);
  Bytes bytes{std::istreambuf_iterator<char>(in), {}};
  std::remove(path.c_str());
  return bytes;
}

Lib3dsNode* objectNode(const char* name, Lib3dsWord id) {
  Lib3dsNode* node = lib3ds_node_new_object();
  std::strcpy(node->name, name);
  node->node_id = id;
  node->parent_id = LIB3DS_NO_PARENT;
  return node;
}

// The largest mesh a 3DS file holds: 65535 points, texels and faces.
Bytes largestMesh() {
  Lib3dsFile* file = lib3ds_file_new();
  Lib3dsMesh* mesh = lib3ds_mesh_new("hull");
  const Lib3dsDword count = 65535;
  lib3ds_mesh_new_point_list(mesh, count);
  lib3ds_mesh_new_texel_list(mesh, count);
  lib3ds_mesh_new_face_list(mesh, count);
  for (Lib3dsDword i = 0; i < count; ++i) {
    mesh->pointL[i].pos[0] = static_cast<float>(i);
    for (int corner = 0; corner < 3; ++corner) {
      mesh->faceL[i].points[corner] = static_cast<Lib3dsWord>((i + corner) % count);
    }
  }
  lib3ds_file_insert_mesh(file, mesh);
  lib3ds_file_insert_node(file, objectNode("hull", 0));
  return saved(file);
}

// One node whose position track holds keys in rising frame order, each of
// which lib3ds inserts at the end of the list.
Bytes trackOfKeys(int keys) {
  Lib3dsFile* file = lib3ds_file_new();
  Lib3dsNode* node = objectNode("hull", 0);
  for (int frame = 0; frame < keys; ++frame) {
    Lib3dsLin3Key* key = lib3ds_lin3_key_new();
    key->tcb.frame = frame;
    lib3ds_lin3_track_insert(&node->data.object.pos_track, key);
  }
  lib3ds_file_insert_node(file, node);
  return saved(file);
}

// Nodes of one name, each of which lib3ds inserts after all the others.
Bytes nodesOfOneName(int nodes) {
  Lib3dsFile* file = lib3ds_file_new();
  for (int id = 0; id < nodes; ++id) {
    lib3ds_file_insert_node(file, objectNode("hull", static_cast<Lib3dsWord>(id)));
  }
  return saved(file);
}

void checkLargestMesh(benchmark::State& state) {
  const Bytes bytes = largestMesh();
  for (auto _ : state) benchmark::DoNotOptimize(isSafe3dsFile(bytes.data(), bytes.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void load(benchmark::State& state, const Bytes& bytes) {
  if (!isSafe3dsFile(bytes.data(), bytes.size())) state.SkipWithError("the check rejects it");
  for (auto _ : state) lib3ds_file_free(loadChecked3dsBytes(bytes.data(), bytes.size()));
}

void loadLargestMesh(benchmark::State& state) { load(state, largestMesh()); }
void loadLongestTrack(benchmark::State& state) { load(state, trackOfKeys(8191)); }
void loadMostNodes(benchmark::State& state) { load(state, nodesOfOneName(8192)); }

BENCHMARK(checkLargestMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(loadLargestMesh)->Unit(benchmark::kMillisecond);
BENCHMARK(loadLongestTrack)->Unit(benchmark::kMillisecond);
BENCHMARK(loadMostNodes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
