#include <gtest/gtest.h>

#include <algorithm>

#include "core/board/WriteWarnings.h"
#include "core/comm/MotionTable.h"
#include "core/motion/MotionFakes.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

using test::ScriptedPrompter;

// The question lists every warning; No writes nothing and is never remembered, a Yes with the box
// ticked quiets that chart only.
TEST(WriteWarningGateTest, AsksOncePerChartUntilTheUserSaysStopAsking) {
  const std::vector<ChartWarning> warnings{{0, "Object \"A\" is odd"}, {-1, "Close to the limit"}};
  ScriptedPrompter prompter;
  WriteWarningGate gate;
  EXPECT_TRUE(gate.Allow(prompter, "walk.QVB", {}));
  EXPECT_TRUE(prompter.checkMessages.empty());

  prompter.checkAnswers = {{IdNo, true}, {IdYes, false}, {IdYes, true}};
  EXPECT_FALSE(gate.Allow(prompter, "walk.QVB", warnings));
  ASSERT_EQ(prompter.checkMessages.size(), 1u);
  EXPECT_EQ(prompter.checkMessages[0].kind, MsgKind::Question);
  EXPECT_EQ(prompter.checkMessages[0].text,
            "warning: Object \"A\" is odd\nwarning: Close to the limit\nWrite anyway?"
            "|Do not ask again for this chart");
  EXPECT_FALSE(gate.Quiet("walk.QVB"));
  EXPECT_TRUE(gate.Allow(prompter, "walk.QVB", warnings));
  EXPECT_TRUE(gate.Allow(prompter, "walk.QVB", warnings));
  EXPECT_EQ(prompter.checkMessages.size(), 3u);
  EXPECT_TRUE(gate.Allow(prompter, "walk.QVB", warnings));  // quiet now
  EXPECT_EQ(prompter.checkMessages.size(), 3u);
  EXPECT_TRUE(gate.Allow(prompter, "other.QVB", warnings));  // another chart is asked about
  EXPECT_EQ(prompter.checkMessages.size(), 4u);
  EXPECT_TRUE(prompter.messages.empty());
}

// Only entries read from the board can be known empty: the rows a new table starts with and the
// rows a stopped refresh could not read say nothing.
TEST(WriteWarningGateTest, TheTableKnowsOnlyTheEntriesItWasShown) {
  MotionTable table;
  auto empty = table.KnownEmptySlots();
  EXPECT_EQ(std::count(empty.begin(), empty.end(), true), 0);
  Bytes used = EmptyTableEntry();
  used[0] = 3;
  table.ShowTableEntry(EmptyTableEntry(), 4, false);
  table.ShowTableEntry(used, 5, false);
  empty = table.KnownEmptySlots();
  EXPECT_TRUE(empty[4]);
  EXPECT_FALSE(empty[5]);
  EXPECT_FALSE(empty[6]);

  table.Clear();
  table.ShowTableEntry(EmptyTableEntry(), 0, true);
  table.FillUnknownRows();
  empty = table.KnownEmptySlots();
  EXPECT_TRUE(empty[0]);
  EXPECT_EQ(std::count(empty.begin(), empty.end(), true), 1);

  // What the table knows reaches the checks: a jump to a known-empty slot is worth a warning.
  test::ChartBuilder b;
  const int pose = b.Pos("POSE");
  const int jump = b.Add(kSet, "JUMP", 57349, 1);  // jump to M1
  b.Flow(pose, jump);
  BoardKnowledge known;
  known.emptySlots = empty;
  EXPECT_EQ(WarningLines(CheckChart(b.chart, known)),
            std::vector<std::string>{
                "warning: Set \"JUMP\" jumps to M1, which the motion table shows empty"});
}

}  // namespace
}  // namespace brv3
