#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brv3::robot {

// A robot description never comes near this size; larger files are refused before reading.
constexpr uint64_t kMaxRobotFileSize = 16ull << 20;  // 16 MB
// Bounds on what a description may hold, so that no file can make reading it or following it
// slow: nesting of elements and links of the robot.
constexpr int kMaxRobotNesting = 256;
constexpr size_t kMaxRobotLinks = 1000;
// Servo channels that can drive a joint: CH1 .. CH24.
constexpr int kRobotChannels = 24;

struct Vec3 {
  double x = 0;
  double y = 0;
  double z = 0;
  bool operator==(const Vec3&) const = default;
};

// A placement relative to the parent frame: translation and roll / pitch / yaw (radians, applied
// about the fixed X, then Y, then Z axes).
struct Origin {
  Vec3 xyz;
  Vec3 rpy;
  bool operator==(const Origin&) const = default;
};

enum class GeometryKind { Box, Cylinder, Sphere, Mesh };

struct Geometry {
  GeometryKind kind = GeometryKind::Box;
  Vec3 size;            // Box: edge lengths along x, y, z
  double radius = 0;    // Cylinder, Sphere
  double length = 0;    // Cylinder, along its z axis
  std::string mesh;     // Mesh: the file name as written in the description
  Vec3 scale{1, 1, 1};  // Mesh
};

struct Shape {
  std::string name;
  Origin origin;
  Geometry geometry;
  bool hasColor = false;
  std::array<double, 4> rgba{0.7, 0.7, 0.7, 1.0};  // material colour where one is given
};

struct Link {
  std::string name;
  std::vector<Shape> visuals;
  std::vector<Shape> collisions;
};

enum class JointType { Revolute, Continuous, Prismatic, Fixed };

struct Joint {
  std::string name;
  JointType type = JointType::Fixed;
  std::string parent;  // link names
  std::string child;
  Origin origin;
  Vec3 axis{1, 0, 0};  // unit vector in the joint frame
  bool hasLimits = false;
  double lower = 0;  // radians (revolute) or metres (prismatic), when hasLimits
  double upper = 0;
};

// One servo channel driving one joint: joint position = (word - 16384) / reduction + offset.
struct ChannelJoint {
  int channel = 0;  // 1 .. 24
  std::string joint;
  double reduction = 1;  // servo counts per radian (or per metre)
  double offset = 0;     // radians (or metres) added to the joint position
};

struct RobotModel {
  std::string name;
  std::string sourcePath;  // the file it was read from (mesh file names are relative to it)
  std::string rootLink;
  std::vector<Link> links;
  // Parents come before their children, so a single pass in this order can place every link.
  std::vector<Joint> joints;
  std::vector<ChannelJoint> channels;  // ordered by channel

  int LinkIndex(const std::string& name) const;   // -1 when there is none
  int JointIndex(const std::string& name) const;  // -1 when there is none
  const ChannelJoint* ForChannel(int channel) const;
};

struct RobotLoadResult {
  std::optional<RobotModel> model;
  std::string error;  // set when model is empty: file, line where known, what is wrong
};

// Reads a robot description with its channel transmissions from a file.
RobotLoadResult LoadRobotModel(const std::string& path);
// The same from text; `sourceName` names it in messages.
RobotLoadResult LoadRobotModelFromString(const std::string& text,
                                         const std::string& sourceName = "<robot>");

const char* JointTypeName(JointType type);

}  // namespace brv3::robot
