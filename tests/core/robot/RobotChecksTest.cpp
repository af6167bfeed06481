#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <stop_token>
#include <string>
#include <tuple>
#include <vector>

#include "core/motion/ChannelWord.h"
#include "core/motion/MotionFakes.h"
#include "core/motion/MotionPreview.h"
#include "core/robot/RobotChecks.h"
#include "support/TestSupport.h"

namespace brv3::robot {
namespace {

using test::ChartBuilder;

// A torso (y -0.05..0.05, z 0..0.3) with an arm hanging from a shoulder at y 0.12, z 0.2 that
// turns about x on CH1; the hand, a sphere of 3 cm, sits 15 cm down the arm. At 0 rad the hand
// hangs 4 cm clear of the torso's side; at -pi/2 its centre is 2 cm inside the torso. The arm's
// own box reaches into the torso, but the two are joined by the shoulder. A knee on CH5 and an
// ankle on CH6 carry no shapes.
std::string Robot(const std::string& handOffset = "0 0 -0.15", bool transmissions = true) {
  std::string text = R"(<robot name="arm">
  <link name="torso"><collision><origin xyz="0 0 0.15"/>
    <geometry><box size="0.1 0.1 0.3"/></geometry></collision></link>
  <link name="l_arm"><collision><geometry><box size="0.04 0.2 0.04"/></geometry></collision></link>
  <link name="l_hand"><collision><geometry><sphere radius="0.03"/></geometry></collision></link>
  <link name="l_shin"/>
  <link name="l_foot"/>
  <joint name="l_shoulder" type="revolute"><parent link="torso"/><child link="l_arm"/>
    <origin xyz="0 0.12 0.2"/><axis xyz="1 0 0"/>
    <limit lower="-3" upper="3" effort="1" velocity="1"/></joint>
  <joint name="l_wrist" type="fixed"><parent link="l_arm"/><child link="l_hand"/>
    <origin xyz=")" + handOffset +
                     R"("/></joint>
  <joint name="l_knee" type="revolute"><parent link="torso"/><child link="l_shin"/>
    <axis xyz="0 1 0"/><limit lower="-1.57" upper="0" effort="1" velocity="1"/></joint>
  <joint name="l_ankle" type="revolute"><parent link="l_shin"/><child link="l_foot"/>
    <axis xyz="0 1 0"/><limit lower="0.2" upper="1" effort="1" velocity="1"/></joint>
)";
  if (transmissions) {
    const char* const map[][2] = {{"l_shoulder", "CH1"}, {"l_knee", "CH5"}, {"l_ankle", "CH6"}};
    for (const auto& [joint, channel] : map)
      text += std::string("<transmission name=\"t_") + joint +
              "\"><type>transmission_interface/SimpleTransmission</type><joint name=\"" + joint +
              "\"/><actuator name=\"" + channel +
              "\"><mechanicalReduction>650</mechanicalReduction></actuator></transmission>\n";
  }
  return text + "</robot>";
}

RobotModel Load(const std::string& text) {
  RobotLoadResult loaded = LoadRobotModelFromString(text, "arm.urdf");
  EXPECT_TRUE(loaded.model) << loaded.error;
  return loaded.model ? *loaded.model : RobotModel{};
}

// Servo word of an angle at 650 counts per radian.
uint16_t At(double radians) {
  return static_cast<uint16_t>(kPositionCenter + std::lround(radians * 650));
}

// A chain of poses, one per entry: CH1 (shoulder) and CH5 (knee) as given, CH6 (ankle) at 0.5 rad,
// the other channels at the centre. Each pose moves over 100 ticks.
Chart Poses(const std::vector<std::tuple<std::string, uint16_t, uint16_t>>& poses) {
  ChartBuilder b;
  for (const auto& [name, shoulder, knee] : poses) {
    const int i = b.Pos(name);
    b.chart.Objects[static_cast<size_t>(i)].Values[0] = shoulder;
    b.chart.Objects[static_cast<size_t>(i)].Values[4] = knee;
    b.chart.Objects[static_cast<size_t>(i)].Values[5] = At(0.5);
    if (i > 0) b.Flow(i - 1, i);
  }
  return b.chart;
}

std::vector<std::string> Check(const RobotModel& model, const Chart& chart,
                               const LinkPairSet& disabled = {}) {
  const MotionCompileResult compiled = CompileMotionChart(chart);
  EXPECT_TRUE(compiled.ok) << compiled.failure.text;
  std::vector<std::string> lines;
  for (const ChartWarning& w : CheckRobotMotion(model, disabled, chart, compiled).warnings)
    lines.push_back(w.Text);
  return lines;
}

TEST(RobotChecks, ALinkTurnedIntoTheTorsoHitsItAndOneSwungAwayDoesNot) {
  const RobotModel model = Load(Robot());
  const uint16_t centre = kPositionCenter;
  EXPECT_EQ(Check(model, Poses({{"REST", centre, centre}, {"INTO", At(-1.5708), centre}})),
            (std::vector<std::string>{"step 2 (INTO): l_hand hits torso (depth 50 mm)"}));
  EXPECT_EQ(Check(model, Poses({{"REST", centre, centre}, {"AWAY", At(1.5708), centre}})),
            std::vector<std::string>{});
  // The same contact, its pair disabled, is not a warning.
  EXPECT_EQ(Check(model, Poses({{"REST", centre, centre}, {"INTO", At(-1.5708), centre}}),
                  {{"l_hand", "torso"}}),
            std::vector<std::string>{});
}

TEST(RobotChecks, AContactOnlyOnTheWayBetweenStepsIsReportedOnceWithItsMoment) {
  const RobotModel model = Load(Robot());
  // From hanging down to over the shoulder, the hand sweeps through the torso; both ends clear.
  // The first step runs at the first tick (10 ms), the second 100 ticks later, at 1.01 s; the
  // hand passes the torso's side by more than half a millimetre 10 ticks into its move
  // (-0.28 rad: 1.5 mm; -0.25 rad: clear). It goes deepest near -0.93 rad, where its centre is
  // 5 cm from the torso's front, back and side: 8 cm with its radius.
  const Chart chart =
      Poses({{"DOWN", kPositionCenter, kPositionCenter}, {"UP", At(-2.8), kPositionCenter}});
  EXPECT_EQ(Check(model, chart),
            (std::vector<std::string>{"step 1 (DOWN) -> step 2 (UP), at 1.11 s: l_hand hits torso "
                                      "(depth 80 mm)"}));
}

TEST(RobotChecks, LimitsAreCheckedAtTheStepsOnly) {
  const RobotModel model = Load(Robot());
  // The knee bends forward beyond its limit at step 2. The ankle starts at 0 rad, below its
  // limit of 0.2, and every step holds it at 0.5: it passes its limit only on the way to step 1.
  const Chart chart = Poses({{"STAND", kPositionCenter, kPositionCenter},
                             {"KICK", kPositionCenter, At(0.42)},
                             {"CROUCH", kPositionCenter, At(-1.2)}});
  EXPECT_EQ(Check(model, chart),
            (std::vector<std::string>{
                "step 2 (KICK): CH5 l_knee at 0.42 rad is beyond its limit -1.57..0.00 rad"}));
  const std::vector<ChartWarning> warnings =
      CheckRobotMotion(model, {}, chart, CompileMotionChart(chart)).warnings;
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].Object, 1);  // the step's object
}

