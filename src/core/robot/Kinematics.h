#pragma once

#include <array>
#include <vector>

#include "core/chart/Chart.h"
#include "core/robot/RobotModel.h"

namespace brv3::robot {

// A rigid placement: rotate by the unit quaternion (w, x, y, z), then translate.
struct Transform {
  Vec3 position;
  std::array<double, 4> rotation{1, 0, 0, 0};

  static Transform Identity() { return {}; }
  static Transform FromOrigin(const Origin& origin);
  static Transform Rotation(const Vec3& axis, double angle);  // axis need not be unit length
  static Transform Translation(const Vec3& offset);

  // this * other: first `other`, then this.
  Transform Compose(const Transform& other) const;
  Vec3 Apply(const Vec3& point) const;
  Vec3 Rotate(const Vec3& vector) const;
  // The rotation as a row-major 3x3 matrix.
  std::array<double, 9> Matrix() const;
};

// Joint positions, one per entry of RobotModel::joints (0 for fixed joints).
using JointPositions = std::vector<double>;

// Every joint at 0.
JointPositions RestJointPositions(const RobotModel& model);

// The joint positions a pose gives: for each channel that drives a joint and holds a servo
// position, (word - 16384) / reduction + offset; a channel holding anything else (free, set,
// level, speed words) leaves its joint at its value in `previous`. Continuous joints take the
// value unwrapped; revolute and prismatic joints are not clamped to their limits.
JointPositions JointPositionsFromPose(const RobotModel& model, const ChannelWords& words,
                                      const JointPositions& previous);

// The placement of each link (indexed like RobotModel::links) in the root link's frame.
std::vector<Transform> ForwardKinematics(const RobotModel& model, const JointPositions& positions);
// The same into a caller's vector, so a loop can reuse its storage.
void ForwardKinematics(const RobotModel& model, const JointPositions& positions,
                       std::vector<Transform>& out);

}  // namespace brv3::robot
