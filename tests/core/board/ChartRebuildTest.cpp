#include "core/board/ChartRebuild.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "core/motion/ChannelWord.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionFakes.h"

namespace brv3 {
namespace {

using test::ChartBuilder;

PoseRecord Step(uint8_t head, uint16_t word) {
  PoseRecord r;
  r.Head = head;
  r.Values.fill(word);
  return r;
}
PoseRecord Jump(int step) {
  return Step(1, static_cast<uint16_t>(kWordJumpBase + step));
}
PoseRecord End() {
  return Step(1, kWordEnd);
}

// Wires as (kind, origin name, final name), order-free.
std::set<std::tuple<int, std::string, std::string>> Wires(const Chart& c) {
  std::set<std::tuple<int, std::string, std::string>> out;
  for (const ChartLink& l : c.Links)
    out.insert({l.Main, c.Objects[static_cast<size_t>(l.Origin)].Name,
                c.Objects[static_cast<size_t>(l.Final)].Name});
  return out;
}

TEST(RebuildMotionChart, CompiledChartComesBackWithItsWiring) {
  // POS1 -> CMP1 -> POS2 -> back to POS1; CMP1 branches to SET1 -> MIX1 (end).
  ChartBuilder b;
  int pos1 = b.Pos("P"), cmp1 = b.Cmp("C"), pos2 = b.Pos("Q", 0x8000);
  int set1 = b.Add(kSet, "S", 32774, 3), mix1 = b.Add(kMix, "M", 64500, 1);
  b.Flow(pos1, cmp1).Flow(cmp1, pos2).Flow(pos2, pos1).Branch(cmp1, set1).Flow(set1, mix1);
  MotionCompileResult compiled = CompileMotionChart(b.chart);
  ASSERT_TRUE(compiled.ok);

  MotionRead read;
  read.steps = compiled.records;
  read.name = "WALK";
  read.ctrl = 0x1234;
  Chart chart;
  chart.Type = kScenarioChart;
  chart.Objects.resize(3);  // whatever was there is replaced
  RebuildMotionChart(chart, read);

  EXPECT_EQ(chart.Type, kMotionChart);
  EXPECT_EQ(chart.Name, "WALK");
  EXPECT_EQ(chart.Ctrl, 0x1234);
  EXPECT_EQ(chart.Start, 0);
  ASSERT_EQ(chart.ObjectCount(), 5);
  std::vector<uint8_t> types;
  for (const ChartObject& o : chart.Objects) types.push_back(o.Type);
  EXPECT_EQ(types, (std::vector<uint8_t>{kPosition, kCompare, kPosition, kSet, kMix}));
  EXPECT_EQ(chart.Objects[1].Values, b.chart.Objects[1].Values);  // branch step taken off
  EXPECT_EQ(chart.Objects[1].Head, 1);
  EXPECT_EQ(chart.Objects[3].Head, 3);
  EXPECT_EQ(chart.Objects[2].Values[5], 0x8000);
  EXPECT_EQ(chart.Objects[1].Name, "CMP1");
  EXPECT_EQ(Wires(chart),
            (std::set<std::tuple<int, std::string, std::string>>{{kFlowWiring, "POS1", "CMP1"},
                                                                 {kFlowWiring, "CMP1", "POS2"},
                                                                 {kFlowWiring, "POS2", "POS1"},
                                                                 {kBranchWiring, "CMP1", "SET1"},
                                                                 {kFlowWiring, "SET1", "MIX1"}}));
  // Placement down the column from (5, 5), 40 apart.
  EXPECT_EQ(chart.Objects[0].Left, 5);
  EXPECT_EQ(chart.Objects[4].Top, 165);
  for (const ChartLink& l : chart.Links) EXPECT_EQ(l.Selected, 0);

  // The rebuilt chart compiles to the same records.
  EXPECT_EQ(CompileMotionChart(chart).records, compiled.records);
}

TEST(RebuildMotionChart, FollowsJumpChainsAndSkipsLoops) {
  MotionRead read;
  read.steps = {Jump(3), Step(100, 1), Jump(5), Jump(4), Step(50, 2),
                Jump(2), Step(7, 3),   Jump(7), End()};
  // Steps: 0 JMP->3, 1 A, 2 JMP->5, 3 JMP->4, 4 B, 5 JMP->2 (loop 2<->5), 6 C, 7 JMP->7, 8 END.
  Chart chart;
  RebuildMotionChart(chart, read);
  ASSERT_EQ(chart.ObjectCount(), 3);  // A, B, C
  EXPECT_EQ(chart.Objects[0].Head, 100);
  EXPECT_EQ(chart.Start, 1);  // step 0 jumps on to B
  // A -> (2 -> 5 -> 2: loop) nothing; B -> (5 -> 2 -> 5) nothing; C -> (7 -> 7) nothing.
  EXPECT_TRUE(chart.Links.empty());

  read.steps = {Step(1, 100), Jump(3), End(), Step(1, 200), Jump(0)};
  RebuildMotionChart(chart, read);
  ASSERT_EQ(chart.ObjectCount(), 2);
  EXPECT_EQ(Wires(chart), (std::set<std::tuple<int, std::string, std::string>>{
                              {kFlowWiring, "POS1", "POS2"}, {kFlowWiring, "POS2", "POS1"}}));
}

TEST(RebuildMotionChart, DerivedTypesAndLastStepBranch) {
  MotionRead read;
  PoseRecord mixed = Step(9, 32774);  // Set words ...
  mixed.Values[0] = 33543;            // ... with a Compare word: a Position object
  PoseRecord lastCompare = Step(1, 33543 + 0);
  read.steps = {mixed, lastCompare};
  Chart chart;
  chart.CanvasHeight = 60;  // one object per column
  RebuildMotionChart(chart, read);
  ASSERT_EQ(chart.ObjectCount(), 2);
  EXPECT_EQ(chart.Objects[0].Type, kPosition);
  EXPECT_EQ(chart.Objects[0].Values[0], 33543);  // a Position keeps its words
  EXPECT_EQ(chart.Objects[1].Type, kCompare);
  EXPECT_EQ(chart.Objects[1].Left, 75);
  EXPECT_EQ(chart.Objects[1].Top, 5);
  // The last step is an object step too: its branch to step 0 is kept.
  EXPECT_EQ(Wires(chart), (std::set<std::tuple<int, std::string, std::string>>{
                              {kFlowWiring, "POS1", "CMP1"}, {kBranchWiring, "CMP1", "POS1"}}));

  read.steps = {End()};
  RebuildMotionChart(chart, read);
  EXPECT_EQ(chart.ObjectCount(), 0);
  EXPECT_EQ(chart.Start, -1);
}

TEST(RebuildScenarioChart, ChainOfMotObjectsNamedFromTheTable) {
  test::FakeMotionBoard board;
  board.UpdateTableEntry(2, 5, 0, "WALK", EntryDate::Now(), 0xFFFF);
  board.UpdateTableEntry(0, 5, 0, "歩行", EntryDate::Now(), 0xFFFF);
  ScenarioRead read;
  read.motions = {2, 0, 2};
  read.name = "SCN";
  read.ctrl = 7;
  Chart chart;
  RebuildScenarioChart(chart, read, board,
                       [](const std::string& text) { return static_cast<int32_t>(text.size()); });
  EXPECT_EQ(chart.Type, kScenarioChart);
  EXPECT_EQ(chart.Name, "SCN");
  EXPECT_EQ(chart.Ctrl, 7);
  EXPECT_EQ(chart.Start, 0);
  ASSERT_EQ(chart.ObjectCount(), 3);
  EXPECT_EQ(chart.Objects[0].Name, "M3 WALK");
  EXPECT_EQ(chart.Objects[1].Name, "M1 歩行");
  EXPECT_EQ(chart.Objects[0].Width, 7 + 20);
  EXPECT_EQ(chart.Objects[0].Height, 30);
  EXPECT_EQ(chart.Objects[2].Top, 85);
  EXPECT_EQ(chart.Objects[1].Type, kMot);
  EXPECT_EQ(chart.Objects[1].Head, 0);
  EXPECT_EQ(chart.Objects[1].Color, kColorWhite);
  EXPECT_EQ(Wires(chart),
            (std::set<std::tuple<int, std::string, std::string>>{
                {kFlowWiring, "M3 WALK", "M1 歩行"}, {kFlowWiring, "M1 歩行", "M3 WALK"}}));
  EXPECT_EQ(chart.Links[1].Origin, 1);
  EXPECT_EQ(chart.Links[1].Final, 2);
}

}  // namespace
}  // namespace brv3
