// 3DS files written by the tests through lib3ds.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TestModel {
  struct Node {
    std::string name;
    uint16_t id, parent;
  };
  static constexpr uint16_t kNoParent = 0xFFFF;

  // A unit square in the z = 0 plane facing +z, texels at its corners.
  std::vector<std::array<float, 3>> points = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
  std::vector<std::array<float, 2>> texels = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  std::vector<std::array<uint16_t, 3>> faces = {{0, 1, 2}, {0, 2, 3}};
  std::string meshName = "hull";
  std::vector<Node> nodes = {{"hull", 0, kNoParent}};  // written in this order
};

// Writes the model into the test's temporary folder and returns the path.
std::string writeTestModel(const std::string& name, const TestModel& model);
