#include "scene/model_file_check.h"

#include <lib3ds/chunk.h>
#include <lib3ds/io.h>
#include <lib3ds/node.h>
#include <lib3ds/tcb.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// Far larger than any model the program draws. It bounds what lib3ds
// allocates for a file: a face list takes about twelve times its bytes.
constexpr size_t kMaxFileBytes = size_t{64} << 20;

// lib3ds adds every mesh, material, camera, light, node, viewport view and
// track key to its list by walking the list from the start, so a list of n
// entries costs about n * n steps. This many steps in all take a fifth of a
// second at most (8192 nodes, the costliest; bench/model_file_check_bench);
// a sound model needs a tiny fraction of them.
constexpr uint64_t kMaxInsertionSteps = uint64_t{1} << 26;

// The buffers lib3ds reads strings into, terminating zero included.
constexpr size_t kNameBuffer = 64;
constexpr size_t kKeyframerNameBuffer = 13;
constexpr size_t kMorphTargetBuffer = 11;

// A chunk is a 16-bit id and a 32-bit length that counts these six bytes.
constexpr size_t kChunkHeaderBytes = 6;

// The bytes of one chunk, read front to back; every read is bounds-checked
// and fails, consuming nothing, where too few bytes remain.
class DataReader {
 public:
  DataReader(const unsigned char* bytes, size_t size) : next_(bytes), end_(bytes + size) {}

  size_t remaining() const { return static_cast<size_t>(end_ - next_); }

  bool skip(size_t count) {
    if (count > remaining()) return false;
    next_ += count;
    return true;
  }

  bool word(uint16_t& value) {
    if (remaining() < 2) return false;
    value = static_cast<uint16_t>(next_[0] | next_[1] << 8);
    next_ += 2;
    return true;
  }

  bool dword(uint32_t& value) {
    if (remaining() < 4) return false;
    value = uint32_t{next_[0]} | uint32_t{next_[1]} << 8 | uint32_t{next_[2]} << 16 |
            uint32_t{next_[3]} << 24;
    next_ += 4;
    return true;
  }

  // A zero-terminated string that fits, terminator included, in lib3ds's
  // buffer of bufferSize characters.
  bool string(size_t bufferSize) {
    const size_t searched = std::min(remaining(), bufferSize);
    if (searched == 0) return false;
    const void* zero = std::memchr(next_, 0, searched);
    if (!zero) return false;
    next_ = static_cast<const unsigned char*>(zero) + 1;
    return true;
  }

  // The next chunk's header and data, where the whole chunk lies inside what
  // remains.
  bool chunk(uint16_t& id, DataReader& data) {
    uint32_t length;
    DataReader header = *this;
    if (!header.word(id) || !header.dword(length)) return false;
    if (length < kChunkHeaderBytes || length > remaining()) return false;
    data = DataReader(header.next_, length - kChunkHeaderBytes);
    next_ += length;
    return true;
  }

 private:
  const unsigned char* next_;
  const unsigned char* end_;
};

struct NodeLink {
  uint16_t id;
  uint16_t parent;
};

// What the check has learnt so far, for the rules that look beyond one chunk.
struct CheckState {
  // Entries of the lists lib3ds keeps for the whole file.
  uint64_t meshes = 0;
  uint64_t materials = 0;
  uint64_t cameras = 0;
  uint64_t lights = 0;
  std::vector<NodeLink> nodes;
  // Insertion steps of the lists already complete: track keys and views.
  uint64_t insertionSteps = 0;

  // The mesh being read: its point count, and one more than the largest
  // point index of its faces. lib3ds keeps the last point and face arrays.
  uint32_t meshPoints = 0;
  uint32_t meshPointsUsed = 0;
  // The face count of the face array being read.
  uint32_t faces = 0;
  // Colours of the gradient being read: gamma-corrected, linear.
  uint32_t gradientColours[2] = {0, 0};
  // Views of the viewport layout being read.
  uint64_t views = 0;
  // The keyframer node being read and the id lib3ds gives the next one.
  NodeLink node = {0, 0};
  uint16_t nextNodeId = 0;
  // One bit per kind of track the node holds.
  uint16_t nodeTracks = 0;
};

// Checks what lib3ds reads from the start of a chunk's data (id, data), and
// records what later rules need.
using ReadData = bool (*)(uint16_t, DataReader&, CheckState&);
// Checks a chunk once lib3ds has read the chunks inside it.
using Finish = bool (*)(CheckState&);

