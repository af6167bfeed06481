#include "core/motion/MotionCurves.h"

#include <gtest/gtest.h>

#include "core/chart/ChartFiles.h"
#include "core/motion/MotionChecks.h"
#include "core/motion/MotionFakes.h"

namespace brv3 {
namespace {

using test::ChartBuilder;

constexpr uint16_t kLoopSet3 = 33287 + 3;
constexpr uint16_t kJumpTo = 57349;  // + slot
constexpr uint16_t kCallTo = 57434;  // + slot

bool Mentions(const std::vector<ChartWarning>& warnings, const std::string& text) {
  for (const ChartWarning& w : warnings)
    if (w.Text.find(text) != std::string::npos) return true;
  return false;
}

TEST(MotionCurvesTest, SeriesFollowTheCompiledStepsWithGapsAndMarkers) {
  // POS1 -> SET -> POS2 -> CMP (branch back to POS2) -> end; POS2 drives only channel 3.
  ChartBuilder b;
  const int p1 = b.Pos("POS1", 16000);
  const int set = b.Add(kSet, "SET", kLoopSet3, 1);
  const int p2 = b.Pos("POS2", 0);
  b.chart.Objects[static_cast<size_t>(p2)].Values[2] = 17000;
  b.chart.Objects[static_cast<size_t>(p2)].Values[3] = 0x8001;
  b.chart.Objects[static_cast<size_t>(p2)].Head = 7;
  const int cmp = b.Cmp("CMP");
  b.Flow(p1, set).Flow(set, p2).Flow(p2, cmp).Branch(cmp, p2);
  const MotionCompileResult compiled = CompileMotionChart(b.chart);
  ASSERT_TRUE(compiled.ok);
  const std::vector<CurveStep> steps = BuildMotionCurves(b.chart, compiled);
  ASSERT_EQ(steps.size(), compiled.records.size());
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps[0].Number, 1);
  EXPECT_EQ(steps[0].Opcode, "PRM");
  EXPECT_EQ(steps[0].Offsets[0], -384);
  EXPECT_EQ(CurveStepMarker(steps[0]), "");
  EXPECT_EQ(steps[1].Object, set);
  EXPECT_EQ(CurveStepMarker(steps[1]), "SET");
  EXPECT_FALSE(steps[1].Offsets[0].has_value());  // a Set word is no servo position
  EXPECT_EQ(steps[2].Speed, 7);
  EXPECT_FALSE(steps[2].Offsets[0].has_value());  // word 0: a gap
  EXPECT_EQ(steps[2].Offsets[2], 616);
  EXPECT_FALSE(steps[2].Offsets[3].has_value());  // an output level: a gap
  EXPECT_EQ(steps[3].Opcode, "CPJ");
  EXPECT_EQ(CurveStepMarker(steps[3]), "CMP");
  EXPECT_EQ(steps[4].Opcode, "END");
  EXPECT_EQ(steps[4].Object, -1);