TEST(RobotChecks, AdjacentLinksAreNeverReported) {
  // The arm's box overlaps the torso at every angle, and the hand, set into the arm's box by its
  // fixed joint, overlaps the arm.
  const RobotModel model = Load(Robot("0 0.05 0"));
  EXPECT_EQ(
      Check(model, Poses({{"A", At(0.3), kPositionCenter}, {"B", At(-0.3), kPositionCenter}})),
      std::vector<std::string>{});
}

TEST(RobotChecks, AMotionThatDrivesNoneOfTheRobotsChannelsGivesNothing) {
  // At rest the hand sits inside the torso.
  const std::string inside = "0 -0.15 0";
  const Chart chart = Poses({{"A", kPositionCenter, kPositionCenter}});
  EXPECT_FALSE(Check(Load(Robot(inside)), chart).empty());  // the robot as it stands collides
  EXPECT_EQ(Check(Load(Robot(inside, false)), chart), std::vector<std::string>{});
  // Channels holding no servo position (FREE) drive nothing either.
  Chart freed = chart;
  freed.Objects[0].Values.fill(0x8002);
  EXPECT_EQ(Check(Load(Robot(inside)), freed), std::vector<std::string>{});
}

TEST(RobotChecks, AStopRequestEndsTheCheckAndSaysSo) {
  const RobotModel model = Load(Robot());
  const Chart chart =
      Poses({{"DOWN", kPositionCenter, kPositionCenter}, {"UP", At(-2.8), At(0.42)}});
  const MotionCompileResult compiled = CompileMotionChart(chart);
  std::stop_source source;
  source.request_stop();
  const RobotCheckResult stopped =
      CheckRobotMotion(model, {}, chart, compiled, {}, source.get_token());
  EXPECT_TRUE(stopped.stopped);
  const RobotCheckResult whole = CheckRobotMotion(model, {}, chart, compiled);
  EXPECT_FALSE(whole.stopped);
  EXPECT_EQ(whole.warnings.size(), 2u);  // the knee at step 2 and the hand on the way
  EXPECT_LT(stopped.warnings.size(), whole.warnings.size());
}

