#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/robot/RobotModel.h"

namespace brv3::robot {

// A collision mesh never comes near these sizes; larger files are refused before reading, and a
// file claiming more triangles than it can hold is refused before anything is made of it.
constexpr uint64_t kMaxStlFileSize = 32ull << 20;  // 32 MB
constexpr size_t kMaxStlTriangles = 500'000;

// A triangle mesh: three corners per triangle, in the file's units.
struct StlMesh {
  std::vector<std::array<Vec3, 3>> triangles;
};

struct StlReadResult {
  std::optional<StlMesh> mesh;
  std::string error;  // set when mesh is empty: file and what is wrong
};

// Reads an STL file, binary or ASCII.
StlReadResult ReadStlFile(const std::string& path);
// The same from its bytes; `sourceName` names it in messages.
StlReadResult ReadStl(std::string_view bytes, const std::string& sourceName = "<mesh>");

// The mesh of a shape of `model`: its STL file (a relative name beside the robot's own file),
// each corner multiplied by the shape's scale. `error` says why there is none: a package path, a
// format other than STL, a robot not read from a file, or what reading found.
StlReadResult ReadShapeMesh(const RobotModel& model, const Geometry& geometry);

}  // namespace brv3::robot