  const std::string csv = CurvesCsv(steps);
  EXPECT_EQ(csv.substr(0, csv.find('\n')),
            "step,kind,speed,CH1,CH2,CH3,CH4,CH5,CH6,CH7,CH8,CH9,CH10,CH11,CH12,CH13,CH14,CH15,"
            "CH16,CH17,CH18,CH19,CH20,CH21,CH22,CH23,CH24");
  EXPECT_NE(csv.find("\n3,PRM,7,,,616,,,,,,,,,,,,,,,,,,,,,\n"), std::string::npos) << csv;
  EXPECT_NE(csv.find("\n5,END,1,,,,,,,,,,,,,,,,,,,,,,,,\n"), std::string::npos) << csv;
  // A loop drawn back to an earlier step compiles as a jump.
  ChartBuilder loop;
  const int a = loop.Pos("A"), c = loop.Pos("B");
  loop.Flow(a, c).Flow(c, a);
  const auto looped = BuildMotionCurves(loop.chart, CompileMotionChart(loop.chart));
  ASSERT_EQ(looped.size(), 3u);
  EXPECT_EQ(CurveStepMarker(looped[2]), "JMP");
}

TEST(MotionCurvesTest, TheRepositoryChartsCompileIntoSeries) {
  for (const char* name : {"walk.QVB", "wave.csv"}) {
    Chart chart;
    test::ScriptedPrompter prompter;
    ASSERT_EQ(OpenChartFile(chart, std::string(BRV3_TEST_DATA) + "/" + name, prompter).status,
              OpenStatus::Opened)
        << name;
    const MotionCompileResult compiled = CompileMotionChart(chart);
    ASSERT_TRUE(compiled.ok) << name;
    const auto steps = BuildMotionCurves(chart, compiled);
    EXPECT_EQ(steps.size(), compiled.hexRows.size()) << name;
    EXPECT_EQ(steps.back().Opcode, "END") << name;
  }
}

TEST(MotionCurvesTest, LabelsThatWouldOverlapGoUpARow) {
  // "CMP 5" over "END 6": 40 pixels wide, 25 apart.
  EXPECT_EQ(StackLabels({{0, 40}, {25, 65}}, 4), (std::vector<int>{0, 1}));
  // Far enough apart, all in one row; a third label goes back down where there is room.
  EXPECT_EQ(StackLabels({{0, 40}, {44, 84}, {100, 140}}, 4), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(StackLabels({{0, 40}, {20, 60}, {45, 85}, {50, 90}}, 4),
            (std::vector<int>{0, 1, 0, 2}));
  EXPECT_TRUE(StackLabels({}, 4).empty());
}

TEST(MotionCurvesTest, ChannelColoursDifferAndAPanelKeepsItsOwn) {
  std::array<std::optional<Rgb>, kChannels> own{};
  std::array<bool, kChannels> plotted{};
  plotted.fill(true);
  own[2] = Rgb{255, 0, 0};  // CH3 dressed red
  std::array<Rgb, kChannels> colors = DistinctChannelColors(own, plotted);
  EXPECT_EQ(colors[2], (Rgb{255, 0, 0}));
  for (size_t a = 0; a < kChannels; ++a)
    for (size_t b = a + 1; b < kChannels; ++b)
      EXPECT_GE(ColorDistance(colors[a], colors[b]), kDistinctColorDistance) << a << " " << b;

  // A second panel dressed the same red is told apart from the first; the first keeps its red.
  own[6] = Rgb{250, 5, 5};
  colors = DistinctChannelColors(own, plotted);
  EXPECT_EQ(colors[2], (Rgb{255, 0, 0}));
  EXPECT_GE(ColorDistance(colors[2], colors[6]), kDistinctColorDistance);

  // Channels off the plot take no colour from those on it: two plotted channels far apart.
  plotted.fill(false);
  plotted[0] = plotted[1] = true;
  colors = DistinctChannelColors({}, plotted);
  EXPECT_GE(ColorDistance(colors[0], colors[1]), 2 * kDistinctColorDistance);
  EXPECT_EQ(ColorDistance(colors[0], colors[0]), 0);
}

TEST(MotionChecksTest, EachWarningAndItsQuietCounterpart) {
  ChartBuilder b;
  const int p1 = b.Pos("POS1", 17100);  // past the pulse range
  const int cmp = b.Cmp("CMP");
  const int jump = b.Add(kSet, "JUMP", kJumpTo + 4, 1);
  const int lone = b.Pos("LONE");
  b.Flow(p1, cmp).Branch(cmp, p1).Flow(cmp, jump);
  (void)lone;
  BoardKnowledge board;
  std::vector<ChartWarning> w = CheckChart(b.chart, board);
  EXPECT_TRUE(Mentions(w, "\"LONE\" is not reachable")) << w.size();
  EXPECT_TRUE(Mentions(w, "\"POS1\": CH1 17100, CH2 17100"));
  EXPECT_TRUE(Mentions(w, "outside the pulse-servo range (15694..17074)"));
  EXPECT_TRUE(Mentions(w, "\"CMP\" tests the loop counter"));
  EXPECT_FALSE(Mentions(w, "JUMP"));  // the motion table is not known

  // A serial-servo mask widens the range of its channels; a loop-counter Set before the Compare
  // and a filled slot quiet the rest.
  board.serialServoMask = ChannelMask{0xFF, 0xFF, 0xFF};
  std::array<bool, kTableEntries> empty{};
  empty.fill(true);
  board.emptySlots = empty;
  w = CheckChart(b.chart, board);
  EXPECT_FALSE(Mentions(w, "POS1"));
  EXPECT_TRUE(Mentions(w, "Set \"JUMP\" jumps to M5, which the motion table shows empty"));
  empty[4] = false;
  board.emptySlots = empty;
  EXPECT_FALSE(Mentions(CheckChart(b.chart, board), "JUMP"));
  b.chart.Objects[static_cast<size_t>(jump)].Values.fill(kCallTo + 81);
  board.emptySlots->fill(true);
  EXPECT_TRUE(Mentions(CheckChart(b.chart, board), "calls S2"));

  ChartBuilder counted;
  const int set = counted.Add(kSet, "COUNT", kLoopSet3, 1);
  const int pose = counted.Pos("POSE");
  const int test = counted.Cmp("TEST");
  counted.Flow(set, pose).Flow(pose, test).Branch(test, pose);
  EXPECT_TRUE(CheckChart(counted.chart, BoardKnowledge{}).empty());

  // Far beyond the serial range on a serial channel still warns.
  counted.chart.Objects[static_cast<size_t>(pose)].Values[5] = 30000;
  board.serialServoMask = ChannelMask{0x20, 0, 0};
  EXPECT_TRUE(Mentions(CheckChart(counted.chart, board), "CH6 30000 outside the serial-servo"));
}

TEST(MotionChecksTest, LimitsAreWarnedTenBeforeTheyBite) {
  ChartBuilder b;
  int last = b.Pos("P0");
  for (int i = 1; i < 243; ++i) {
    const int p = b.Pos("P" + std::to_string(i));
    b.Flow(last, p);
    last = p;
  }
  EXPECT_FALSE(Mentions(CheckChart(b.chart, {}), "steps"));  // 243 + END = 244
  b.Flow(last, b.Pos("P243"));
  EXPECT_TRUE(Mentions(CheckChart(b.chart, {}), "The motion has 245 steps"));

  ChartBuilder s(kScenarioChart);
  last = s.Mot("M0", 0);
  for (int i = 1; i < 188; ++i) {
    const int m = s.Mot("M" + std::to_string(i), static_cast<uint8_t>(i % 80));
    s.Flow(last, m);
    last = m;
  }
  EXPECT_TRUE(CheckChart(s.chart, {}).empty());
  s.Flow(last, s.Mot("LAST", 1));
  EXPECT_TRUE(Mentions(CheckChart(s.chart, {}), "The scenario has 189 motions"));
}

}  // namespace
}  // namespace brv3
