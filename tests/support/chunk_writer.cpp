#include "tests/support/chunk_writer.h"

#include <gtest/gtest.h>
#include <lib3ds/chunk.h>

#include <cstring>

ChunkWriter& ChunkWriter::begin(uint16_t id) {
  open_.push_back(bytes.size());
  started_.push_back({id, bytes.size()});
  word(id);
  return dword(0);
}

ChunkWriter& ChunkWriter::end() {
  const size_t start = open_.back();
  open_.pop_back();
  setDword(start + 2, static_cast<uint32_t>(bytes.size() - start));
  return *this;
}

ChunkWriter& ChunkWriter::byte(uint8_t value) {
  bytes.push_back(value);
  return *this;
}

ChunkWriter& ChunkWriter::word(uint16_t value) {
  byte(value & 0xFF);
  return byte(value >> 8);
}

ChunkWriter& ChunkWriter::dword(uint32_t value) {
  word(value & 0xFFFF);
  return word(value >> 16);
}

ChunkWriter& ChunkWriter::real(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return dword(bits);
}

ChunkWriter& ChunkWriter::string(const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
  return byte(0);
}

ChunkWriter ChunkWriter::parse(std::vector<unsigned char> bytes) {
  ChunkWriter file;
  file.bytes = std::move(bytes);
  file.findChunks(0, file.bytes.size());
  return file;
}

void ChunkWriter::findChunks(size_t start, size_t end) {
  while (end - start >= kHeaderBytes) {
    const uint16_t id = wordAt(start);
    const uint32_t length = dwordAt(start + 2);
    if (length < kHeaderBytes || length > end - start) return;
    started_.push_back({id, start});
    size_t children = start + kHeaderBytes;
    switch (id) {
      case LIB3DS_M3DMAGIC:
      case LIB3DS_MDATA:
      case LIB3DS_KFDATA:
      case LIB3DS_MAT_ENTRY:
      case LIB3DS_N_TRI_OBJECT:
      case LIB3DS_OBJECT_NODE_TAG:
        break;
      case LIB3DS_NAMED_OBJECT:
        while (children < start + length && bytes[children] != 0) ++children;
        ++children;
        break;
      case LIB3DS_FACE_ARRAY:
        children += 2 + 8 * size_t{wordAt(children)};
        break;
      default:
        children = start + length;
    }
    if (children < start + length) findChunks(children, start + length);
    start += length;
  }
}

size_t ChunkWriter::offsetOf(uint16_t id) const {
  for (const Started& chunk : started_) {
    if (chunk.id == id) return chunk.offset;
  }
  ADD_FAILURE() << "no chunk 0x" << std::hex << id << " was written";
  return 0;
}

bool ChunkWriter::has(uint16_t id) const {
  for (const Started& chunk : started_) {
    if (chunk.id == id) return true;
  }
  return false;
}

size_t ChunkWriter::endOf(size_t offset) const { return offset + dwordAt(offset + 2); }

void ChunkWriter::append(uint16_t parent, const ChunkWriter& chunk) {
  const size_t start = offsetOf(parent);
  const size_t end = endOf(start);
  const auto added = static_cast<uint32_t>(chunk.bytes.size());
  for (Started& other : started_) {
    if (other.offset <= start && endOf(other.offset) >= end) {
      setDword(other.offset + 2, dwordAt(other.offset + 2) + added);
    } else if (other.offset >= end) {
      other.offset += added;
    }
  }
  bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(end), chunk.bytes.begin(),
               chunk.bytes.end());
  for (const Started& inserted : chunk.started_) {
    started_.push_back({inserted.id, end + inserted.offset});
  }
}

void ChunkWriter::erase(size_t offset) {
  for (const Started& chunk : started_) {
    const uint32_t length = dwordAt(chunk.offset + 2);
    if (chunk.offset < offset && offset < chunk.offset + length) {
      setDword(chunk.offset + 2, length - 1);
    }
  }
  bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  for (Started& chunk : started_) {
    if (chunk.offset > offset) --chunk.offset;
  }
}

