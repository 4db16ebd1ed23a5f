#include "tests/support/model_damage.h"

#include <lib3ds/chunk.h>

namespace {

constexpr size_t kHeader = ChunkWriter::kHeaderBytes;

// The keyframer section ends the file, so its length reaches one byte past
// the file chunk that holds it.
void chunkLongerThanItsParent(ChunkWriter& model) {
  const size_t keyframer = model.offsetOf(LIB3DS_KFDATA);
  model.setDword(keyframer + 2, static_cast<uint32_t>(model.endOf(0) - keyframer + 1));
}

// The first corner of the first face names the point just past the list.
void faceIndexEqualToPointCount(ChunkWriter& model) {
  const uint16_t points = model.wordAt(model.offsetOf(LIB3DS_POINT_ARRAY) + kHeader);
  model.setWord(model.offsetOf(LIB3DS_FACE_ARRAY) + kHeader + 2, points);
}

void materialGroupPastTheFaces(ChunkWriter& model) {
  const uint16_t faces = model.wordAt(model.offsetOf(LIB3DS_FACE_ARRAY) + kHeader);
  ChunkWriter group;
  group.begin(LIB3DS_MSH_MAT_GROUP).string("panels").word(1).word(faces).end();
  model.append(LIB3DS_FACE_ARRAY, group);
}

// One smoothing group fewer than there are faces.
void smoothingGroupsShortOfTheFaces(ChunkWriter& model) {
  const uint16_t faces = model.wordAt(model.offsetOf(LIB3DS_FACE_ARRAY) + kHeader);
  ChunkWriter groups;
  groups.begin(LIB3DS_SMOOTH_GROUP);
  for (uint16_t face = 1; face < faces; ++face) groups.dword(1);
  groups.end();
  model.append(LIB3DS_FACE_ARRAY, groups);
}

void pointCountLargerThanItsChunk(ChunkWriter& model) {
  const size_t count = model.offsetOf(LIB3DS_POINT_ARRAY) + kHeader;
  model.setWord(count, static_cast<uint16_t>(model.wordAt(count) + 1));
}

// The position track's key count follows its flags and two reserved words.
void absurdKeyCount(ChunkWriter& model) {
  model.setDword(model.offsetOf(LIB3DS_POS_TRACK_TAG) + kHeader + 10, 0x7FFFFFFF);
}

// The node header ends with the parent's id.
void nodeItsOwnParent(ChunkWriter& model) {
  const uint16_t id = model.wordAt(model.offsetOf(LIB3DS_NODE_ID) + kHeader);
  model.setWord(model.endOf(model.offsetOf(LIB3DS_NODE_HDR)) - 2, id);
}

void cutOffHalfWay(ChunkWriter& model) { model.bytes.resize(model.bytes.size() / 2); }

void empty(ChunkWriter& model) { model.bytes.clear(); }

void zeros(ChunkWriter& model) { model.bytes.assign(model.bytes.size(), 0); }

}  // namespace

const std::vector<ModelDamage>& modelDamages() {
  static const std::vector<ModelDamage> damages = {
      {"a chunk longer than its parent", chunkLongerThanItsParent},
      {"a face index equal to the point count", faceIndexEqualToPointCount},
      {"a material group naming a face past the list", materialGroupPastTheFaces},
      {"smoothing groups fewer than the faces", smoothingGroupsShortOfTheFaces},
      {"a point count larger than its chunk", pointCountLargerThanItsChunk},
      {"an absurd key count", absurdKeyCount},
      {"a node naming itself as its parent", nodeItsOwnParent},
      {"a file cut off half-way", cutOffHalfWay},
      {"an empty file", empty},
      {"a file of zeros", zeros},
  };
  return damages;
}