struct ChunkRule;

// The chunks lib3ds reads inside a chunk. A leaf has none, and lib3ds does
// not look inside it; a parent's other children are skipped by lib3ds, but
// only after it has read their headers, so those must hold too.
struct ChildRules {
  const ChunkRule* first = nullptr;
  size_t count = 0;
  bool isParent = false;

  constexpr ChildRules() = default;
  constexpr ChildRules(const ChunkRule* first, size_t count, bool isParent)
      : first(first), count(count), isParent(isParent) {}
  template <size_t N>
  constexpr ChildRules(const ChunkRule (&rules)[N]) : ChildRules(rules, N, true) {}
};

// A parent none of whose children lib3ds reads.
constexpr ChildRules kSkippedChildren(nullptr, 0, true);

struct ChunkRule {
  uint16_t id;
  ReadData read;
  ChildRules children = {};
  Finish finish = nullptr;
};

// Data rules, one per way lib3ds reads a chunk's data.

template <size_t Bytes>
bool fixed(uint16_t, DataReader& data, CheckState&) {
  return data.skip(Bytes);
}

template <size_t BufferSize>
bool text(uint16_t, DataReader& data, CheckState&) {
  return data.string(BufferSize);
}

// A 16-bit count, then that many elements.
template <size_t ElementBytes>
bool countedArray(uint16_t, DataReader& data, CheckState&) {
  uint16_t count;
  return data.word(count) && data.skip(count * ElementBytes);
}

bool pointArray(uint16_t, DataReader& data, CheckState& state) {
  uint16_t count;
  if (!data.word(count)) return false;
  state.meshPoints = count;
  return data.skip(count * 12);
}

// Each face: three point indices and a flags word.
bool faceArray(uint16_t, DataReader& data, CheckState& state) {
  uint16_t count;
  if (!data.word(count)) return false;
  uint32_t pointsUsed = 0;
  for (uint16_t face = 0; face < count; ++face) {
    for (int corner = 0; corner < 3; ++corner) {
      uint16_t point;
      if (!data.word(point)) return false;
      pointsUsed = std::max(pointsUsed, point + 1u);
    }
    if (!data.skip(2)) return false;
  }
  state.faces = count;
  state.meshPointsUsed = pointsUsed;
  return true;
}

// One 32-bit group for every face of the face array.
bool smoothingGroups(uint16_t, DataReader& data, CheckState& state) {
  return data.skip(size_t{state.faces} * 4);
}

// A material name and the faces that take it.
bool materialGroup(uint16_t, DataReader& data, CheckState& state) {
  uint16_t count;
  if (!data.string(kNameBuffer) || !data.word(count)) return false;
  for (uint16_t i = 0; i < count; ++i) {
    uint16_t face;
    if (!data.word(face) || face >= state.faces) return false;
  }
  return true;
}

// Six names: front, back, left, right, top, bottom.
bool boxMap(uint16_t, DataReader& data, CheckState&) {
  for (int side = 0; side < 6; ++side) {
    if (!data.string(kNameBuffer)) return false;
  }
  return true;
}

bool beginMesh(uint16_t, DataReader&, CheckState& state) {
  ++state.meshes;
  state.meshPoints = 0;
  state.meshPointsUsed = 0;
  state.faces = 0;
  return true;
}

// lib3ds computes every face's normal from its points once the mesh is read.
bool endMesh(CheckState& state) { return state.meshPointsUsed <= state.meshPoints; }

bool beginMaterial(uint16_t, DataReader&, CheckState& state) {
  ++state.materials;
  return true;
}

// Position, target, roll and lens.
bool camera(uint16_t, DataReader& data, CheckState& state) {
  ++state.cameras;
  return data.skip(32);
}

// Position.
bool light(uint16_t, DataReader& data, CheckState& state) {
  ++state.lights;
  return data.skip(12);
}

// A gradient's percentage; lib3ds keeps its colours in arrays of three.
bool beginGradient(uint16_t, DataReader& data, CheckState& state) {
  state.gradientColours[0] = state.gradientColours[1] = 0;
  return data.skip(4);
}

bool gradientColour(uint16_t id, DataReader& data, CheckState& state) {
  uint32_t& colours = state.gradientColours[id == LIB3DS_LIN_COLOR_F ? 1 : 0];
  return ++colours <= 3 && data.skip(12);
}

