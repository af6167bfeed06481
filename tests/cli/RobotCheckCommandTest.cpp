#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"

namespace brv3::test {
namespace {

// A torso with an arm turning about x on CH1 (650 counts per radian) and a hand 15 cm down the
// arm: at -pi/2 the hand is inside the torso, at +pi/2 and at 0 it is clear. A knee on CH5 bends
// from -1.57 to 0 rad.
const char* const kArm = R"(<robot name="arm">
  <link name="torso"><collision><origin xyz="0 0 0.15"/>
    <geometry><box size="0.1 0.1 0.3"/></geometry></collision></link>
  <link name="l_arm"/>
  <link name="l_hand"><collision><geometry><sphere radius="0.03"/></geometry></collision></link>
  <link name="l_shin"/>
  <joint name="l_shoulder" type="revolute"><parent link="torso"/><child link="l_arm"/>
    <origin xyz="0 0.12 0.2"/><axis xyz="1 0 0"/>
    <limit lower="-3" upper="3" effort="1" velocity="1"/></joint>
  <joint name="l_wrist" type="fixed"><parent link="l_arm"/><child link="l_hand"/>
    <origin xyz="0 0 -0.15"/></joint>
  <joint name="l_knee" type="revolute"><parent link="torso"/><child link="l_shin"/>
    <axis xyz="0 1 0"/><limit lower="-1.57" upper="0" effort="1" velocity="1"/></joint>
  <transmission name="a"><type>transmission_interface/SimpleTransmission</type>
    <joint name="l_shoulder"/>
    <actuator name="CH1"><mechanicalReduction>650</mechanicalReduction></actuator></transmission>
  <transmission name="b"><type>transmission_interface/SimpleTransmission</type>
    <joint name="l_knee"/>
    <actuator name="CH5"><mechanicalReduction>650</mechanicalReduction></actuator></transmission>
</robot>
)";

// A motion of two poses, REST (every channel at the centre) then MOVE, CH1 and CH5 as given.
std::string TwoPoses(int shoulder, int knee) {
  std::string rest;
  std::string move;
  for (int c = 1; c <= 24; ++c) {
    rest += ",16384";
    move += "," + std::to_string(c == 1 ? shoulder : c == 5 ? knee : 16384);
  }
  return "[GraphicalEdit]\r\nType=0\r\nWidth=640\r\nHeight=480\r\nItems=2\r\nLinks=1\r\nStart=0\r\n"
         "Name=ARM\r\nCtrl=65535\r\n\r\n"
         "[Item0]\r\nName=REST\r\nType=0\r\nPrm=50" +
         rest + "\r\n\r\n[Item1]\r\nName=MOVE\r\nType=0\r\nPrm=50" + move +
         "\r\n\r\n[Link0]\r\nMain=0\r\nOrigin=0\r\nFinal=1\r\nPoint=\r\n\r\n";
}

ProcessResult Check(const TempDir& dir, const std::string& chart) {
  return RunProcess(BRV3_CLI_PATH,
                    {"compile", "--check", "--robot", dir.File("arm.urdf"), dir.File(chart)});
}

TEST(CompileCheckRobot, NamesLimitsAndCollisionsAfterTheChartsOwnWarnings) {
  TempDir dir;
  WriteFile(dir.File("arm.urdf"), kArm);
  // The arm turned into the torso (-1.5708 rad: word 15363, outside the pulse-servo range) and
  // the knee bent the wrong way (0.42 rad).
  WriteFile(dir.File("into.QVB"), TwoPoses(15363, 16657));
  ProcessResult r = Check(dir, "into.QVB");
  EXPECT_EQ(r.exitCode, 4) << r.err;
  EXPECT_EQ(r.out,
            "warning: Object \"MOVE\": CH1 15363 outside the pulse-servo range (15694..17074)\n"
            "warning: step 2 (MOVE): CH5 l_knee at 0.42 rad is beyond its limit -1.57..0.00 rad\n"
            "warning: step 2 (MOVE): l_hand hits torso (depth 50 mm)\n");
  // Without the robot only the chart's own warning.
  r = RunProcess(BRV3_CLI_PATH, {"compile", "--check", dir.File("into.QVB")});
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_EQ(r.out.find("l_hand"), std::string::npos) << r.out;

  // Swung away (+1.0 rad) with the knee bent within its range: silent, exit 0.
  WriteFile(dir.File("away.QVB"), TwoPoses(17034, 16000));
  r = Check(dir, "away.QVB");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");

  // The pair disabled in the semantic file beside the robot: only the limit remains.
  WriteFile(dir.File("arm.srdf"),
            "<robot name=\"arm\"><disable_collisions link1=\"l_hand\" link2=\"torso\"/></robot>");
  r = Check(dir, "into.QVB");
  EXPECT_EQ(r.exitCode, 4);
  EXPECT_EQ(r.out.find("l_hand"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("l_knee"), std::string::npos) << r.out;
}

TEST(CompileCheckRobot, ABadRobotOrSemanticFileExitsWithTwo) {
  TempDir dir;
  WriteFile(dir.File("into.QVB"), TwoPoses(15363, 16657));
  WriteFile(dir.File("arm.urdf"), "<robot name=\"arm\"><link name=\"a\">");
  ProcessResult r = Check(dir, "into.QVB");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(dir.File("arm.urdf")), std::string::npos) << r.err;

  r = RunProcess(BRV3_CLI_PATH,
                 {"compile", "--check", "--robot", dir.File("none.urdf"), dir.File("into.QVB")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("none.urdf"), std::string::npos) << r.err;

  WriteFile(dir.File("arm.urdf"), kArm);
  WriteFile(dir.File("arm.srdf"),
            "<robot name=\"arm\">\n<disable_collisions link1=\"l_hand\" link2=\"chest\"/></robot>");
  r = Check(dir, "into.QVB");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find(dir.File("arm.srdf") + ":2: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("'chest'"), std::string::npos) << r.err;

  // The option belongs to --check.
  EXPECT_EQ(
      RunProcess(BRV3_CLI_PATH, {"compile", "--robot", dir.File("arm.urdf"), dir.File("into.QVB")})
          .exitCode,
      2);
}

TEST(CompileCheckRobot, TheShippedRobotAtRestIsClean) {
  TempDir dir;
  WriteFile(dir.File("rest.QVB"), TwoPoses(16384, 16384));
  const ProcessResult r = RunProcess(
      BRV3_CLI_PATH, {"compile", "--check", "--robot", DataFile("../../data/robots/humanoid.urdf"),
                      dir.File("rest.QVB")});
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace brv3::test
