#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "core/motion/ChannelWord.h"
#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"
#include "support/TestSupport.h"

namespace brv3::robot {
namespace {

using brv3::test::TempDir;
using brv3::test::WriteFile;

std::string ShippedRobot() {
  return std::string(BRV3_TEST_DATA) + "/../../data/robots/humanoid.urdf";
}

// A base, an arm link on a revolute joint and a gripper on a prismatic one, with a mesh.
std::string Arm(const std::string& transmissions) {
  return R"(<?xml version="1.0"?>
<robot name="arm">
  <material name="red"><color rgba="1 0 0 1"/></material>
  <link name="base">
    <visual><geometry><cylinder radius="0.05" length="0.02"/></geometry></visual>
  </link>
  <link name="upper">
    <visual>
      <origin xyz="0.1 0 0" rpy="0 1.5707963267948966 0"/>
      <geometry><box size="0.2 0.03 0.04"/></geometry>
      <material name="red"/>
    </visual>
    <collision><geometry><sphere radius="0.02"/></geometry></collision>
  </link>
  <link name="finger">
    <visual><geometry><mesh filename="meshes/finger.stl" scale="0.001 0.002 0.003"/></geometry></visual>
  </link>
  <link name="wheel"/>
  <joint name="shoulder" type="revolute">
    <parent link="base"/><child link="upper"/>
    <origin xyz="0 0 0.01" rpy="0 0 0"/>
    <axis xyz="0 0 1"/>
    <limit lower="-1.57" upper="0.5" effort="1" velocity="1"/>
  </joint>
  <joint name="grip" type="prismatic">
    <parent link="upper"/><child link="finger"/>
    <origin xyz="0.2 0 0"/>
    <axis xyz="1 0 0"/>
    <limit lower="0" upper="0.03" effort="1" velocity="1"/>
  </joint>
  <joint name="spin" type="continuous">
    <parent link="base"/><child link="wheel"/>
    <axis xyz="0 0 1"/>
  </joint>
)" + transmissions +
         "</robot>\n";
}

std::string Transmission(const std::string& joint, const std::string& actuator,
                         const std::string& reduction = "650", const std::string& extra = "") {
  return "  <transmission name=\"t_" + joint + "\">\n" +
         "    <type>transmission_interface/SimpleTransmission</type>\n" + "    <joint name=\"" +
         joint + "\">" + extra + "</joint>\n" + "    <actuator name=\"" + actuator +
         "\"><mechanicalReduction>" + reduction + "</mechanicalReduction></actuator>\n" +
         "  </transmission>\n";
}

TEST(RobotModel, ReadsLinksJointsGeometryAndChannels) {
  const RobotLoadResult r = LoadRobotModelFromString(
      Arm(Transmission("grip", "CH7", "1000", "<offset>0.01</offset>") +
          Transmission("shoulder", "CH2", "-650") +
          // the older form: the reduction directly in the transmission
          "<transmission name=\"old\"><type>transmission_interface/SimpleTransmission</type>"
          "<joint name=\"spin\"/><actuator name=\"CH24\"/>"
          "<mechanicalReduction>2000</mechanicalReduction></transmission>"),
      "arm.urdf");
  ASSERT_TRUE(r.model) << r.error;
  const RobotModel& m = *r.model;
  EXPECT_EQ(m.name, "arm");
  EXPECT_EQ(m.rootLink, "base");
  ASSERT_EQ(m.links.size(), 4u);
  EXPECT_EQ(m.links[0].name, "base");
  ASSERT_EQ(m.joints.size(), 3u);
  // Parents come before children.
  for (const Joint& j : m.joints) EXPECT_LT(m.LinkIndex(j.parent), m.LinkIndex(j.child));

  const Link& upper = m.links[m.LinkIndex("upper")];
  ASSERT_EQ(upper.visuals.size(), 1u);
  const Shape& box = upper.visuals[0];
  EXPECT_EQ(box.geometry.kind, GeometryKind::Box);
  EXPECT_EQ(box.geometry.size, (Vec3{0.2, 0.03, 0.04}));
  EXPECT_NEAR(box.origin.rpy.y, 1.5707963267948966, 1e-9);
  EXPECT_NEAR(box.origin.xyz.x, 0.1, 1e-12);
  EXPECT_TRUE(box.hasColor);
  EXPECT_EQ(box.rgba, (std::array<double, 4>{1, 0, 0, 1}));
  ASSERT_EQ(upper.collisions.size(), 1u);
  EXPECT_EQ(upper.collisions[0].geometry.kind, GeometryKind::Sphere);
  const Shape& base = m.links[m.LinkIndex("base")].visuals.at(0);
  EXPECT_EQ(base.geometry.kind, GeometryKind::Cylinder);
  EXPECT_DOUBLE_EQ(base.geometry.radius, 0.05);
  EXPECT_DOUBLE_EQ(base.geometry.length, 0.02);
  EXPECT_FALSE(base.hasColor);
  const Shape& finger = m.links[m.LinkIndex("finger")].visuals.at(0);
  EXPECT_EQ(finger.geometry.kind, GeometryKind::Mesh);
  EXPECT_EQ(finger.geometry.mesh, "meshes/finger.stl");
  EXPECT_EQ(finger.geometry.scale, (Vec3{0.001, 0.002, 0.003}));

  const Joint& shoulder = m.joints[m.JointIndex("shoulder")];
  EXPECT_EQ(shoulder.type, JointType::Revolute);
  EXPECT_TRUE(shoulder.hasLimits);
  EXPECT_DOUBLE_EQ(shoulder.lower, -1.57);
  EXPECT_DOUBLE_EQ(shoulder.upper, 0.5);
  EXPECT_EQ(shoulder.axis, (Vec3{0, 0, 1}));
  EXPECT_EQ(m.joints[m.JointIndex("grip")].type, JointType::Prismatic);
  EXPECT_EQ(m.joints[m.JointIndex("spin")].type, JointType::Continuous);
  EXPECT_FALSE(m.joints[m.JointIndex("spin")].hasLimits);

  ASSERT_EQ(m.channels.size(), 3u);  // ordered by channel
  EXPECT_EQ(m.channels[0].channel, 2);
  EXPECT_EQ(m.channels[0].joint, "shoulder");
  EXPECT_DOUBLE_EQ(m.channels[0].reduction, -650);
  EXPECT_EQ(m.channels[1].channel, 7);
  EXPECT_DOUBLE_EQ(m.channels[1].reduction, 1000);
  EXPECT_DOUBLE_EQ(m.channels[1].offset, 0.01);
  EXPECT_EQ(m.channels[2].channel, 24);
  EXPECT_DOUBLE_EQ(m.channels[2].reduction, 2000);
  EXPECT_EQ(m.ForChannel(24)->joint, "spin");
  EXPECT_EQ(m.ForChannel(1), nullptr);
  EXPECT_EQ(m.LinkIndex("nothing"), -1);
}

void ExpectError(const std::string& text, const std::vector<std::string>& parts) {
  const RobotLoadResult r = LoadRobotModelFromString(text, "bad.urdf");
  EXPECT_FALSE(r.model);
  for (const std::string& part : parts)
    EXPECT_NE(r.error.find(part), std::string::npos) << "'" << part << "' not in: " << r.error;
}

TEST(RobotModel, BadTransmissionsNameFileLineAndFault) {
  // The arm's transmissions start on line 35, their <joint> two lines and <actuator> three below.
  ExpectError(Arm(Transmission("elbow", "CH3")), {"bad.urdf:37: ", "'elbow'", "does not have"});
  ExpectError(Arm(Transmission("shoulder", "CH25")), {"bad.urdf:38: ", "'CH25'", "CH1 .. CH24"});
  ExpectError(Arm(Transmission("shoulder", "servo3")), {"'servo3'", "CH1 .. CH24"});
  ExpectError(Arm(Transmission("shoulder", "CH0")), {"'CH0'"});
  ExpectError(Arm(Transmission("shoulder", "ch3")), {"'ch3'"});
  ExpectError(Arm(Transmission("shoulder", "CH3") + Transmission("grip", "CH3")),
              {"bad.urdf:40: ", "CH3", "line 35", "'shoulder'"});
  ExpectError(Arm(Transmission("shoulder", "CH3") + Transmission("shoulder", "CH4")),
              {"'shoulder'", "CH3 already drives"});
  ExpectError(Arm(Transmission("shoulder", "CH3", "0")), {"mechanicalReduction '0'"});
  ExpectError(Arm(Transmission("shoulder", "CH3", "fast")), {"mechanicalReduction 'fast'"});
  ExpectError(Arm(Transmission("shoulder", "CH3", "650", "<offset>x</offset>")), {"offset 'x'"});
  ExpectError(Arm("<transmission name=\"d\"><type>transmission_interface/"
                  "DifferentialTransmission</type></transmission>"),
              {"DifferentialTransmission", "simple"});
  ExpectError(Arm("<transmission name=\"n\"><actuator name=\"CH1\"/></transmission>"),
              {"exactly one <joint>"});
}

TEST(RobotModel, BadDocumentsAreRefusedClearly) {
  ExpectError("<robot name=\"x\">\n  <link name=\"a\">\n</robot>\n", {"bad.urdf:", "XML"});
  ExpectError("", {"bad.urdf", "XML"});
  ExpectError("<?xml version=\"1.0\"?>\n<scene/>\n", {"bad.urdf:2: ", "no <robot>"});
  // urdfdom's own complaints keep its words; the joint it names gives the line.
  std::string noLimit = Arm("");
  const size_t limit = noLimit.find("<limit lower=\"-1.57\"");
  noLimit.erase(limit, noLimit.find("/>", limit) + 2 - limit);
  const RobotLoadResult r = LoadRobotModelFromString(noLimit, "bad.urdf");
  ASSERT_FALSE(r.model);
  EXPECT_NE(r.error.find("bad.urdf:19: "), std::string::npos) << r.error;
  EXPECT_NE(r.error.find("shoulder"), std::string::npos) << r.error;
  ExpectError("<robot name=\"x\"><link name=\"a\"/><link name=\"b\"/></robot>",
              {"bad.urdf:1: ", "Two root links"});
  ExpectError("<robot name=\"x\"></robot>", {"bad.urdf"});
  ExpectError(Arm(Transmission("grip", "CH1")).replace(Arm("").find("prismatic"), 9, "fixed"),
              {"'grip'", "cannot move"});
}

TEST(RobotModel, DeepNestingAndHugeRobotsAreRefusedNotFollowed) {
  std::string deep = "<robot name=\"x\">\n<link name=\"a\"/>\n";
  for (int i = 0; i < 200000; ++i) deep += "<a>";
  ExpectError(deep, {"bad.urdf:3: ", "nest more than 256"});
  // Depth hidden in attribute values, comments and CDATA does not count; real depth does.
  std::string tricky = "<robot name=\"x\"><link name=\"a\"/>";
  for (int i = 0; i < 300; ++i) tricky += "<a b='/>'>";
  ExpectError(tricky, {"nest more than 256"});
  std::string shallow = Arm(Transmission("shoulder", "CH1"));
  shallow.insert(shallow.find("<link name=\"wheel\"/>"),
                 "<!-- " + std::string(3000, '<') + " --><![CDATA[<x><x><x>]]>");
  const RobotLoadResult ok = LoadRobotModelFromString(shallow, "ok.urdf");
  EXPECT_TRUE(ok.model) << ok.error;

  std::string chain = "<robot name=\"c\"><link name=\"l0\"/>";
  for (int i = 1; i <= 1000; ++i) {
    const std::string n = std::to_string(i);
    chain += "<link name=\"l" + n + "\"/><joint name=\"j" + n +
             "\" type=\"fixed\"><parent link=\"l" + std::to_string(i - 1) + "\"/><child link=\"l" +
             n + "\"/></joint>";
  }
  ExpectError(chain + "</robot>", {"1001 links", "at most 1000"});
}

TEST(RobotModel, FilesThatCannotBeReadOrAreTooLarge) {
  TempDir dir;
  RobotLoadResult r = LoadRobotModel(dir.File("missing.urdf"));
  EXPECT_FALSE(r.model);
  EXPECT_NE(r.error.find(dir.File("missing.urdf")), std::string::npos) << r.error;
  r = LoadRobotModel(dir.path().string());
  EXPECT_FALSE(r.model);
  EXPECT_NE(r.error.find("cannot read"), std::string::npos) << r.error;
  {
    std::ofstream big(dir.File("big.urdf"), std::ios::binary);
    big.seekp(static_cast<std::streamoff>(kMaxRobotFileSize));
    big.put('x');
  }
  r = LoadRobotModel(dir.File("big.urdf"));
  EXPECT_FALSE(r.model);
  EXPECT_NE(r.error.find("larger than 16 MB"), std::string::npos) << r.error;
  WriteFile(dir.File("arm.urdf"), Arm(Transmission("shoulder", "CH1")));
  r = LoadRobotModel(dir.File("arm.urdf"));
  ASSERT_TRUE(r.model) << r.error;
  EXPECT_EQ(r.model->sourcePath, dir.File("arm.urdf"));
}

TEST(ShippedRobot, TwentyChannelsDriveTheHumanoidsJoints) {
  const RobotLoadResult r = LoadRobotModel(ShippedRobot());
  ASSERT_TRUE(r.model) << r.error;
  const RobotModel& m = *r.model;
  const std::vector<std::string> expected{
      "head_yaw",         "waist_yaw",       "l_shoulder_pitch", "l_shoulder_roll", "l_elbow",
      "r_shoulder_pitch", "r_shoulder_roll", "r_elbow",          "l_hip_yaw",       "l_hip_roll",
      "l_hip_pitch",      "l_knee",          "l_ankle_pitch",    "l_ankle_roll",    "r_hip_yaw",
      "r_hip_roll",       "r_hip_pitch",     "r_knee",           "r_ankle_pitch",   "r_ankle_roll"};
  ASSERT_EQ(m.channels.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const ChannelJoint& c = m.channels[i];
    EXPECT_EQ(c.channel, static_cast<int>(i) + 1);
    EXPECT_EQ(c.joint, expected[i]);
    EXPECT_DOUBLE_EQ(c.reduction, 650);
    const Joint& j = m.joints.at(m.JointIndex(c.joint));
    EXPECT_EQ(j.type, JointType::Revolute) << j.name;
    EXPECT_TRUE(j.hasLimits);
    EXPECT_LT(j.lower, j.upper);
  }
  for (const Link& link : m.links)
    for (const Shape& s : link.visuals) EXPECT_NE(s.geometry.kind, GeometryKind::Mesh);
  const Joint& knee = m.joints.at(m.JointIndex("l_knee"));
  EXPECT_DOUBLE_EQ(knee.lower, 0);
  EXPECT_DOUBLE_EQ(knee.upper, 2);

  // Standing at rest the ankles are 0.175 m below the pelvis; bending the left knee by 650
  // counts (one radian) lifts the left foot and leaves the right one.
  std::vector<Transform> rest = ForwardKinematics(m, RestJointPositions(m));
  const int lFoot = m.LinkIndex("l_foot");
  const int rFoot = m.LinkIndex("r_foot");
  EXPECT_NEAR(rest[lFoot].position.z, -0.175, 1e-9);
  EXPECT_NEAR(rest[lFoot].position.y, 0.03, 1e-9);
  EXPECT_NEAR(rest[rFoot].position.y, -0.03, 1e-9);
  ChannelWords pose{};
  pose.fill(kPositionCenter);
  pose[11] = kPositionCenter + 650;
  const std::vector<Transform> bent =
      ForwardKinematics(m, JointPositionsFromPose(m, pose, RestJointPositions(m)));
  EXPECT_NEAR(bent[lFoot].position.z, -0.105 - 0.07 * std::cos(1.0), 1e-9);
  EXPECT_NEAR(bent[lFoot].position.x, -0.07 * std::sin(1.0), 1e-9);
  EXPECT_NEAR(bent[rFoot].position.z, -0.175, 1e-9);
}

}  // namespace
}  // namespace brv3::robot