TEST(RobotChecks, TheRobotsWarningsFollowTheChartsOwn) {
  const RobotModel model = Load(Robot());
  const CheckedRobot robot{model, {}};
  // -1.5708 rad is outside the pulse-servo range: the chart's own warning comes first.
  const Chart chart =
      Poses({{"REST", kPositionCenter, kPositionCenter}, {"INTO", At(-1.5708), kPositionCenter}});
  const std::vector<ChartWarning> own = CheckChart(chart, {});
  ASSERT_EQ(own.size(), 1u);
  std::vector<ChartWarning> all = CheckChartWithRobot(chart, {}, &robot);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0], own[0]);
  EXPECT_EQ(all[1].Text, "step 2 (INTO): l_hand hits torso (depth 50 mm)");
  EXPECT_EQ(CheckChartWithRobot(chart, {}, nullptr), own);
}

TEST(RobotChecks, MeshShapesAreLeftOutWithANote) {
  std::string text = Robot();
  text.insert(text.find("</link>"),
              "<collision><geometry><mesh filename=\"chest.stl\"/></geometry></collision>");
  const RobotModel model = Load(text);
  const Chart chart =
      Poses({{"REST", kPositionCenter, kPositionCenter}, {"INTO", At(-1.5708), kPositionCenter}});
  const RobotCheckResult result = CheckRobotMotion(model, {}, chart, CompileMotionChart(chart));
  EXPECT_EQ(result.notes, (std::vector<std::string>{
                              "1 mesh collision shape was left out of the self-collision check",
                              "chest.stl: not read, the robot was not read from a file"}));
  ASSERT_EQ(result.warnings.size(), 1u);  // the torso's box still counts
  EXPECT_EQ(CheckRobotMotion(Load(Robot()), {}, chart, CompileMotionChart(chart)).notes,
            std::vector<std::string>{});
}

