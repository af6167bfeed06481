#include "core/board/MotionTransfer.h"

#include <gtest/gtest.h>

#include "core/board/ChartRebuild.h"
#include "core/motion/MotionFakes.h"

namespace brv3 {
namespace {

using test::ChartBuilder;
using test::FakeMotionBoard;
using test::ScriptedPrompter;

Slot M(int number) {
  return *Slot::Motion(number);
}
Slot S(int number) {
  return *Slot::Scenario(number);
}

struct StepLog : TransferProgress {
  std::vector<std::pair<int, int>> steps;
  void Step(int done, int total) override { steps.push_back({done, total}); }
};

// A chain of `count` Position objects ending in END: count + 1 steps.
Chart Chain(int count, const std::string& name = "WALK") {
  ChartBuilder b;
  for (int i = 0; i < count; ++i) b.Pos("P" + std::to_string(i), static_cast<uint16_t>(100 + i));
  for (int i = 0; i + 1 < count; ++i) b.Flow(i, i + 1);
  b.chart.Name = name;
  b.chart.Ctrl = 0x0102;
  return b.chart;
}

TEST(WriteMotion, LongMotionTakesContinuationSlotsAndReadsBack) {
  Chart chart = Chain(44);  // 45 steps
  MotionCompileResult compiled = CompileMotionChart(chart);
  ASSERT_EQ(compiled.records.size(), 45u);
  FakeMotionBoard board;
  ScriptedPrompter prompter;
  prompter.answers = {IdYes};
  StepLog progress;
  ASSERT_TRUE(WriteMotion(board, prompter, &progress, M(4), compiled, chart));
  ASSERT_EQ(progress.steps.size(), 45u);
  EXPECT_EQ(progress.steps.front(), (std::pair<int, int>{1, 45}));
  EXPECT_EQ(progress.steps.back(), (std::pair<int, int>{45, 45}));

  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].kind, MsgKind::Question);
  EXPECT_EQ(prompter.messages[0].text,
            "As the data to input are more than thirty\r\nThe data of M6 would be deleted. Do you "
            "agree with this");
  ASSERT_EQ(prompter.statuses.size(), 46u);
  EXPECT_EQ(prompter.statuses[0], "PCT is written");
  EXPECT_EQ(prompter.statuses[45], "Writing of 45 is done");
  // The entry claims its steps only once all of them were written.
  EXPECT_EQ(board.log[0], "UpdateTableEntry 4 0 WALK");
  EXPECT_EQ(board.log[1], "UpdateTableEntry 5 0 M5:WALK");
  EXPECT_EQ(board.log[2], "WritePose 1 4 0");
  EXPECT_EQ(board.log[46], "WritePose 1 4 44");
  EXPECT_EQ(board.log.back(), "UpdateTableEntry 4 45 WALK");
  const Bytes& cont = board.entries[5];
  EXPECT_EQ(Bytes(cont.begin() + 4, cont.begin() + 10),
            (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(board.entries[4][8], 0x01);
  EXPECT_EQ(board.entries[4][9], 0x02);

  ScriptedPrompter reader;
  MotionRead read;
  ASSERT_EQ(ReadMotion(board, reader, nullptr, M(4), read), ActionResult::Done);
  EXPECT_EQ(read.name, "WALK");
  EXPECT_EQ(read.ctrl, 0x0102);
  EXPECT_EQ(read.steps, compiled.records);
  EXPECT_EQ(read.entry, board.entries[4]);
  EXPECT_EQ(read.hexRows[0].substr(0, 12), "001 64 0064 ");
  EXPECT_EQ(read.hexRows[0].back(), ' ');
  EXPECT_EQ(reader.statuses.back(), "Reading of 45 is done");

  Chart rebuilt;
  RebuildMotionChart(rebuilt, read);
  EXPECT_EQ(rebuilt.ObjectCount(), 44);
  EXPECT_EQ(rebuilt.LinkCount(), 43);
  EXPECT_EQ(CompileMotionChart(rebuilt).records, compiled.records);
}

TEST(WriteMotion, ContinuationQuestionNamesTheRightSlots) {
  FakeMotionBoard board;
  ScriptedPrompter prompter;
  prompter.answers = {IdYes, IdNo};
  EXPECT_TRUE(
      WriteMotion(board, prompter, nullptr, M(0), CompileMotionChart(Chain(29)), Chain(29)));
  EXPECT_TRUE(prompter.messages.empty());  // 30 steps fit one slot

  EXPECT_TRUE(
      WriteMotion(board, prompter, nullptr, M(0), CompileMotionChart(Chain(60)), Chain(60)));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].text.find("The data of M2,M3 would"), std::string::npos);

