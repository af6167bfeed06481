#include "core/motion/MotionCompiler.h"

#include <gtest/gtest.h>

#include "core/motion/MotionFakes.h"

namespace brv3 {
namespace {

using test::ChartBuilder;

std::vector<int32_t> Kinds(const MotionCompileResult& r) {
  std::vector<int32_t> kinds;
  for (const StepEntry& s : r.steps) kinds.push_back(s.Kind);
  return kinds;
}

std::string Repeat(const std::string& text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

TEST(CompileMotionChart, SingleObjectGivesPrmAndEndWithExactListingAndHex) {
  ChartBuilder b;
  b.Pos("POS1");
  MotionCompileResult r = CompileMotionChart(b.chart);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.status, "Compile successful");
  EXPECT_EQ(r.steps, (std::vector<StepEntry>{{0, -1}, {kEndStepKind, -1}}));
  ASSERT_EQ(r.listing.size(), 2u);
  EXPECT_EQ(r.listing[0], "\"POS1\",PRM,64" + Repeat("4000", 24));
  EXPECT_EQ(r.listing[1], ",END,,\"; 終了\"");
  ASSERT_EQ(r.hexRows.size(), 2u);
  EXPECT_EQ(r.hexRows[0], "001 64" + Repeat(" 4000", 24));
  EXPECT_EQ(r.hexRows[1], "002 01" + Repeat(" FFFF", 24));
  EXPECT_EQ(r.records[0].Head, 100);
  EXPECT_EQ(r.records[0].Values[23], 16384);
  EXPECT_EQ(r.records[1].Head, 1);
  EXPECT_EQ(r.records[1].Values[0], 0xFFFF);
  EXPECT_TRUE(r.warning.empty());
}

TEST(CompileMotionChart, LoopBackBecomesJumpStep) {
  ChartBuilder b;
  int p1 = b.Pos("POS1"), p2 = b.Pos("POS2", 0x1234);
  b.Flow(p1, p2).Flow(p2, p1);
  MotionCompileResult r = CompileMotionChart(b.chart);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.steps, (std::vector<StepEntry>{{0, -1}, {1, -1}, {kJumpStepKind, 0}}));
  EXPECT_EQ(r.listing[1], "\"POS2\",PRM,64" + Repeat("1234", 24));
  EXPECT_EQ(r.listing[2], ",JMP,\"POS1(0)\",\"; POS1にジャンプ\"");
  EXPECT_EQ(r.records[2].Head, 1);
  for (uint16_t w : r.records[2].Values) EXPECT_EQ(w, 0x8107);
  EXPECT_EQ(r.hexRows[2], "003 01" + Repeat(" 8107", 24));

  // A flow wire from an object to itself jumps to its own step.
  ChartBuilder self;
  int a = self.Pos("A");
  self.Pos("B");
  self.Flow(a, 1).Flow(1, 1);
  r = CompileMotionChart(self.chart);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.listing[2], ",JMP,\"B(1)\",\"; Bにジャンプ\"");

  // A quote inside a name is doubled so that the listing line still splits into its fields.
  self.chart.Objects[0].Name = "A\"1";
  EXPECT_EQ(CompileMotionChart(self.chart).listing[0].substr(0, 11), "\"A\"\"1\",PRM,");
}

TEST(CompileMotionChart, BranchTargetsAreLaidOutAfterTheirChainInTheOrderMet) {
  // POS1 -> CMP1 -> CMP2 -> POS2; CMP1 branches to POS3 -> CMP3 (branch to POS5), CMP2 to POS4.
  ChartBuilder b;
  int pos1 = b.Pos("POS1"), cmp1 = b.Cmp("CMP1"), cmp2 = b.Cmp("CMP2"), pos2 = b.Pos("POS2");
  int pos3 = b.Pos("POS3"), cmp3 = b.Cmp("CMP3"), pos4 = b.Pos("POS4"), pos5 = b.Pos("POS5");
  b.Flow(pos1, cmp1).Flow(cmp1, cmp2).Flow(cmp2, pos2);
  b.Branch(cmp1, pos3).Flow(pos3, cmp3).Branch(cmp3, pos5).Branch(cmp2, pos4);
  MotionCompileResult r = CompileMotionChart(b.chart);
  ASSERT_TRUE(r.ok);
  // Main chain, then POS3's chain, then (depth first) POS5's, then POS4's.
  EXPECT_EQ(Kinds(r),
            (std::vector<int32_t>{pos1, cmp1, cmp2, pos2, -1, pos3, cmp3, -1, pos5, -1, pos4, -1}));
  EXPECT_EQ(r.steps[1].Target, pos3);
  EXPECT_EQ(r.records[1].Head, 1);
  EXPECT_EQ(r.records[1].Values[0], 33543 + 5);  // POS3 is step 5
  EXPECT_EQ(r.records[2].Values[23], 33543 + 10);
  EXPECT_EQ(r.records[6].Values[12], 33543 + 8);
  EXPECT_EQ(r.listing[1], "\"CMP1\",CPJ,\"POS3\",\"; POS3へ条件分岐\"");
}

TEST(CompileMotionChart, SharedAndAlreadyReachedTargetsAreLaidOutOnce) {
  // Both Compare objects branch to POS3; CMP1 also branches to POS2, which the main chain reaches.
  ChartBuilder b;
  int cmp1 = b.Cmp("CMP1"), pos2 = b.Pos("POS2"), cmp2 = b.Cmp("CMP2"), pos3 = b.Pos("POS3");
  int cmp3 = b.Cmp("CMP3");
  b.Flow(cmp1, cmp2).Branch(cmp1, pos2).Flow(cmp2, pos2).Branch(cmp2, pos3);
  b.Flow(pos2, cmp3).Branch(cmp3, pos3);
  MotionCompileResult r = CompileMotionChart(b.chart);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(Kinds(r), (std::vector<int32_t>{cmp1, cmp2, pos2, cmp3, -1, pos3, -1}));
  EXPECT_EQ(r.records[0].Values[0], 33543 + 2);
  EXPECT_EQ(r.records[1].Values[0], 33543 + 5);
  EXPECT_EQ(r.records[3].Values[0], 33543 + 5);
}

