// The kinds of damage that crash or hang lib3ds, each made in place from a
// sound model: one that SampleModel writes, or one written elsewhere (a
// generated model) and read with ChunkWriter::parse. A damaged model must
// load as nothing, and the program must carry on without it.
#pragma once

#include <vector>

#include "tests/support/chunk_writer.h"

struct ModelDamage {
  const char* name;
  // Damages a sound model with a mesh of faces and a keyframer object node.
  void (*apply)(ChunkWriter& model);
};

const std::vector<ModelDamage>& modelDamages();