// A cube of edge 1 centred on its origin, as ASCII STL.
std::string UnitCube() {
  const double c[8][3] = {{-.5, -.5, -.5}, {.5, -.5, -.5}, {.5, .5, -.5}, {-.5, .5, -.5},
                          {-.5, -.5, .5},  {.5, -.5, .5},  {.5, .5, .5},  {-.5, .5, .5}};
  const int faces[12][3] = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                            {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
  std::string out = "solid cube\n";
  for (const auto& f : faces) {
    out += "facet normal 0 0 0\nouter loop\n";
    for (int v : f)
      out += "vertex " + std::to_string(c[v][0]) + " " + std::to_string(c[v][1]) + " " +
             std::to_string(c[v][2]) + "\n";
    out += "endloop\nendfacet\n";
  }
  return out + "endsolid cube\n";
}

TEST(RobotChecks, MeshShapesAreReadFromStlFilesBesideTheRobotAndScaled) {
  const test::TempDir dir;
  { std::ofstream(dir.File("cube.stl")) << UnitCube(); }
  // The torso's box as the cube scaled to 10 x 10 x 30 cm, or shrunk to a 1 cm speck in its
  // middle.
  const auto withTorso = [&dir](const std::string& scale) {
    std::string text = Robot();
    const std::string box = "<box size=\"0.1 0.1 0.3\"/>";
    text.replace(text.find(box), box.size(),
                 "<mesh filename=\"cube.stl\" scale=\"" + scale + "\"/>");
    const std::string path = dir.File("arm.urdf");
    std::ofstream(path) << text;
    RobotLoadResult loaded = LoadRobotModel(path);
    EXPECT_TRUE(loaded.model) << loaded.error;
    return loaded.model ? *loaded.model : RobotModel{};
  };
  const Chart into =
      Poses({{"REST", kPositionCenter, kPositionCenter}, {"INTO", At(-1.5708), kPositionCenter}});
  const RobotModel model = withTorso("0.1 0.1 0.3");
  const RobotCheckResult result = CheckRobotMotion(model, {}, into, CompileMotionChart(into));
  EXPECT_EQ(result.notes, std::vector<std::string>{});
  ASSERT_EQ(result.warnings.size(), 1u);
  EXPECT_EQ(result.warnings[0].Text.rfind("step 2 (INTO): l_hand hits torso (depth ", 0), 0u)
      << result.warnings[0].Text;
  EXPECT_EQ(Check(model, Poses({{"REST", kPositionCenter, kPositionCenter},
                                {"AWAY", At(1.5708), kPositionCenter}})),
            std::vector<std::string>{});
  // Shrunk, the torso is clear of the hand at the step; the hand only brushes it on the way.
  const std::vector<std::string> speck = Check(withTorso("0.01 0.01 0.01"), into);
  ASSERT_EQ(speck.size(), 1u);
  EXPECT_EQ(speck[0].rfind("step 1 (REST) -> step 2 (INTO), at 1.63 s: l_hand hits torso", 0), 0u)
      << speck[0];

  // A mesh that cannot be read is left out, and the note says why.
  std::ofstream(dir.File("cube.stl")) << "solid cube\nfacet normal 0 0 1\n";
  const RobotCheckResult broken =
      CheckRobotMotion(withTorso("0.1 0.1 0.3"), {}, into, CompileMotionChart(into));
  EXPECT_TRUE(broken.warnings.empty());
  ASSERT_EQ(broken.notes.size(), 2u);
  EXPECT_EQ(broken.notes[0], "1 mesh collision shape was left out of the self-collision check");
  EXPECT_EQ(broken.notes[1], dir.File("cube.stl") + ": line 3: 'outer' expected");
}

TEST(RobotChecks, AMotionThatRepeatsIsCheckedOnTheWayBackToItsStart) {
  const RobotModel model = Load(Robot());
  Chart chart =
      Poses({{"DOWN", kPositionCenter, kPositionCenter}, {"UP", At(-2.8), kPositionCenter}});
  chart.Links.push_back(chart.Links.front());
  chart.Links.back().Origin = 1;
  chart.Links.back().Final = 0;
  const std::vector<std::string> lines = Check(model, chart);
  ASSERT_EQ(lines.size(), 2u) << testing::PrintToString(lines);
  EXPECT_EQ(lines[0].rfind("step 1 (DOWN) -> step 2 (UP), at 1.11 s: l_hand hits torso", 0), 0u);
  EXPECT_EQ(lines[1].rfind("step 2 (UP) -> step 1 (DOWN), at ", 0), 0u) << lines[1];
}

// Each robot warning says when it holds as the board plays the motion, and which links it is
// about, so a preview can mark those moments.
TEST(RobotChecks, EachWarningNamesItsLinksAndTheMomentsItHolds) {
  const RobotModel model = Load(Robot());
  const auto warnings = [&model](const Chart& chart) {
    return CheckRobotMotion(model, {}, chart, CompileMotionChart(chart)).warnings;
  };
  // On the way only: from the first tick in contact (1.11 s) until the hand is out again, well
  // before the arm is up at 2.01 s.
  std::vector<ChartWarning> found = warnings(
      Poses({{"DOWN", kPositionCenter, kPositionCenter}, {"UP", At(-2.8), kPositionCenter}}));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Links, (std::vector<std::string>{"l_hand", "torso"}));
  ASSERT_EQ(found[0].Moments.size(), 1u);
  EXPECT_NEAR(found[0].Moments[0].From, 1.11, 1e-9);
  EXPECT_GT(found[0].Moments[0].To, 1.5);
  EXPECT_LT(found[0].Moments[0].To, 2.0);

  // In contact at the step: from the moment the hand gets in until the motion's end, where it
  // stays.
  const Chart into =
      Poses({{"REST", kPositionCenter, kPositionCenter}, {"INTO", At(-1.5708), kPositionCenter}});
  found = warnings(into);
  ASSERT_EQ(found.size(), 1u);
  ASSERT_EQ(found[0].Moments.size(), 1u);
  EXPECT_GT(found[0].Moments[0].From, 1.01);
  EXPECT_LT(found[0].Moments[0].From, 1.5);
  EXPECT_NEAR(found[0].Moments[0].To, MotionPreview(CompileMotionChart(into).records).Duration(),
              1e-9);

  // A limit holds while its step's move goes beyond it and the pose stays: the knee passes 0 at
  // once after step 2 runs (1.01 s) and is back within when step 3 runs (2.01 s). It moves the
  // shin.
  found = warnings(Poses({{"STAND", kPositionCenter, kPositionCenter},
                          {"KICK", kPositionCenter, At(0.42)},
                          {"CROUCH", kPositionCenter, At(-1.2)}}));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].Links, std::vector<std::string>{"l_shin"});
  ASSERT_EQ(found[0].Moments.size(), 1u);
  EXPECT_NEAR(found[0].Moments[0].From, 1.02, 1e-9);
  EXPECT_NEAR(found[0].Moments[0].To, 2.0, 1e-9);
}

TEST(RobotChecks, DisabledPairsAreReadBesideTheRobot) {
  const RobotModel model = Load(Robot());
  DisabledCollisionsResult read = ReadDisabledCollisions(
      "<robot name=\"arm\"><disable_collisions link1=\"torso\" link2=\"l_hand\" "
      "reason=\"Never\"/></robot>",
      model, "arm.srdf");
  ASSERT_TRUE(read.pairs) << read.error;
  EXPECT_EQ(*read.pairs, (LinkPairSet{{"l_hand", "torso"}}));

  read = ReadDisabledCollisions(
      "<robot name=\"arm\">\n<disable_collisions link1=\"torso\" link2=\"l_elbow\"/></robot>",
      model, "arm.srdf");
  EXPECT_FALSE(read.pairs);
  EXPECT_EQ(read.error, "arm.srdf:2: <disable_collisions> names the unknown link 'l_elbow'");
  read = ReadDisabledCollisions("<robot><disable_collisions link1=\"torso\"/>", model, "arm.srdf");
  EXPECT_FALSE(read.pairs);
  EXPECT_EQ(SemanticFileBeside("/robots/arm.urdf"), "/robots/arm.srdf");
}

}  // namespace
}  // namespace brv3::robot
