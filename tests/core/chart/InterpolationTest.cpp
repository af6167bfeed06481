#include "core/chart/Interpolation.h"

#include <gtest/gtest.h>

#include "core/motion/ChannelWord.h"
#include "core/motion/FakeLinkBoard.h"

namespace brv3 {
namespace {

// Two Position objects b (index 0) and d (index 1), both selected.
Chart TwoPositions(uint16_t wb, uint16_t wd, int32_t leftD = 100) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  chart.PlaceObject(leftD, 0, kPosition);
  chart.Objects[0].Values.fill(wb);
  chart.Objects[1].Values.fill(wd);
  for (ChartObject& o : chart.Objects) o.Selected = 1;
  return chart;
}

void Wire(Chart& chart, int32_t origin, int32_t final, bool selected = true) {
  int i = chart.AppendLinks(1);
  chart.Links[static_cast<size_t>(i)].Origin = origin;
  chart.Links[static_cast<size_t>(i)].Final = final;
  chart.Links[static_cast<size_t>(i)].Selected = selected ? 1 : 0;
}

bool HasWire(const Chart& chart, int32_t origin, int32_t final) {
  for (const ChartLink& l : chart.Links)
    if (l.Origin == origin && l.Final == final && l.Main == kFlowWiring) return true;
  return false;
}

}  // namespace

TEST(Insert, OneObjectBetweenLinkedPositions) {
  Chart chart = TwoPositions(16000, 17000);
  chart.Objects[0].Head = 60;
  Wire(chart, 0, 1);
  InsertPair pair = FindInsertPair(chart);
  ASSERT_EQ(pair.b, 0);
  ASSERT_TRUE(pair.linked);
  EXPECT_EQ(InsertInterpolatedObjects(chart, pair, 1), 2);
  ASSERT_EQ(chart.ObjectCount(), 3);
  const ChartObject& o = chart.Objects[2];
  EXPECT_EQ(o.Left, 50);
  EXPECT_EQ(o.Top, 0);
  EXPECT_EQ(o.Values[0], 16500);
  EXPECT_EQ(o.Values[23], 16500);
  EXPECT_EQ(o.Head, 30);
  EXPECT_EQ(chart.Objects[1].Head, 30);
  EXPECT_EQ(chart.LinkCount(), 2);
  EXPECT_TRUE(HasWire(chart, 0, 2));
  EXPECT_TRUE(HasWire(chart, 2, 1));
}

TEST(Insert, RoundingUsesASingleFloatFractionAndHalvesToEven) {
  // 1/10 as a float is a little above 0.1, so 5 x it rounds up; in double it would tie to 0.
  EXPECT_EQ(InterpolateValue(16005, 16000, InsertFraction(1, 9)), 16004);
  EXPECT_EQ(InterpolateValue(16001, 16000, InsertFraction(1, 1)), 16001);  // 0.5 -> 0
  EXPECT_EQ(InterpolateValue(16003, 16000, InsertFraction(1, 1)), 16001);  // 1.5 -> 2
  EXPECT_EQ(InterpolateValue(0, 3, InsertFraction(1, 1)), 2);              // -1.5 -> -2
  EXPECT_EQ(InterpolateValue(0, 300, InsertFraction(1, 2)), 100);
  EXPECT_EQ(InterpolateValue(0, 300, InsertFraction(2, 2)), 200);

  Chart chart = TwoPositions(16005, 16000, 5);
  chart.Objects[0].Values[1] = 0;          // not driven: new word 0
  chart.Objects[1].Values[2] = kWordFree;  // not a position: new word 0
  chart.Objects[0].Values[3] = 32768;      // L still interpolates
  ASSERT_EQ(InsertInterpolatedObjects(chart, FindInsertPair(chart), 9), 2);
  ASSERT_EQ(chart.ObjectCount(), 11);
  EXPECT_EQ(chart.Objects[2].Values[0], 16004);
  EXPECT_EQ(chart.Objects[2].Left, 1);  // 0 - nearest(-5 x 0.1f)
  EXPECT_EQ(chart.Objects[2].Values[1], 0);
  EXPECT_EQ(chart.Objects[2].Values[2], 0);
  EXPECT_EQ(chart.Objects[2].Values[3], 32768 - 1677);
  EXPECT_EQ(chart.Objects[10].Values[0], 16001);  // 5 x 0.9f lies just below 4.5
  EXPECT_EQ(chart.Objects[2].Head, 100);          // not linked
  EXPECT_EQ(chart.LinkCount(), 0);
}