  board.log.clear();
  EXPECT_FALSE(
      WriteMotion(board, prompter, nullptr, M(76), CompileMotionChart(Chain(90)), Chain(90)));
  EXPECT_NE(prompter.messages[1].text.find("The data of M78,M79,M80 would"), std::string::npos);
  EXPECT_TRUE(board.log.empty());  // No: nothing sent

  EXPECT_EQ(ContinuationSlotCount(30), 0);
  EXPECT_EQ(ContinuationSlotCount(31), 1);
  EXPECT_EQ(ContinuationSlotCount(60), 1);
  EXPECT_EQ(ContinuationSlotCount(61), 2);
  EXPECT_EQ(ContinuationSlotCount(90), 2);
  EXPECT_EQ(ContinuationSlotCount(91), 3);
}

TEST(CheckMotionSlots, RefusesWhatTheBoardCannotHold) {
  // M80 with 31 steps would need M81, which is S1's entry.
  EXPECT_EQ(CheckMotionSlots(M(79), 31),
            "A motion of 31 steps written to M80 needs the slots up to M81, but the last motion "
            "slot is M80");
  EXPECT_TRUE(CheckMotionSlots(M(79), 30).empty());
  EXPECT_TRUE(CheckMotionSlots(M(72), 240).empty());
  EXPECT_FALSE(CheckMotionSlots(M(73), 240).empty());
  EXPECT_EQ(CheckMotionSlots(M(0), 256),
            "This motion has 256 steps; a motion of more than 255 steps cannot be written to the "
            "board");
  EXPECT_TRUE(CheckMotionSlots(M(0), 255).empty());
  EXPECT_FALSE(CheckMotionSlots(S(0), 2).empty());
  EXPECT_FALSE(CompileMotionChart(Chain(255)).warning.empty());
}

TEST(WriteMotion, StopsAtTheFirstFailedCommand) {
  Chart chart = Chain(3);
  MotionCompileResult compiled = CompileMotionChart(chart);
  FakeMotionBoard board;
  ScriptedPrompter prompter;
  board.FailCall(2);  // the second WritePose
  EXPECT_FALSE(WriteMotion(board, prompter, nullptr, M(0), compiled, chart));
  EXPECT_EQ(board.log.size(), 3u);
  EXPECT_EQ(prompter.statuses.back(), "Writing of 1 is done");

  board.log.clear();
  board.FailCall(0);  // the table entry
  EXPECT_FALSE(WriteMotion(board, prompter, nullptr, M(0), compiled, chart));
  EXPECT_EQ(board.log.size(), 1u);

  // A failed continuation entry fails the write before any step is sent.
  Chart longer = Chain(40);
  board.log.clear();
  board.FailCall(1);
  prompter.answers = {IdYes};
  EXPECT_FALSE(WriteMotion(board, prompter, nullptr, M(0), CompileMotionChart(longer), longer));
  EXPECT_EQ(board.log.size(), 2u);
}

TEST(ReadMotion, EmptySlotsAndFailedReadsGiveNothing) {
  FakeMotionBoard board;
  ScriptedPrompter prompter;
  MotionRead read;
  EXPECT_EQ(ReadMotion(board, prompter, nullptr, M(3), read), ActionResult::NoData);
  EXPECT_EQ(read.entry, board.entries[3]);  // the empty entry still reaches the table row

  Chart chart = Chain(2);
  ASSERT_TRUE(WriteMotion(board, prompter, nullptr, M(3), CompileMotionChart(chart), chart));
  board.FailCall(2);  // the second ReadPose
  EXPECT_EQ(ReadMotion(board, prompter, nullptr, M(3), read), ActionResult::BoardFailed);
  EXPECT_TRUE(read.steps.empty());
  EXPECT_TRUE(read.hexRows.empty());

  board.FailCall(0);
  EXPECT_EQ(ReadMotion(board, prompter, nullptr, M(3), read), ActionResult::BoardFailed);
  EXPECT_TRUE(read.entry.empty());
  EXPECT_EQ(ReadMotion(board, prompter, nullptr, S(0), read), ActionResult::Cancelled);
}