// Style, active view, swap and their reserved words.
bool beginViewportLayout(uint16_t, DataReader& data, CheckState& state) {
  state.views = 0;
  return data.skip(14);
}

// lib3ds grows the view array by one, copying it, for every view.
bool view(uint16_t, DataReader& data, CheckState& state) {
  ++state.views;
  return data.skip(49);
}

bool endViewportLayout(CheckState& state) {
  state.insertionSteps += state.views * state.views;
  return true;
}

// Revision, scene name and frame count.
bool keyframerHeader(uint16_t, DataReader& data, CheckState&) {
  return data.skip(2) && data.string(kKeyframerNameBuffer) && data.skip(4);
}

// lib3ds numbers the nodes of each keyframer section from 0.
bool beginKeyframer(uint16_t, DataReader&, CheckState& state) {
  state.nextNodeId = 0;
  return true;
}

// A node without a header keeps the parent id 0 that lib3ds starts it with.
bool beginNode(uint16_t, DataReader&, CheckState& state) {
  state.node = {state.nextNodeId++, 0};
  state.nodeTracks = 0;
  return true;
}

bool nodeId(uint16_t, DataReader& data, CheckState& state) { return data.word(state.node.id); }

// Name, two flags words and the parent's id.
bool nodeHeader(uint16_t, DataReader& data, CheckState& state) {
  return data.string(kNameBuffer) && data.skip(4) && data.word(state.node.parent);
}

bool endNode(CheckState& state) {
  state.nodes.push_back(state.node);
  return true;
}

// What a key holds after its frame and spline parameters.
template <size_t Bytes>
bool fixedValue(DataReader& data) {
  return data.skip(Bytes);
}

bool morphTarget(DataReader& data) { return data.string(kMorphTargetBuffer); }

// Flags and two reserved words, a 32-bit key count and the keys: a frame,
// a flags word, one float per spline parameter the flags name, the value.
template <bool (*readValue)(DataReader&)>
bool track(uint16_t id, DataReader& data, CheckState& state) {
  // lib3ds adds a second track's keys to the first's list; for morph
  // tracks it then links them through an uninitialised pointer.
  const uint16_t kind = static_cast<uint16_t>(1u << (id - LIB3DS_POS_TRACK_TAG));
  if (state.nodeTracks & kind) return false;
  state.nodeTracks |= kind;

  uint32_t keys;
  if (!data.skip(10) || !data.dword(keys)) return false;
  for (uint32_t key = 0; key < keys; ++key) {
    uint16_t flags;
    if (!data.skip(4) || !data.word(flags)) return false;
    for (uint16_t parameter : {LIB3DS_USE_TENSION, LIB3DS_USE_CONTINUITY, LIB3DS_USE_BIAS,
                               LIB3DS_USE_EASE_TO, LIB3DS_USE_EASE_FROM}) {
      if ((flags & parameter) && !data.skip(4)) return false;
    }
    if (!readValue(data)) return false;
  }
  state.insertionSteps += uint64_t{keys} * keys;
  return true;
}

// The chunks lib3ds reads, parent by parent, and what each must satisfy.
// A chunk of an id missing from its parent's table is skipped by lib3ds, as
// are chunks whose data it ignores.

constexpr ChunkRule kColourChunks[] = {
    {LIB3DS_LIN_COLOR_24, fixed<3>},
    {LIB3DS_COLOR_24, fixed<3>},
    {LIB3DS_LIN_COLOR_F, fixed<12>},
    {LIB3DS_COLOR_F, fixed<12>},
};

constexpr ChunkRule kFloatColourChunks[] = {
    {LIB3DS_LIN_COLOR_F, fixed<12>},
    {LIB3DS_COLOR_F, fixed<12>},
};

constexpr ChunkRule kFogChunks[] = {
    {LIB3DS_LIN_COLOR_F, fixed<12>},
};

constexpr ChunkRule kGradientChunks[] = {
    {LIB3DS_COLOR_F, gradientColour},
    {LIB3DS_LIN_COLOR_F, gradientColour},
};

constexpr ChunkRule kPercentageChunks[] = {
    {LIB3DS_INT_PERCENTAGE, fixed<2>},
};