TEST(Insert, WireDirectionDecidesTheChainAndTheSelectionMustFit) {
  Chart chart = TwoPositions(16000, 17000);
  chart.Objects[1].Head = 90;
  Wire(chart, 0, 1, false);  // not selected: stays
  Wire(chart, 1, 0);         // d -> b: roles swap (appending deselects earlier wires)
  ASSERT_EQ(InsertInterpolatedObjects(chart, FindInsertPair(chart), 2), 2);
  EXPECT_EQ(chart.Objects[2].Values[0], 16667);  // from 17000 a third of the way
  EXPECT_EQ(chart.Objects[2].Left, 67);
  EXPECT_EQ(chart.Objects[3].Values[0], 16333);
  EXPECT_EQ(chart.Objects[2].Head, 30);
  EXPECT_EQ(chart.Objects[0].Head, 30);
  EXPECT_TRUE(HasWire(chart, 1, 2));
  EXPECT_TRUE(HasWire(chart, 2, 3));
  EXPECT_TRUE(HasWire(chart, 3, 0));
  EXPECT_TRUE(HasWire(chart, 0, 1));
  EXPECT_FALSE(HasWire(chart, 1, 0));

  Chart unrelated = TwoPositions(1, 2);
  unrelated.PlaceObject(0, 0, kPosition);
  Wire(unrelated, 0, 2);
  unrelated.Objects[0].Selected = unrelated.Objects[1].Selected = 1;
  EXPECT_EQ(FindInsertPair(unrelated).b, -1);  // one selected wire joining neither way
  unrelated.Objects[2].Selected = 1;
  unrelated.Links[0].Selected = 0;
  EXPECT_EQ(FindInsertPair(unrelated).b, -1);  // three objects

  Chart scenario;
  scenario.PlaceObject(0, 0, kMot);
  scenario.PlaceObject(9, 0, kMot);
  for (ChartObject& o : scenario.Objects) o.Selected = 1;
  EXPECT_EQ(FindInsertPair(scenario).b, -1);
}

TEST(Insert, SpeedOfALinkedChainNeverDropsToZero) {
  Chart chart = TwoPositions(16000, 17000);
  chart.Objects[0].Head = 1;
  Wire(chart, 0, 1);
  InsertInterpolatedObjects(chart, FindInsertPair(chart), 1);
  EXPECT_EQ(chart.Objects[2].Head, 1);
  EXPECT_EQ(chart.Objects[1].Head, 1);
}

TEST(Insert, CommandAsksForTheCountAndIgnoresUnusableAnswers) {
  Chart chart = TwoPositions(16000, 17000);
  test::ScriptedPrompter prompter;
  prompter.textAnswers = {std::nullopt, "abc", "0", "5000", " 2 "};
  EXPECT_FALSE(InsertCommand(chart, prompter));
  EXPECT_EQ(prompter.inputPrompts.at(0), "Insert|Number of new objects|1");
  EXPECT_FALSE(InsertCommand(chart, prompter));
  EXPECT_FALSE(InsertCommand(chart, prompter));
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_FALSE(InsertCommand(chart, prompter));
  EXPECT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(chart.ObjectCount(), 2);
  EXPECT_TRUE(InsertCommand(chart, prompter));
  EXPECT_EQ(chart.ObjectCount(), 4);
}

}  // namespace brv3
