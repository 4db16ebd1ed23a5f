// Writes 3DS files byte by byte for tests, sound or deliberately damaged.
//
// ChunkWriter nests chunks and fills in each chunk's length when it ends;
// everything is little-endian, as the format is. It remembers where each
// chunk starts, so that a test can damage a sound file in place afterwards;
// parse() finds the chunks of a model written elsewhere, the generated ones
// say, for the same purpose. SampleModel writes a small sound model of the
// kind the program draws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ChunkWriter {
 public:
  // A chunk's id and length: 2 + 4 bytes before its data.
  static constexpr size_t kHeaderBytes = 6;

  // Opens a chunk inside the one open now.
  ChunkWriter& begin(uint16_t id);
  // Closes the innermost open chunk and writes its length.
  ChunkWriter& end();

  ChunkWriter& byte(uint8_t value);
  ChunkWriter& word(uint16_t value);
  ChunkWriter& dword(uint32_t value);
  ChunkWriter& real(float value);
  // The characters and the terminating zero.
  ChunkWriter& string(const std::string& text);

  // Finds the chunks of a model's bytes, looking inside the chunks that hold
  // materials, meshes, faces and keyframer nodes.
  static ChunkWriter parse(std::vector<unsigned char> bytes);

  // Where the first chunk with this id starts (its header); fails the test
  // and answers 0 when there is none.
  size_t offsetOf(uint16_t id) const;
  bool has(uint16_t id) const;
  // Where the chunk that starts at this offset ends.
  size_t endOf(size_t offset) const;

  // Removes one byte, shortening every chunk that holds it.
  void erase(size_t offset);
  // Adds a chunk written by `chunk` at the end of the first chunk with this
  // id, growing that chunk and every chunk around it.
  void append(uint16_t parent, const ChunkWriter& chunk);
  // Overwrites bytes already written.
  void setWord(size_t offset, uint16_t value);
  void setDword(size_t offset, uint32_t value);
  uint16_t wordAt(size_t offset) const;
  uint32_t dwordAt(size_t offset) const;

  std::vector<unsigned char> bytes;

 private:
  struct Started {
    uint16_t id;
    size_t offset;
  };
  void findChunks(size_t start, size_t end);

  std::vector<size_t> open_;
  std::vector<Started> started_;
};

// One mesh, "hull", of four points and two faces with texels, smoothing
// groups and a material group, and a keyframer object node that names it
// with position, rotation and scale keys: the parts of a model that lib3ds
// reads with counts and indices. Change a field to write a damaged variant.
struct SampleModel {
  std::string meshName = "hull";
  std::vector<std::array<float, 3>> points = {{{0, 0, 0}}, {{1, 0, 0}}, {{1, 1, 0}}, {{0, 1, 0}}};
  std::vector<std::array<float, 2>> texels = {{{0, 0}}, {{1, 0}}, {{1, 1}}, {{0, 1}}};
  std::vector<std::array<uint16_t, 3>> faces = {{{0, 1, 2}}, {{0, 2, 3}}};
  std::vector<uint32_t> smoothingGroups = {1, 1};
  std::string materialName = "panels";
  std::vector<uint16_t> materialFaces = {0, 1};
  uint32_t positionKeys = 2;

  ChunkWriter write() const;
};