constexpr ChunkRule kTextureMapChunks[] = {
    {LIB3DS_INT_PERCENTAGE, fixed<2>},  {LIB3DS_MAT_MAPNAME, text<kNameBuffer>},
    {LIB3DS_MAT_MAP_TILING, fixed<2>},  {LIB3DS_MAT_MAP_TEXBLUR, fixed<4>},
    {LIB3DS_MAT_MAP_USCALE, fixed<4>},  {LIB3DS_MAT_MAP_VSCALE, fixed<4>},
    {LIB3DS_MAT_MAP_UOFFSET, fixed<4>}, {LIB3DS_MAT_MAP_VOFFSET, fixed<4>},
    {LIB3DS_MAT_MAP_ANG, fixed<4>},     {LIB3DS_MAT_MAP_COL1, fixed<3>},
    {LIB3DS_MAT_MAP_COL2, fixed<3>},    {LIB3DS_MAT_MAP_RCOL, fixed<3>},
    {LIB3DS_MAT_MAP_GCOL, fixed<3>},    {LIB3DS_MAT_MAP_BCOL, fixed<3>},
};

constexpr ChunkRule kMaterialChunks[] = {
    {LIB3DS_MAT_NAME, text<kNameBuffer>},
    {LIB3DS_MAT_AMBIENT, fixed<0>, kColourChunks},
    {LIB3DS_MAT_DIFFUSE, fixed<0>, kColourChunks},
    {LIB3DS_MAT_SPECULAR, fixed<0>, kColourChunks},
    {LIB3DS_MAT_SHININESS, fixed<0>, kPercentageChunks},
    {LIB3DS_MAT_SHIN2PCT, fixed<0>, kPercentageChunks},
    {LIB3DS_MAT_TRANSPARENCY, fixed<0>, kPercentageChunks},
    {LIB3DS_MAT_XPFALL, fixed<0>, kPercentageChunks},
    {LIB3DS_MAT_SELF_ILPCT, fixed<0>, kPercentageChunks},
    {LIB3DS_MAT_REFBLUR, fixed<0>, kPercentageChunks},
    {LIB3DS_MAT_SHADING, fixed<2>},
    {LIB3DS_MAT_WIRE_SIZE, fixed<4>},
    {LIB3DS_MAT_TEXMAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_TEXMASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_TEX2MAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_TEX2MASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_OPACMAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_OPACMASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_BUMPMAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_BUMPMASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_SPECMAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_SPECMASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_SHINMAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_SHINMASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_SELFIMAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_SELFIMASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_REFLMAP, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_REFLMASK, fixed<0>, kTextureMapChunks},
    {LIB3DS_MAT_ACUBIC, fixed<12>},
};

constexpr ChunkRule kFaceArrayChunks[] = {
    {LIB3DS_SMOOTH_GROUP, smoothingGroups},
    {LIB3DS_MSH_MAT_GROUP, materialGroup},
    {LIB3DS_MSH_BOXMAP, boxMap},
};

constexpr ChunkRule kMeshChunks[] = {
    {LIB3DS_MESH_MATRIX, fixed<48>},
    {LIB3DS_MESH_COLOR, fixed<1>},
    {LIB3DS_POINT_ARRAY, pointArray},
    {LIB3DS_POINT_FLAG_ARRAY, countedArray<2>},
    {LIB3DS_FACE_ARRAY, faceArray, kFaceArrayChunks},
    {LIB3DS_MESH_TEXTURE_INFO, fixed<84>},
    {LIB3DS_TEX_VERTS, countedArray<8>},
};

constexpr ChunkRule kCameraChunks[] = {
    {LIB3DS_CAM_RANGES, fixed<8>},
};

constexpr ChunkRule kSpotlightChunks[] = {
    {LIB3DS_DL_SPOT_ROLL, fixed<4>},   {LIB3DS_DL_LOCAL_SHADOW2, fixed<10>},
    {LIB3DS_DL_SPOT_ASPECT, fixed<4>}, {LIB3DS_DL_SPOT_PROJECTOR, text<kNameBuffer>},
    {LIB3DS_DL_RAY_BIAS, fixed<4>},
};