TEST(CompileMotionChart, ReportsChartFaults) {
  MotionCompileResult r = CompileMotionChart(Chart{});
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.failure.text.empty());

  ChartBuilder noStart;
  noStart.Pos("POS1");
  noStart.chart.Start = -1;
  r = CompileMotionChart(noStart.chart);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure.kind, MsgKind::Warning);
  EXPECT_EQ(r.failure.text, "No Start object");
  noStart.chart.Start = 7;  // a Start index past the objects is no Start either
  EXPECT_EQ(CompileMotionChart(noStart.chart).failure.text, "No Start object");

  ChartBuilder noBranch;
  int p = noBranch.Pos("POS1"), c = noBranch.Cmp("CMP1"), q = noBranch.Pos("POS2");
  noBranch.Flow(p, c).Flow(c, q).Branch(c, -1);  // a wire without a usable end does not count
  r = CompileMotionChart(noBranch.chart);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure.kind, MsgKind::Error);
  EXPECT_EQ(r.failure.text, "CMP1 Branch destination not defined");
  EXPECT_TRUE(r.steps.empty());
  EXPECT_TRUE(r.listing.empty());

  ChartBuilder twoFlows;
  p = twoFlows.Pos("POS1");
  twoFlows.Flow(p, twoFlows.Pos("POS2")).Flow(p, twoFlows.Pos("POS3"));
  EXPECT_EQ(CompileMotionChart(twoFlows.chart).failure.text, "Flow wiring error in POS1");

  ChartBuilder twoBranches;
  c = twoBranches.Cmp("CMP9");
  twoBranches.Branch(c, twoBranches.Pos("A")).Branch(c, twoBranches.Pos("B"));
  EXPECT_EQ(CompileMotionChart(twoBranches.chart).failure.text, "Flow wiring error in CMP9");

  // An object that is never reached is not examined.
  ChartBuilder unreached;
  unreached.Pos("POS1");
  unreached.Cmp("CMP1");
  EXPECT_TRUE(CompileMotionChart(unreached.chart).ok);
}

TEST(CompileMotionChart, DeepBranchNestAndOverlongMotion) {
  // Each Compare branches to the next: the chains nest as deep as the chart is long.
  ChartBuilder b;
  const int count = 50000;
  for (int i = 0; i < count; ++i) b.Cmp("C" + std::to_string(i));
  for (int i = 0; i + 1 < count; ++i) b.Branch(i, i + 1);
  b.Branch(count - 1, 0);
  MotionCompileResult r = CompileMotionChart(b.chart);
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.steps.size(), 2u * count);
  EXPECT_EQ(r.steps[2 * (count - 1)].Kind, count - 1);
  EXPECT_EQ(r.listing.size(), r.steps.size());
  EXPECT_NE(r.warning.find("100000 steps"), std::string::npos);

  ChartBuilder fits;
  for (int i = 0; i < 254; ++i) fits.Pos("P" + std::to_string(i));
  for (int i = 0; i + 1 < 254; ++i) fits.Flow(i, i + 1);
  r = CompileMotionChart(fits.chart);
  ASSERT_EQ(r.steps.size(), 255u);
  EXPECT_TRUE(r.warning.empty());
}

TEST(CompileScenarioChart, FollowsFlowWiringOnly) {
  ChartBuilder b(kScenarioChart);
  int walk = b.Mot("WALK", 2), turn = b.Mot("TURN", 79), bow = b.Mot("BOW", 0);
  b.Flow(walk, turn).Flow(turn, bow).Flow(bow, walk).Branch(walk, bow);
  ScenarioCompileResult r = CompileScenarioChart(b.chart);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.status, "Scenario change succeeded");
  EXPECT_EQ(r.objects, (std::vector<int32_t>{walk, turn, bow}));
  EXPECT_EQ(r.motions, (std::vector<uint8_t>{2, 79, 0}));
  EXPECT_EQ(r.hexRows, (std::vector<std::string>{"M3 WALK", "M80 TURN", "M1 BOW"}));

  b.Flow(turn, walk);
  r = CompileScenarioChart(b.chart);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure.text, "Flow wiring error in TURN");
  EXPECT_TRUE(r.hexRows.empty());

  ChartBuilder bad(kScenarioChart);
  bad.Mot("X", 255);
  r = CompileScenarioChart(bad.chart);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failure.text, "The MOT object X names no motion (M256)");

  ChartBuilder none(kScenarioChart);
  none.Mot("X", 1);
  none.chart.Start = -1;
  EXPECT_EQ(CompileScenarioChart(none.chart).failure.text, "No Start object");
}

TEST(HexRows, CompileAndReadFormats) {
  PoseRecord r;
  r.Head = 0xA;
  r.Values.fill(0xABC);
  r.Values[23] = 0xFFFF;
  EXPECT_EQ(CompiledHexRow(12, r), "012 0A" + Repeat(" 0ABC", 23) + " FFFF");
  EXPECT_EQ(ReadHexRow(1000, r), "1000 0A " + Repeat("0ABC ", 23) + "FFFF ");
}

}  // namespace
}  // namespace brv3
