#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace brv3::test {
namespace {

const char* const kLeg = R"(<robot name="leg">
  <link name="hip"/>
  <link name="shin"/>
  <link name="foot"/>
  <joint name="l_knee" type="revolute">
    <parent link="hip"/><child link="shin"/>
    <axis xyz="0 1 0"/>
    <limit lower="-1.57" upper="0" effort="1" velocity="1"/>
  </joint>
  <joint name="slide" type="prismatic">
    <parent link="shin"/><child link="foot"/>
    <limit lower="0" upper="0.025" effort="1" velocity="1"/>
  </joint>
  <transmission name="a"><type>transmission_interface/SimpleTransmission</type>
    <joint name="slide"><offset>0.01</offset></joint>
    <actuator name="CH12"><mechanicalReduction>40000</mechanicalReduction></actuator>
  </transmission>
  <transmission name="b"><type>transmission_interface/SimpleTransmission</type>
    <joint name="l_knee"/>
    <actuator name="CH5"><mechanicalReduction>650</mechanicalReduction></actuator>
  </transmission>
</robot>
)";

TEST(RobotCommand, ListsChannelsWithJointsLimitsAndReductions) {
  TempDir dir;
  WriteFile(dir.File("leg.urdf"), kLeg);
  ProcessResult r = RunProcess(BRV3_CLI_PATH, {"robot", dir.File("leg.urdf")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "robot leg: 3 links, 2 joints, 2 channels\n"
            "CH5 l_knee revolute -1.57..0.00 rad R=650\n"
            "CH12 slide prismatic 0.000..0.025 m R=40000 offset=0.010\n");
  EXPECT_TRUE(r.err.empty());

  r = RunProcess(BRV3_CLI_PATH, {"robot", DataFile("../../data/robots/humanoid.urdf")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("\nCH1 head_yaw revolute -1.57..1.57 rad R=650\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\nCH12 l_knee revolute 0.00..2.00 rad R=650\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nCH20 r_ankle_roll "), std::string::npos);
}

TEST(RobotCommand, ABadFileExitsWithTwoAndSaysWhy) {
  TempDir dir;
  std::string twice = kLeg;
  twice.replace(twice.find("CH12"), 4, "CH5");
  WriteFile(dir.File("twice.urdf"), twice);
  ProcessResult r = RunProcess(BRV3_CLI_PATH, {"robot", dir.File("twice.urdf")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find(dir.File("twice.urdf") + ":18: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("CH5"), std::string::npos) << r.err;

  WriteFile(dir.File("broken.urdf"), "<robot name=\"x\">\n<link name=\"a\">\n");
  r = RunProcess(BRV3_CLI_PATH, {"robot", dir.File("broken.urdf")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("broken.urdf:"), std::string::npos) << r.err;

  r = RunProcess(BRV3_CLI_PATH, {"robot", dir.File("missing.urdf")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("missing.urdf"), std::string::npos) << r.err;
  r = RunProcess(BRV3_CLI_PATH, {"robot"});
  EXPECT_EQ(r.exitCode, 2);
}

}  // namespace
}  // namespace brv3::test