constexpr ChunkRule kLightChunks[] = {
    {LIB3DS_COLOR_F, fixed<12>},
    {LIB3DS_DL_OUTER_RANGE, fixed<4>},
    {LIB3DS_DL_INNER_RANGE, fixed<4>},
    {LIB3DS_DL_MULTIPLIER, fixed<4>},
    // lib3ds reads an exclusion as if it were an attenuation.
    {LIB3DS_DL_EXCLUDE, fixed<4>},
    {LIB3DS_DL_ATTENUATE, fixed<4>},
    // Target, hot spot and fall-off.
    {LIB3DS_DL_SPOTLIGHT, fixed<20>, kSpotlightChunks},
};

constexpr ChunkRule kNamedObjectChunks[] = {
    {LIB3DS_N_TRI_OBJECT, beginMesh, kMeshChunks, endMesh},
    {LIB3DS_N_CAMERA, camera, kCameraChunks},
    {LIB3DS_N_DIRECT_LIGHT, light, kLightChunks},
};

constexpr ChunkRule kViewportLayoutChunks[] = {
    {LIB3DS_VIEWPORT_SIZE, fixed<8>},
    {LIB3DS_VIEWPORT_DATA_3, view},
};

constexpr ChunkRule kDefaultViewChunks[] = {
    {LIB3DS_VIEW_TOP, fixed<16>},   {LIB3DS_VIEW_BOTTOM, fixed<16>}, {LIB3DS_VIEW_LEFT, fixed<16>},
    {LIB3DS_VIEW_RIGHT, fixed<16>}, {LIB3DS_VIEW_FRONT, fixed<16>},  {LIB3DS_VIEW_BACK, fixed<16>},
    {LIB3DS_VIEW_USER, fixed<28>},  {LIB3DS_VIEW_CAMERA, fixed<11>},
};

constexpr ChunkRule kViewportLayout = {LIB3DS_VIEWPORT_LAYOUT, beginViewportLayout,
                                       kViewportLayoutChunks, endViewportLayout};
constexpr ChunkRule kDefaultView = {LIB3DS_DEFAULT_VIEW, fixed<0>, kDefaultViewChunks};

constexpr ChunkRule kMeshDataChunks[] = {
    {LIB3DS_MESH_VERSION, fixed<4>},
    {LIB3DS_MASTER_SCALE, fixed<4>},
    {LIB3DS_SHADOW_MAP_SIZE, fixed<2>},
    {LIB3DS_LO_SHADOW_BIAS, fixed<4>},
    {LIB3DS_HI_SHADOW_BIAS, fixed<4>},
    {LIB3DS_SHADOW_SAMPLES, fixed<2>},
    {LIB3DS_SHADOW_RANGE, fixed<4>},
    {LIB3DS_SHADOW_FILTER, fixed<4>},
    {LIB3DS_RAY_BIAS, fixed<4>},
    kViewportLayout,
    kDefaultView,
    {LIB3DS_O_CONSTS, fixed<12>},
    {LIB3DS_AMBIENT_LIGHT, fixed<0>, kFloatColourChunks},
    {LIB3DS_BIT_MAP, text<kNameBuffer>},
    {LIB3DS_SOLID_BGND, fixed<0>, kFloatColourChunks},
    {LIB3DS_V_GRADIENT, beginGradient, kGradientChunks},
    // Near and far planes with their densities or dimming.
    {LIB3DS_FOG, fixed<16>, kFogChunks},
    {LIB3DS_LAYER_FOG, fixed<16>, kFloatColourChunks},
    {LIB3DS_DISTANCE_CUE, fixed<16>, kSkippedChildren},
    {LIB3DS_MAT_ENTRY, beginMaterial, kMaterialChunks},
    {LIB3DS_NAMED_OBJECT, text<kNameBuffer>, kNamedObjectChunks},
};

constexpr ChunkRule kNodeChunks[] = {
    {LIB3DS_NODE_ID, nodeId},
    {LIB3DS_NODE_HDR, nodeHeader},
    {LIB3DS_PIVOT, fixed<12>},
    {LIB3DS_INSTANCE_NAME, text<kNameBuffer>},
    {LIB3DS_BOUNDBOX, fixed<24>},
    {LIB3DS_MORPH_SMOOTH, fixed<4>},
    {LIB3DS_POS_TRACK_TAG, track<fixedValue<12>>},
    {LIB3DS_ROT_TRACK_TAG, track<fixedValue<16>>},
    {LIB3DS_SCL_TRACK_TAG, track<fixedValue<12>>},
    {LIB3DS_FOV_TRACK_TAG, track<fixedValue<4>>},
    {LIB3DS_ROLL_TRACK_TAG, track<fixedValue<4>>},
    {LIB3DS_COL_TRACK_TAG, track<fixedValue<12>>},
    {LIB3DS_MORPH_TRACK_TAG, track<morphTarget>},
    {LIB3DS_HOT_TRACK_TAG, track<fixedValue<4>>},
    {LIB3DS_FALL_TRACK_TAG, track<fixedValue<4>>},
    {LIB3DS_HIDE_TRACK_TAG, track<fixedValue<0>>},
};

