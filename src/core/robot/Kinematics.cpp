#include "core/robot/Kinematics.h"

#include <cmath>

#include "core/motion/ChannelWord.h"
#include "core/motion/ServoBank.h"

namespace brv3::robot {
namespace {

using Quat = std::array<double, 4>;  // w, x, y, z

Quat Multiply(const Quat& a, const Quat& b) {
  return {a[0] * b[0] - a[1] * b[1] - a[2] * b[2] - a[3] * b[3],
          a[0] * b[1] + a[1] * b[0] + a[2] * b[3] - a[3] * b[2],
          a[0] * b[2] - a[1] * b[3] + a[2] * b[0] + a[3] * b[1],
          a[0] * b[3] + a[1] * b[2] - a[2] * b[1] + a[3] * b[0]};
}

Quat AxisAngle(const Vec3& axis, double angle) {
  const double n = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  if (n == 0) return {1, 0, 0, 0};
  const double s = std::sin(angle / 2) / n;
  return {std::cos(angle / 2), axis.x * s, axis.y * s, axis.z * s};
}

// Where a joint's child link sits in the joint's parent link.
int ChildLinkIndex(const RobotModel& model, size_t jointIndex) {
  const std::string& child = model.joints[jointIndex].child;
  // Models read from a file list links in the joints' order, after the root.
  if (jointIndex + 1 < model.links.size() && model.links[jointIndex + 1].name == child)
    return static_cast<int>(jointIndex + 1);
  return model.LinkIndex(child);
}

}  // namespace

Transform Transform::FromOrigin(const Origin& origin) {
  // Roll about X, then pitch about Y, then yaw about Z, all about the parent's fixed axes.
  const Quat q =
      Multiply(AxisAngle({0, 0, 1}, origin.rpy.z),
               Multiply(AxisAngle({0, 1, 0}, origin.rpy.y), AxisAngle({1, 0, 0}, origin.rpy.x)));
  return {origin.xyz, q};
}

Transform Transform::Rotation(const Vec3& axis, double angle) {
  return {{}, AxisAngle(axis, angle)};
}

Transform Transform::Translation(const Vec3& offset) {
  return {offset, {1, 0, 0, 0}};
}

Vec3 Transform::Rotate(const Vec3& v) const {
  const double w = rotation[0], x = rotation[1], y = rotation[2], z = rotation[3];
  // v + 2 w (q x v) + 2 q x (q x v), with q the vector part
  const double cx = y * v.z - z * v.y, cy = z * v.x - x * v.z, cz = x * v.y - y * v.x;
  const double dx = y * cz - z * cy, dy = z * cx - x * cz, dz = x * cy - y * cx;
  return {v.x + 2 * (w * cx + dx), v.y + 2 * (w * cy + dy), v.z + 2 * (w * cz + dz)};
}

Vec3 Transform::Apply(const Vec3& point) const {
  const Vec3 r = Rotate(point);
  return {r.x + position.x, r.y + position.y, r.z + position.z};
}

Transform Transform::Compose(const Transform& other) const {
  return {Apply(other.position), Multiply(rotation, other.rotation)};
}

std::array<double, 9> Transform::Matrix() const {
  const double w = rotation[0], x = rotation[1], y = rotation[2], z = rotation[3];
  return {1 - 2 * (y * y + z * z), 2 * (x * y - w * z),     2 * (x * z + w * y),
          2 * (x * y + w * z),     1 - 2 * (x * x + z * z), 2 * (y * z - w * x),
          2 * (x * z - w * y),     2 * (y * z + w * x),     1 - 2 * (x * x + y * y)};
}

JointPositions RestJointPositions(const RobotModel& model) {
  return JointPositions(model.joints.size(), 0.0);
}

JointPositions JointPositionsFromPose(const RobotModel& model, const ChannelWords& words,
                                      const JointPositions& previous) {
  JointPositions positions = previous;
  positions.resize(model.joints.size(), 0.0);
  for (const ChannelJoint& c : model.channels) {
    if (c.channel < 1 || c.channel > kChannels || c.reduction == 0) continue;
    const uint16_t word = words[c.channel - 1];
    if (!IsServoPosition(word)) continue;
    const int joint = model.JointIndex(c.joint);
    if (joint < 0) continue;
    positions[joint] = (static_cast<double>(word) - kPositionCenter) / c.reduction + c.offset;
  }
  return positions;
}

void ForwardKinematics(const RobotModel& model, const JointPositions& positions,
                       std::vector<Transform>& out) {
  out.assign(model.links.size(), Transform::Identity());
  for (size_t j = 0; j < model.joints.size(); ++j) {
    const Joint& joint = model.joints[j];
    const int child = ChildLinkIndex(model, j);
    const int parent = model.LinkIndex(joint.parent);
    if (child < 0 || parent < 0) continue;
    const double q = j < positions.size() ? positions[j] : 0.0;
    Transform motion;
    switch (joint.type) {
      case JointType::Revolute:
      case JointType::Continuous:
        motion = Transform::Rotation(joint.axis, q);
        break;
      case JointType::Prismatic: {
        const Vec3& a = joint.axis;
        const double n = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
        if (n > 0) motion = Transform::Translation({a.x * q / n, a.y * q / n, a.z * q / n});
        break;
      }
      case JointType::Fixed:
        break;
    }
    out[child] = out[parent].Compose(Transform::FromOrigin(joint.origin)).Compose(motion);
  }
}

std::vector<Transform> ForwardKinematics(const RobotModel& model, const JointPositions& positions) {
  std::vector<Transform> out;
  ForwardKinematics(model, positions, out);
  return out;
}

}  // namespace brv3::robot
