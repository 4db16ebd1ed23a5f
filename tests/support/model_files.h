// 3DS files written by the tests through lib3ds, whole or damaged on purpose.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TestModel {
  std::vector<std::array<float, 3>> points;
  std::vector<std::array<float, 2>> texels;
  std::vector<std::array<uint16_t, 3>> faces;
  std::string meshName = "hull";
  std::string nodeName = "hull";  // empty: the file has no keyframer node
};

// A unit square in the z = 0 plane facing +z, texels at its corners.
TestModel squareModel();

// Writes the model into the test's temporary folder and returns the path.
std::string writeTestModel(const std::string& name, const TestModel& model);