constexpr ChunkRule kKeyframerChunks[] = {
    {LIB3DS_KFHDR, keyframerHeader},
    {LIB3DS_KFSEG, fixed<8>},
    {LIB3DS_KFCURTIME, fixed<4>},
    kViewportLayout,
    kDefaultView,
    {LIB3DS_AMBIENT_NODE_TAG, beginNode, kNodeChunks, endNode},
    {LIB3DS_OBJECT_NODE_TAG, beginNode, kNodeChunks, endNode},
    {LIB3DS_CAMERA_NODE_TAG, beginNode, kNodeChunks, endNode},
    {LIB3DS_TARGET_NODE_TAG, beginNode, kNodeChunks, endNode},
    {LIB3DS_LIGHT_NODE_TAG, beginNode, kNodeChunks, endNode},
    {LIB3DS_SPOTLIGHT_NODE_TAG, beginNode, kNodeChunks, endNode},
    {LIB3DS_L_TARGET_NODE_TAG, beginNode, kNodeChunks, endNode},
};

constexpr ChunkRule kFileChunks[] = {
    {LIB3DS_M3D_VERSION, fixed<4>},
    {LIB3DS_MDATA, fixed<0>, kMeshDataChunks},
    {LIB3DS_KFDATA, beginKeyframer, kKeyframerChunks},
};

// The chunk a file starts with.
constexpr ChunkRule kTopChunks[] = {
    {LIB3DS_M3DMAGIC, fixed<0>, kFileChunks},
    {LIB3DS_MLIBMAGIC, fixed<0>, kFileChunks},
    {LIB3DS_CMAGIC, fixed<0>, kFileChunks},
    {LIB3DS_MDATA, fixed<0>, kMeshDataChunks},
};

const ChunkRule* findRule(const ChildRules& rules, uint16_t id) {
  const ChunkRule* end = rules.first + rules.count;
  const ChunkRule* rule =
      std::find_if(rules.first, end, [id](const ChunkRule& r) { return r.id == id; });
  return rule == end ? nullptr : rule;
}

bool checkChunk(const ChunkRule& rule, DataReader data, CheckState& state);

// lib3ds reads a parent's children one header after another until the end
// of the parent; a child of id 0 would end its reading early.
bool checkChildren(const ChildRules& rules, DataReader children, CheckState& state) {
  while (children.remaining() > 0) {
    uint16_t id;
    DataReader data(nullptr, 0);
    if (!children.chunk(id, data) || id == LIB3DS_NULL_CHUNK) return false;
    const ChunkRule* rule = findRule(rules, id);
    if (rule && !checkChunk(*rule, data, state)) return false;
  }
  return true;
}

bool checkChunk(const ChunkRule& rule, DataReader data, CheckState& state) {
  if (!rule.read(rule.id, data, state)) return false;
  if (rule.children.isParent && !checkChildren(rule.children, data, state)) return false;
  return !rule.finish || rule.finish(state);
}

// lib3ds links each node to its parent when it reads the node; a node read
// before its parent waits at the top of the hierarchy until the parent
// arrives and re-inserts it. That re-linking follows the parent ids, so they
// must name each node once and lead from every node to a root: where an id
// repeats, or a node is its own ancestor, it can recurse without end. Counts
// the nodes that wait, each of which lib3ds inserts twice.
bool nodesLinkSafely(const std::vector<NodeLink>& nodes, uint64_t& waiting) {
  std::unordered_map<uint16_t, size_t> indexOfId;
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (!indexOfId.emplace(nodes[i].id, i).second) return false;
  }
  const size_t root = nodes.size();
  const auto parentOf = [&](size_t i) {
    const auto parent = indexOfId.find(nodes[i].parent);
    return nodes[i].parent == LIB3DS_NO_PARENT || parent == indexOfId.end() ? root : parent->second;
  };
  enum Visit : uint8_t { NotSeen, OnPath, LeadsToRoot };
  std::vector<Visit> visits(nodes.size(), NotSeen);
  waiting = 0;
  for (size_t i = 0; i < nodes.size(); ++i) {
    const size_t parent = parentOf(i);
    if (parent != root && parent > i) ++waiting;
    size_t node = i;
    for (; node != root && visits[node] == NotSeen; node = parentOf(node)) visits[node] = OnPath;
    if (node != root && visits[node] == OnPath) return false;
    for (node = i; node != root && visits[node] == OnPath; node = parentOf(node))
      visits[node] = LeadsToRoot;
  }
  return true;
}