void ChunkWriter::setWord(size_t offset, uint16_t value) {
  bytes.at(offset) = value & 0xFF;
  bytes.at(offset + 1) = value >> 8;
}

void ChunkWriter::setDword(size_t offset, uint32_t value) {
  setWord(offset, value & 0xFFFF);
  setWord(offset + 2, value >> 16);
}

uint16_t ChunkWriter::wordAt(size_t offset) const {
  return static_cast<uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

uint32_t ChunkWriter::dwordAt(size_t offset) const {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value |= uint32_t{bytes.at(offset + i)} << (8 * i);
  return value;
}

namespace {

// A track's flags, two reserved words and key count, then keys of a frame
// and no spline parameters, each followed by what write() adds.
template <typename WriteValue>
void writeTrack(ChunkWriter& file, uint16_t id, uint32_t keys, WriteValue writeValue) {
  file.begin(id).word(0).dword(0).dword(0).dword(keys);
  for (uint32_t frame = 0; frame < keys; ++frame) {
    file.dword(frame).word(0);
    writeValue(frame);
  }
  file.end();
}

}  // namespace

ChunkWriter SampleModel::write() const {
  ChunkWriter file;
  file.begin(LIB3DS_M3DMAGIC);
  file.begin(LIB3DS_M3D_VERSION).dword(3).end();

  file.begin(LIB3DS_MDATA);
  file.begin(LIB3DS_MESH_VERSION).dword(3).end();
  file.begin(LIB3DS_MAT_ENTRY);
  file.begin(LIB3DS_MAT_NAME).string(materialName).end();
  file.begin(LIB3DS_MAT_DIFFUSE).begin(LIB3DS_COLOR_24).byte(200).byte(200).byte(200).end().end();
  file.end();

  file.begin(LIB3DS_NAMED_OBJECT).string(meshName);
  file.begin(LIB3DS_N_TRI_OBJECT);
  file.begin(LIB3DS_POINT_ARRAY).word(static_cast<uint16_t>(points.size()));
  for (const auto& point : points) file.real(point[0]).real(point[1]).real(point[2]);
  file.end();
  file.begin(LIB3DS_TEX_VERTS).word(static_cast<uint16_t>(texels.size()));
  for (const auto& texel : texels) file.real(texel[0]).real(texel[1]);
  file.end();
  file.begin(LIB3DS_FACE_ARRAY).word(static_cast<uint16_t>(faces.size()));
  for (const auto& face : faces) file.word(face[0]).word(face[1]).word(face[2]).word(7);
  file.begin(LIB3DS_SMOOTH_GROUP);
  for (uint32_t group : smoothingGroups) file.dword(group);
  file.end();
  file.begin(LIB3DS_MSH_MAT_GROUP).string(materialName);
  file.word(static_cast<uint16_t>(materialFaces.size()));
  for (uint16_t face : materialFaces) file.word(face);
  file.end();
  file.end();  // face array
  file.end();  // triangle object
  file.end();  // named object
  file.end();  // mesh data

  file.begin(LIB3DS_KFDATA);
  file.begin(LIB3DS_KFHDR).word(5).string("MAXSCENE").dword(100).end();
  file.begin(LIB3DS_OBJECT_NODE_TAG);
  file.begin(LIB3DS_NODE_ID).word(0).end();
  file.begin(LIB3DS_NODE_HDR).string(meshName).word(0).word(0).word(0xFFFF).end();
  file.begin(LIB3DS_PIVOT).real(0).real(0).real(0).end();
  writeTrack(file, LIB3DS_POS_TRACK_TAG, positionKeys,
             [&](uint32_t frame) { file.real(static_cast<float>(frame)).real(0).real(0); });
  writeTrack(file, LIB3DS_ROT_TRACK_TAG, 1,
             [&](uint32_t) { file.real(0).real(0).real(0).real(1); });
  writeTrack(file, LIB3DS_SCL_TRACK_TAG, 1, [&](uint32_t) { file.real(1).real(1).real(1); });
  file.end();  // node
  file.end();  // keyframer data

  file.end();  // file
  return file;
}
