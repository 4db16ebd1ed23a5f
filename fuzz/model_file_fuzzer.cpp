// Feeds arbitrary bytes to the model file check and, where they pass, loads
// the same bytes through lib3ds. A crash, a hang or a sanitizer report is a
// finding, and so is a file the check passes but lib3ds cannot load (it read
// past the bytes or gave up half-way) or loads into faces that point outside
// their mesh or nodes linked under the wrong parent.
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "scene/model_file_check.h"

namespace {

void expectFacesInsideTheirMesh(const Lib3dsMesh* meshes) {
  for (const Lib3dsMesh* mesh = meshes; mesh; mesh = mesh->next) {
    for (Lib3dsDword face = 0; face < mesh->faces; ++face) {
      for (Lib3dsWord point : mesh->faceL[face].points) {
        if (point >= mesh->points) std::abort();
      }
    }
  }
}

void expectLinkedUnder(const Lib3dsNode* parent, const Lib3dsNode* children) {
  for (const Lib3dsNode* node = children; node; node = node->next) {
    if (node->parent != parent) std::abort();
    if (parent && node->parent_id != parent->node_id) std::abort();
    expectLinkedUnder(node, node->childs);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const bool safe = isSafe3dsFile(data, size);
  Lib3dsFile* file = loadChecked3dsBytes(data, size);
  if (safe != (file != nullptr)) std::abort();
  if (file) {
    expectFacesInsideTheirMesh(file->meshes);
    expectLinkedUnder(nullptr, file->nodes);
    lib3ds_file_free(file);
  }
  return 0;
}