// What building all of the file's lists costs lib3ds.
uint64_t insertionSteps(const CheckState& state, uint64_t waitingNodes) {
  const uint64_t nodes = state.nodes.size();
  return state.insertionSteps + state.meshes * state.meshes + state.materials * state.materials +
         state.cameras * state.cameras + state.lights * state.lights +
         (nodes + waitingNodes) * nodes;
}

// lib3ds reads a file through these callbacks straight from the checked
// bytes. A read or seek past the end fails the load.
struct MemoryStream {
  const unsigned char* bytes;
  size_t size;
  size_t position;
  bool failed;
};

Lib3dsBool streamError(void* self) { return static_cast<MemoryStream*>(self)->failed; }

long streamSeek(void* self, long offset, Lib3dsIoSeek origin) {
  MemoryStream& stream = *static_cast<MemoryStream*>(self);
  const long size = static_cast<long>(stream.size);
  const long base = origin == LIB3DS_SEEK_SET   ? 0
                    : origin == LIB3DS_SEEK_CUR ? static_cast<long>(stream.position)
                                                : size;
  if (offset < -base || offset > size - base) {
    stream.failed = true;
    return -1;
  }
  stream.position = static_cast<size_t>(base + offset);
  return 0;
}

long streamTell(void* self) {
  return static_cast<long>(static_cast<MemoryStream*>(self)->position);
}

size_t streamRead(void* self, void* buffer, size_t count) {
  MemoryStream& stream = *static_cast<MemoryStream*>(self);
  const size_t available = std::min(count, stream.size - stream.position);
  if (available > 0) std::memcpy(buffer, stream.bytes + stream.position, available);
  stream.position += available;
  if (available < count) stream.failed = true;
  return available;
}

size_t streamWrite(void*, const void*, size_t) { return 0; }

}  // namespace

bool isSafe3dsFile(const unsigned char* bytes, size_t size) {
  if (size > kMaxFileBytes) return false;
  DataReader file(bytes, size);
  uint16_t id;
  DataReader data(nullptr, 0);
  if (!file.chunk(id, data)) return false;
  const ChunkRule* top = findRule(kTopChunks, id);
  CheckState state;
  uint64_t waitingNodes = 0;
  return top && checkChunk(*top, data, state) && nodesLinkSafely(state.nodes, waitingNodes) &&
         insertionSteps(state, waitingNodes) <= kMaxInsertionSteps;
}

Lib3dsFile* loadChecked3dsBytes(const unsigned char* bytes, size_t size) {
  if (!isSafe3dsFile(bytes, size)) return nullptr;
  MemoryStream stream = {bytes, size, 0, false};
  const std::unique_ptr<Lib3dsIo, decltype(&lib3ds_io_free)> io(
      lib3ds_io_new(&stream, streamError, streamSeek, streamTell, streamRead, streamWrite),
      lib3ds_io_free);
  std::unique_ptr<Lib3dsFile, decltype(&lib3ds_file_free)> file(lib3ds_file_new(),
                                                                lib3ds_file_free);
  if (!io || !file || !lib3ds_file_read(file.get(), io.get()) || stream.failed) return nullptr;
  return file.release();
}

Lib3dsFile* loadChecked3dsFile(const char* fileName) {
  std::ifstream in(fileName, std::ios::binary | std::ios::ate);
  if (!in) return nullptr;
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxFileBytes) return nullptr;
  std::vector<unsigned char> bytes(static_cast<size_t>(size));
  if (!in.seekg(0) || !in.read(reinterpret_cast<char*>(bytes.data()), size)) return nullptr;
  return loadChecked3dsBytes(bytes.data(), bytes.size());
}