TEST(Scenario, WriteThenReadBack) {
  ChartBuilder b(kScenarioChart);
  int a = b.Mot("A", 4), c = b.Mot("B", 0), d = b.Mot("C", 79);
  b.Flow(a, c).Flow(c, d);
  b.chart.Name = "SCN";
  ScenarioCompileResult compiled = CompileScenarioChart(b.chart);
  FakeMotionBoard board;
  board.UpdateTableEntry(81, 9, 0x030201, "OLD", EntryDate::Now(), 0x4455);
  board.log.clear();
  ScriptedPrompter prompter;
  ASSERT_TRUE(WriteScenario(board, prompter, nullptr, S(1), compiled, b.chart));
  EXPECT_EQ(board.log,
            (std::vector<std::string>{"UpdateTableEntry 81 0 SCN", "WriteScenarioStep 1 0 4",
                                      "WriteScenarioStep 1 1 0", "WriteScenarioStep 1 2 79",
                                      "WriteScenarioStep 1 3 255", "UpdateTableEntry 81 3 SCN"}));
  EXPECT_EQ(prompter.statuses.back(), "Writing of 3 is done");
  EXPECT_EQ(board.entries[81][1], 0x01);  // address and code unchanged
  EXPECT_EQ(board.entries[81][8], 0x44);

  ScenarioRead read;
  ASSERT_EQ(ReadScenario(board, S(1), read), ActionResult::Done);
  EXPECT_EQ(read.motions, (std::vector<uint8_t>{4, 0, 79}));
  EXPECT_EQ(read.hexRows, (std::vector<std::string>{"M5", "M1", "M80"}));
  EXPECT_EQ(read.name, "SCN");
  EXPECT_EQ(read.ctrl, 0x4455);

  EXPECT_EQ(ReadScenario(board, S(2), read), ActionResult::NoData);
  EXPECT_EQ(ReadScenario(board, M(79), read), ActionResult::Cancelled);
  board.FailCall(2);
  EXPECT_EQ(ReadScenario(board, S(1), read), ActionResult::BoardFailed);
  EXPECT_EQ(read.motions, (std::vector<uint8_t>{4}));  // what was read stays
  EXPECT_FALSE(WriteScenario(board, prompter, nullptr, M(79), compiled, b.chart));
}

TEST(Scenario, TwoHundredMotionsAskAndKeepTheFirst199) {
  ChartBuilder b(kScenarioChart);
  for (int i = 0; i < 200; ++i) b.Mot("M" + std::to_string(i), static_cast<uint8_t>(i % 80));
  for (int i = 0; i + 1 < 200; ++i) b.Flow(i, i + 1);
  ScenarioCompileResult compiled = CompileScenarioChart(b.chart);
  ASSERT_EQ(compiled.motions.size(), 200u);
  FakeMotionBoard board;
  ScriptedPrompter prompter;
  prompter.answers = {IdNo, IdYes};
  EXPECT_FALSE(WriteScenario(board, prompter, nullptr, S(0), compiled, b.chart));
  EXPECT_TRUE(board.log.empty());
  EXPECT_EQ(prompter.messages[0].text,
            "We can't write the motion data\r\nmore than 200. Please understand us.");
  ASSERT_TRUE(WriteScenario(board, prompter, nullptr, S(0), compiled, b.chart));
  EXPECT_EQ(board.scenarios[0][199], 255);
  EXPECT_EQ(board.entries[80][0], 199);
  EXPECT_EQ(board.log.size(), 202u);
}

}  // namespace
}  // namespace brv3
