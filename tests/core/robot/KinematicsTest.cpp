#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/motion/ChannelWord.h"
#include "core/robot/Kinematics.h"

namespace brv3::robot {
namespace {

constexpr double kPi = std::numbers::pi;

void ExpectPoint(const Vec3& got, const Vec3& want) {
  EXPECT_NEAR(got.x, want.x, 1e-9);
  EXPECT_NEAR(got.y, want.y, 1e-9);
  EXPECT_NEAR(got.z, want.z, 1e-9);
}

Joint MakeJoint(const std::string& name, JointType type, const std::string& parent,
                const std::string& child, Origin origin, Vec3 axis) {
  Joint j;
  j.name = name;
  j.type = type;
  j.parent = parent;
  j.child = child;
  j.origin = origin;
  j.axis = axis;
  return j;
}

// base -(shoulder, about z)- upper (1 m long along x) -(elbow, about z, at the upper's end)-
// fore; a slider on the fore link along a non-unit axis; a fixed tool turned 90 degrees.
RobotModel TwoLinkArm() {
  RobotModel m;
  m.rootLink = "base";
  for (const char* name : {"base", "upper", "fore", "slide", "tool"})
    m.links.push_back({name, {}, {}});
  m.joints = {
      MakeJoint("shoulder", JointType::Revolute, "base", "upper", {}, {0, 0, 1}),
      MakeJoint("elbow", JointType::Continuous, "upper", "fore", {{1, 0, 0}, {}}, {0, 0, 1}),
      MakeJoint("slider", JointType::Prismatic, "fore", "slide", {{1, 0, 0}, {}}, {0, 0, 2}),
      MakeJoint("mount", JointType::Fixed, "fore", "tool", {{0.5, 0, 0}, {0, 0, kPi / 2}},
                {1, 0, 0})};
  m.channels = {{1, "shoulder", 650, 0}, {2, "elbow", 1000, 0.5}, {3, "slider", 10000, 0}};
  return m;
}

ChannelWords Centred() {
  ChannelWords w{};
  w.fill(kPositionCenter);
  return w;
}

TEST(Transform, RollPitchYawTurnAboutFixedAxesInThatOrder) {
  // Roll 90 then yaw 90: x -> y, y -> z, z -> x.
  const Transform t = Transform::FromOrigin({{1, 2, 3}, {kPi / 2, 0, kPi / 2}});
  ExpectPoint(t.Rotate({1, 0, 0}), {0, 1, 0});
  ExpectPoint(t.Rotate({0, 1, 0}), {0, 0, 1});
  ExpectPoint(t.Rotate({0, 0, 1}), {1, 0, 0});
  ExpectPoint(t.Apply({0, 0, 0}), {1, 2, 3});
  const std::array<double, 9> m = t.Matrix();
  const std::array<double, 9> want{0, 0, 1, 1, 0, 0, 0, 1, 0};
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(m[i], want[i], 1e-12) << i;
  // Pitch alone: x -> -z.
  ExpectPoint(Transform::FromOrigin({{}, {0, kPi / 2, 0}}).Rotate({1, 0, 0}), {0, 0, -1});
  // Compose applies the right-hand transform first.
  const Transform a = Transform::Translation({1, 0, 0});
  const Transform r = Transform::Rotation({0, 0, 3}, kPi / 2);
  ExpectPoint(a.Compose(r).Apply({1, 0, 0}), {1, 1, 0});
  ExpectPoint(r.Compose(a).Apply({1, 0, 0}), {0, 2, 0});
}

TEST(Kinematics, PoseWordsBecomeJointPositions) {
  const RobotModel m = TwoLinkArm();
  ChannelWords w = Centred();
  w[0] = kPositionCenter + 650;   // 1 rad
  w[1] = kPositionCenter - 1000;  // -1 + 0.5 offset
  w[2] = kPositionCenter + 500;   // 0.05 m
  JointPositions p = JointPositionsFromPose(m, w, RestJointPositions(m));
  ASSERT_EQ(p.size(), 4u);
  EXPECT_DOUBLE_EQ(p[0], 1.0);
  EXPECT_DOUBLE_EQ(p[1], -0.5);
  EXPECT_DOUBLE_EQ(p[2], 0.05);
  EXPECT_DOUBLE_EQ(p[3], 0.0);

  // Words that are not servo positions leave their joints where they were.
  ChannelWords other = Centred();
  other[0] = kWordFree;
  other[1] = kWordSpeedBase + 3;
  other[2] = 0;
  EXPECT_EQ(JointPositionsFromPose(m, other, p), p);
  other[0] = kWordH;
  other[1] = kWordEnd;
  other[2] = 0x8000;
  EXPECT_EQ(JointPositionsFromPose(m, other, p), p);
  // A continuous joint is not wrapped; a revolute one is not clamped.
  w[1] = 32767;
  w[0] = 1;
  p = JointPositionsFromPose(m, w, p);
  EXPECT_DOUBLE_EQ(p[1], 16383 / 1000.0 + 0.5);
  EXPECT_DOUBLE_EQ(p[0], -16383 / 650.0);
}

TEST(Kinematics, TwoLinkArmAtHandComputedPoses) {
  const RobotModel m = TwoLinkArm();
  // At rest: everything along x.
  std::vector<Transform> t = ForwardKinematics(m, RestJointPositions(m));
  ASSERT_EQ(t.size(), 5u);
  ExpectPoint(t[1].position, {0, 0, 0});
  ExpectPoint(t[2].position, {1, 0, 0});
  ExpectPoint(t[2].Apply({1, 0, 0}), {2, 0, 0});
  ExpectPoint(t[4].position, {1.5, 0, 0});
  ExpectPoint(t[4].Rotate({1, 0, 0}), {0, 1, 0});

  // Shoulder 90 degrees: the elbow goes to y = 1 and the fore link points along y.
  t = ForwardKinematics(m, {kPi / 2, 0, 0, 0});
  ExpectPoint(t[2].position, {0, 1, 0});
  ExpectPoint(t[2].Apply({1, 0, 0}), {0, 2, 0});
  // Elbow 90 degrees more: the fore link points back along -x.
  t = ForwardKinematics(m, {kPi / 2, kPi / 2, 0, 0});
  ExpectPoint(t[2].Apply({1, 0, 0}), {-1, 1, 0});
  ExpectPoint(t[4].position, {-0.5, 1, 0});
  ExpectPoint(t[4].Rotate({1, 0, 0}), {0, -1, 0});
  // The slider moves along its (normalised) axis in the fore link's frame.
  t = ForwardKinematics(m, {0, 0, 0.25, 0});
  ExpectPoint(t[3].position, {2, 0, 0.25});
  t = ForwardKinematics(m, {kPi / 2, 0, 0.25, 0});
  ExpectPoint(t[3].position, {0, 2, 0.25});

  // From servo words to link placements: one radian at the shoulder.
  ChannelWords w = Centred();
  w[0] = kPositionCenter + 650;
  w[1] = kPositionCenter - 500;  // -0.5 + 0.5: straight
  t = ForwardKinematics(m, JointPositionsFromPose(m, w, RestJointPositions(m)));
  ExpectPoint(t[2].Apply({1, 0, 0}), {2 * std::cos(1.0), 2 * std::sin(1.0), 0});
}

TEST(Kinematics, JointOriginsTurnTheJointFrame) {
  // A hinge whose frame is pitched 90 degrees: its z axis points along the parent's x, so a
  // turn about its own z swings the child in the parent's y-z plane.
  RobotModel m;
  m.links = {{"a", {}, {}}, {"b", {}, {}}};
  m.joints = {
      MakeJoint("h", JointType::Revolute, "a", "b", {{0, 0, 1}, {0, kPi / 2, 0}}, {0, 0, 1})};
  std::vector<Transform> t = ForwardKinematics(m, {kPi / 2});
  ExpectPoint(t[1].position, {0, 0, 1});
  // Child x -> (turn about z) child y -> (pitch) parent y.
  ExpectPoint(t[1].Rotate({1, 0, 0}), {0, 1, 0});
  // Links listed out of order and a joint naming no link are tolerated.
  m.links = {{"b", {}, {}}, {"a", {}, {}}};
  m.joints.push_back(MakeJoint("x", JointType::Fixed, "a", "nowhere", {}, {}));
  t = ForwardKinematics(m, {kPi / 2});
  ExpectPoint(t[0].position, {0, 0, 1});
}

}  // namespace
}  // namespace brv3::robot
