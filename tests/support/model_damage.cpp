#include "tests/support/model_damage.h"

#include <lib3ds/chunk.h>

#include <stdexcept>

namespace {

constexpr size_t kHeader = 6;  // a chunk's id and length

// The chunks of a model file, found by looking inside those that hold
// materials, meshes, faces and keyframer nodes.
struct Chunks {
  struct Chunk {
    uint16_t id;
    size_t offset, end;
  };
  std::vector<uint8_t>& bytes;
  std::vector<Chunk> found;

  explicit Chunks(std::vector<uint8_t>& model) : bytes(model) { scan(0, bytes.size()); }

  uint32_t at(size_t offset, int size) const {
    uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k) value = value << 8 | bytes.at(offset + k);
    return value;
  }
  void set(size_t offset, int size, uint32_t value) {
    for (int k = 0; k < size; ++k) bytes.at(offset + k) = uint8_t(value >> 8 * k);
  }
  const Chunk& first(uint16_t id) const {
    for (const Chunk& chunk : found)
      if (chunk.id == id) return chunk;
    throw std::runtime_error("the model has no chunk " + std::to_string(id));
  }
  // Where the data of the first chunk with this id starts.
  size_t data(uint16_t id) const { return first(id).offset + kHeader; }
  uint32_t count(uint16_t id) const { return at(data(id), 2); }

  // Inserts bytes at a place inside the chunk, growing it and every chunk around it.
  void grow(const Chunk holder, size_t place, const std::vector<uint8_t>& inserted) {
    bytes.insert(bytes.begin() + long(place), inserted.begin(), inserted.end());
    for (const Chunk& chunk : found)
      if (chunk.offset <= holder.offset && chunk.end >= holder.end)
        set(chunk.offset + 2, 4, at(chunk.offset + 2, 4) + uint32_t(inserted.size()));
  }
  // Adds a chunk at the end of the first face list.
  void appendToFaces(uint16_t id, std::vector<uint8_t> data) {
    const size_t length = kHeader + data.size();
    data.insert(data.begin(),
                {uint8_t(id), uint8_t(id >> 8), uint8_t(length), uint8_t(length >> 8), 0, 0});
    grow(first(LIB3DS_FACE_ARRAY), first(LIB3DS_FACE_ARRAY).end, data);
  }

 private:
  void scan(size_t start, size_t end) {
    while (end - start >= kHeader) {
      const uint16_t id = uint16_t(at(start, 2));
      const uint32_t length = at(start + 2, 4);
      if (length < kHeader || length > end - start) return;
      found.push_back({id, start, start + length});
      size_t children = start + kHeader;
      if (id == LIB3DS_NAMED_OBJECT) {
        while (children < start + length && bytes[children++]) continue;
      } else if (id == LIB3DS_FACE_ARRAY) {
        children += 2 + 8 * size_t{at(children, 2)};
      } else if (id != LIB3DS_M3DMAGIC && id != LIB3DS_MAT_ENTRY && id != LIB3DS_N_TRI_OBJECT &&
                 id != LIB3DS_MDATA && id != LIB3DS_KFDATA && id != LIB3DS_OBJECT_NODE_TAG) {
        children = start + length;
      }
      if (children < start + length) scan(children, start + length);
      start += length;
    }
  }
};

// A track's key count follows its flags and two reserved words.
constexpr size_t kKeyCount = 10;

// The array's count, at this place in its chunk, one more than the chunk holds.
template <uint16_t id, size_t countAt, int size>
void overcount(Chunks& m) {
  m.set(m.data(id) + countAt, size, m.at(m.data(id) + countAt, size) + 1);
}

const std::pair<const char*, void (*)(Chunks&)> kDamages[] = {
    // The keyframer section ends the file: its length reaches one byte past it.
    {"a chunk longer than its parent",
     [](Chunks& m) {
       const size_t keyframer = m.first(LIB3DS_KFDATA).offset;
       m.set(keyframer + 2, 4, uint32_t(m.bytes.size() + 1 - keyframer));
     }},
    // lib3ds would read a chunk shorter than its own header forever.
    {"a chunk of length zero",
     [](Chunks& m) { m.set(m.first(LIB3DS_MESH_VERSION).offset + 2, 4, 0); }},
    {"a file that is no 3DS file", [](Chunks& m) { m.set(0, 2, LIB3DS_KFDATA); }},
    // 64 characters and the zero: one byte more than lib3ds's name buffer.
    {"a mesh name longer than lib3ds keeps",
     [](Chunks& m) {
       size_t length = 0;
       while (m.bytes.at(m.data(LIB3DS_NAMED_OBJECT) + length)) ++length;
       m.grow(m.first(LIB3DS_NAMED_OBJECT), m.data(LIB3DS_NAMED_OBJECT),
              std::vector<uint8_t>(64 - length, 'n'));
     }},
    // Scale keys are laid out as position keys are.
    {"a node with two position tracks",
     [](Chunks& m) { m.set(m.first(LIB3DS_SCL_TRACK_TAG).offset, 2, LIB3DS_POS_TRACK_TAG); }},
    {"a face index equal to the point count",
     [](Chunks& m) { m.set(m.data(LIB3DS_FACE_ARRAY) + 2, 2, m.count(LIB3DS_POINT_ARRAY)); }},
    {"a material group naming a face past the list",
     [](Chunks& m) {
       const uint32_t faces =
           m.count(LIB3DS_FACE_ARRAY);  // one group of one face, the one past the last
       m.appendToFaces(LIB3DS_MSH_MAT_GROUP, {'p', 0, 1, 0, uint8_t(faces), uint8_t(faces >> 8)});
     }},
    {"smoothing groups fewer than the faces",
     [](Chunks& m) {
       m.appendToFaces(LIB3DS_SMOOTH_GROUP,
                       std::vector<uint8_t>(4 * (m.count(LIB3DS_FACE_ARRAY) - 1), 1));
     }},
    {"an absurd key count",
     [](Chunks& m) { m.set(m.data(LIB3DS_POS_TRACK_TAG) + kKeyCount, 4, 0x7FFFFFFF); }},
    // The node header ends with the parent's id.
    {"a node naming itself as its parent",
     [](Chunks& m) { m.set(m.first(LIB3DS_NODE_HDR).end - 2, 2, m.count(LIB3DS_NODE_ID)); }},
    {"a file cut off half-way", [](Chunks& m) { m.bytes.resize(m.bytes.size() / 2); }},
    {"a point count larger than its chunk", overcount<LIB3DS_POINT_ARRAY, 0, 2>},
    {"a texel count larger than its chunk", overcount<LIB3DS_TEX_VERTS, 0, 2>},
    {"a face count larger than its chunk", overcount<LIB3DS_FACE_ARRAY, 0, 2>},
    {"a position key count larger than its chunk", overcount<LIB3DS_POS_TRACK_TAG, kKeyCount, 4>},
    {"a rotation key count larger than its chunk", overcount<LIB3DS_ROT_TRACK_TAG, kKeyCount, 4>},
    {"a scale key count larger than its chunk", overcount<LIB3DS_SCL_TRACK_TAG, kKeyCount, 4>},
};

}  // namespace

std::vector<std::string> modelDamageNames() {
  std::vector<std::string> names;
  for (const auto& damage : kDamages) names.push_back(damage.first);
  return names;
}

void damageModel(const std::string& name, std::vector<uint8_t>& model) {
  Chunks chunks(model);
  for (const auto& damage : kDamages)
    if (name == damage.first) return damage.second(chunks);
  throw std::out_of_range("no damage named " + name);
}
