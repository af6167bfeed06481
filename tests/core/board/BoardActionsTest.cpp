#include <gtest/gtest.h>

#include <algorithm>

#include "core/board/BoardActions.h"
#include "core/comm/WindowMessages.h"
#include "core/motion/MotionFakes.h"
#include "support/FakeBoardPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

using test::ChartBuilder;
using test::FakeBoardPort;
using test::LongChart;
using test::ScriptedPrompter;
using Strings = std::vector<std::string>;

Bytes EndRecord() {
  Bytes r(49, 0xFF);
  r[0] = 0x01;
  return r;
}

class BoardActionsTest : public ::testing::Test {
 protected:
  BoardActionsTest() : link(&board), actions(link, prompter) {
    link.SetClock([] { return std::array<uint8_t, 4>{3, 7, 9, 5}; });
  }

  // What the editor's buttons do: ask for the slot, then act on it.
  ActionResult Write() {
    const std::optional<Slot> slot = actions.AskSlot(SlotQuestion::Write, chart.Type);
    return slot ? actions.Write(*slot, chart) : ActionResult::Cancelled;
  }
  ActionResult Read() {
    const std::optional<Slot> slot = actions.AskSlot(SlotQuestion::Read);
    return slot ? actions.Read(*slot, chart) : ActionResult::Cancelled;
  }
  ActionResult Delete() {
    const std::optional<Slot> slot = actions.AskSlot(SlotQuestion::Delete);
    return slot ? actions.Delete(*slot) : ActionResult::Cancelled;
  }
  ActionResult Play() {
    const std::optional<Slot> slot = actions.AskSlot(SlotQuestion::Play);
    return slot ? actions.Play(*slot) : ActionResult::Cancelled;
  }

  // POS1 -> POS2, named WALK: three steps (PRM, PRM, END).
  void LoadWalk() {
    ChartBuilder b;
    int p1 = b.Pos("POS1"), p2 = b.Pos("POS2", 20000);
    b.Flow(p1, p2);
    b.chart.SetChartName("WALK");
    b.chart.Ctrl = 0x0102;
    chart = b.chart;
  }
  void WriteWalkTo(int slot) {
    LoadWalk();
    prompter.selections.push_back(slot);
    ASSERT_EQ(Write(), ActionResult::Done);
    prompter.statuses.clear();
    board.frames.clear();
  }
  static size_t Items(const std::string& list) {
    return static_cast<size_t>(std::count(list.begin(), list.end(), '"')) / 2;
  }

  FakeBoardPort board;
  ScriptedPrompter prompter;
  BoardLink link;
  BoardActions actions;
  Chart chart;
};

TEST_F(BoardActionsTest, WriteMotionRunsItsStepsInOrder) {
  LoadWalk();
  prompter.selections.push_back(4);
  EXPECT_EQ(Write(), ActionResult::Done);

  ASSERT_EQ(prompter.selectDialogs.size(), 1u);
  const NumberSelectState& shown = prompter.selectDialogs[0];
  EXPECT_EQ(shown.SelectCaption, "Write to QVB-3");
  EXPECT_EQ(shown.SelectPrompt, "Select QVB-3 memory location");
  EXPECT_EQ(shown.SelectIndex, -1);
  EXPECT_EQ(Items(shown.SelectItems), 80u);
  EXPECT_EQ(shown.SelectItems.rfind("\"M1 (not read)\",", 0), 0u);

  EXPECT_EQ(prompter.statuses, (Strings{"Compile successful", "Sleep on", "PCT is written",
                                        "Writing of 1 is done", "Writing of 2 is done",
                                        "Writing of 3 is done", "Sleep off", "Write successful"}));
  const Bytes& entry = board.entries[4];
  EXPECT_EQ(entry[0], 3);
  EXPECT_EQ(Bytes(entry.begin() + 4, entry.begin() + 10), (Bytes{3, 7, 9, 5, 0x01, 0x02}));
  EXPECT_EQ(board.Record(4, 1)[1], 20000 >> 8);
  EXPECT_EQ(board.Record(4, 2), EndRecord());
  EXPECT_FALSE(board.Asleep());
  EXPECT_EQ(actions.Listing().size(), 3u);
  EXPECT_EQ(actions.HexRows().size(), 3u);
  // The table row followed the written entry, so the next list shows it.
  EXPECT_EQ(actions.Table().Rows()[4].Name, "WALK");
  Write();
  EXPECT_NE(prompter.selectDialogs.back().SelectItems.find("\"M5 WALK 3/7 09:05\""),
            std::string::npos);
}

TEST_F(BoardActionsTest, WriteStopsWhereItFailsAndLeavesTheBoardAsleep) {
  LoadWalk();
  board.failWhen = [](const Bytes& f) { return f[0] == 0xFD && f[1] == 0x03 && f[3] == 1; };
  prompter.selections.push_back(4);
  EXPECT_EQ(Write(), ActionResult::BoardFailed);
  EXPECT_EQ(prompter.statuses,
            (Strings{"Compile successful", "Sleep on", "PCT is written", "Writing of 1 is done"}));
  EXPECT_TRUE(board.Asleep());

  // Without a Start object the compiler refuses before the board is touched.
  board = FakeBoardPort();
  prompter.statuses.clear();
  chart.Start = -1;
  prompter.selections.push_back(4);
  EXPECT_EQ(Write(), ActionResult::CompileFailed);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "No Start object");
  EXPECT_TRUE(board.frames.empty());
  EXPECT_TRUE(prompter.statuses.empty());

  // Cancelled selection: nothing at all.
  prompter.selections.push_back(-2);
  EXPECT_EQ(Write(), ActionResult::Cancelled);
  EXPECT_TRUE(board.frames.empty());
}

TEST_F(BoardActionsTest, AnsweringNoToContinuationSlotsWakesTheBoard) {
  ChartBuilder b;
  int prev = b.Pos("P0");
  for (int i = 1; i < 31; ++i) {
    int p = b.Pos("P" + std::to_string(i));
    b.Flow(prev, p);
    prev = p;
  }
  chart = b.chart;  // 31 objects + END = 32 steps
  prompter.selections.push_back(0);
  prompter.answers.push_back(IdNo);
  EXPECT_EQ(Write(), ActionResult::Cancelled);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].text.find("The data of M2 would be deleted"), std::string::npos);
  EXPECT_EQ(board.Count(0xF6), 0u);
  EXPECT_FALSE(board.Asleep());
  EXPECT_EQ(prompter.statuses.back(), "Sleep off");

  // A motion that would run past M80 is refused before the board sleeps.
  board.frames.clear();
  prompter.selections.push_back(79);
  EXPECT_EQ(Write(), ActionResult::Cancelled);
  EXPECT_TRUE(board.frames.empty());
}

TEST_F(BoardActionsTest, ScenarioWriteOffersOnlyScenarioEntries) {
  ChartBuilder b(kScenarioChart);
  int a = b.Mot("M5 WALK", 4), c = b.Mot("M7 RUN", 6);
  b.Flow(a, c);
  b.chart.SetChartName("SHOW");
  chart = b.chart;
  prompter.selections.push_back(1);
  EXPECT_EQ(Write(), ActionResult::Done);
  EXPECT_EQ(Items(prompter.selectDialogs[0].SelectItems), 5u);
  EXPECT_EQ(prompter.selectDialogs[0].SelectItems.rfind("\"S1 ", 0), 0u);
  EXPECT_EQ(board.scenarios[1][0], 4);
  EXPECT_EQ(board.scenarios[1][1], 6);
  EXPECT_EQ(board.scenarios[1][2], 255);
  EXPECT_EQ(board.entries[81][0], 2);
  EXPECT_EQ(prompter.statuses.front(), "Scenario change succeeded");
  EXPECT_EQ(prompter.statuses.back(), "Write successful");
  EXPECT_EQ(actions.HexRows(), (Strings{"M5 M5 WALK", "M7 M7 RUN"}));
}

// The selection lists never pass off a slot that was not read as empty. The table is read only
// when the user asks in the dialog and agrees, since the board sleeps (the robot goes limp).
TEST_F(BoardActionsTest, UnreadSlotsAreMarkedAndTheTableIsReadOnlyWhenTheUserAgrees) {
  Bytes walk(42, 0x00);
  walk[0] = 3;
  walk[4] = 3, walk[5] = 7, walk[6] = 9, walk[7] = 5, walk[8] = 0xFF, walk[9] = 0xFF;
  for (size_t i = 0; i < 4; ++i) walk[10 + i] = static_cast<uint8_t>("WALK"[i]);
  board.entries[4] = walk;

  int asked = 0;
  prompter.whileSelecting = [&](NumberSelectState& state) {
    ++asked;
    EXPECT_NE(state.SelectItems.find("\"M5 (not read)\""), std::string::npos);
    EXPECT_NE(state.SelectItems.find("\"S5 (not read)\""), std::string::npos);
    EXPECT_EQ(state.SelectItems.find("--/-- --:--"), std::string::npos);
    EXPECT_NE(state.SelectNote.find("not been read"), std::string::npos);
    EXPECT_TRUE(board.frames.empty());  // showing the lists reads nothing
    ASSERT_TRUE(state.ReadTable);

    // No: nothing is sent, the lists stay.
    prompter.answers.push_back(IdNo);
    EXPECT_FALSE(state.ReadTable());
    EXPECT_TRUE(board.frames.empty());
    EXPECT_NE(state.SelectItems.find("\"M5 (not read)\""), std::string::npos);
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_EQ(prompter.messages.back().kind, MsgKind::Question);
    EXPECT_NE(prompter.messages.back().text.find("limp"), std::string::npos);

    // Yes: read with the board asleep, then woken; the lists show what the board holds.
    prompter.answers.push_back(IdYes);
    EXPECT_TRUE(state.ReadTable());
    EXPECT_EQ(board.Count(0xF5), 85u);
    EXPECT_FALSE(board.Asleep());
    EXPECT_NE(state.SelectItems.find("\"M5 WALK 3/7 09:05\""), std::string::npos);
    EXPECT_NE(state.SelectItems.find("\"M1  --/-- --:--\""), std::string::npos);
    EXPECT_EQ(state.SelectItems.find("(not read)"), std::string::npos);
    EXPECT_TRUE(state.SelectNote.empty());
  };
  prompter.selections.push_back(-2);
  EXPECT_EQ(Play(), ActionResult::Cancelled);
  EXPECT_EQ(asked, 1);

  // Once read, the next dialog shows names and dates at once and offers nothing.
  prompter.whileSelecting = nullptr;
  prompter.selections.push_back(-2);
  Delete();
  EXPECT_TRUE(prompter.selectDialogs.back().SelectNote.empty());
  EXPECT_NE(prompter.selectDialogs.back().SelectItems.find("\"M5 WALK 3/7 09:05\""),
            std::string::npos);
}

TEST_F(BoardActionsTest, ATableThatCannotBeReadSaysSoAndKeepsTheOffer) {
  board.failWhen = [](const Bytes& f) { return f[0] == 0xF5 && f[1] == 40; };
  prompter.whileSelecting = [&](NumberSelectState& state) {
    EXPECT_FALSE(state.ReadTable());
    // The rows read before the failure show; the rest are still marked.
    EXPECT_NE(state.SelectItems.find("\"M1  --/-- --:--\""), std::string::npos);
    EXPECT_NE(state.SelectItems.find("\"M41 (not read)\""), std::string::npos);
    EXPECT_FALSE(state.SelectNote.empty());
  };
  prompter.selections.push_back(-2);
  Play();
  ASSERT_FALSE(prompter.statuses.empty());
  EXPECT_EQ(prompter.statuses.back(), SlotLists::kReadFailed);
}

TEST_F(BoardActionsTest, ReadReplacesTheChartOrReportsNoData) {
  WriteWalkTo(4);
  chart = Chart();
  prompter.selections.push_back(4);
  EXPECT_EQ(Read(), ActionResult::Done);
  const NumberSelectState& shown = prompter.selectDialogs.back();
  EXPECT_EQ(shown.SelectCaption, "Read from QVB-3");
  EXPECT_EQ(shown.SelectPrompt, "Select");
  EXPECT_EQ(Items(shown.SelectItems), 85u);
  EXPECT_EQ(prompter.statuses,
            (Strings{"Sleep on", "Reading of 1 is done", "Reading of 2 is done",
                     "Reading of 3 is done", "Read successful", "Sleep off", "Reading succeeded"}));

  EXPECT_EQ(chart.Type, kMotionChart);
  EXPECT_EQ(chart.Name, "WALK");
  EXPECT_EQ(chart.Ctrl, 0x0102);
  ASSERT_EQ(chart.ObjectCount(), 2);
  EXPECT_EQ(chart.Objects[1].Values[0], 20000);
  EXPECT_EQ(actions.HexRows().size(), 3u);
  EXPECT_TRUE(actions.Listing().empty());

  // An empty motion entry: "No Data", board woken, chart kept; the hexadecimal view of what was
  // read before is emptied, so it cannot pass for the empty entry's contents.
  prompter.statuses.clear();
  prompter.selections.push_back(0);
  EXPECT_EQ(Read(), ActionResult::NoData);
  EXPECT_EQ(prompter.statuses, (Strings{"Sleep on", "No Data"}));
  EXPECT_TRUE(actions.HexRows().empty());
  EXPECT_FALSE(board.Asleep());
  EXPECT_EQ(chart.Name, "WALK");

  // The same after a compile, and for an empty scenario entry.
  ASSERT_EQ(actions.Compile(chart), ActionResult::Done);
  ASSERT_EQ(actions.HexRows().size(), 3u);
  prompter.statuses.clear();
  prompter.selections.push_back(82);
  EXPECT_EQ(Read(), ActionResult::NoData);
  EXPECT_EQ(prompter.statuses, (Strings{"Sleep on", "No data"}));
  EXPECT_TRUE(actions.HexRows().empty());

  // A pose that cannot be read is a board failure, not an empty entry (the status line does not
  // say "No Data" of a slot that holds data); the board is woken.
  ASSERT_EQ(actions.Compile(chart), ActionResult::Done);
  board.failWhen = [](const Bytes& f) { return f[0] == 0xFC && f[1] == 0x02; };
  prompter.statuses.clear();
  prompter.selections.push_back(4);
  EXPECT_EQ(Read(), ActionResult::BoardFailed);
  EXPECT_EQ(prompter.statuses, (Strings{"Sleep on", "Read failed"}));
  EXPECT_FALSE(board.Asleep());
  EXPECT_EQ(chart.ObjectCount(), 2);
  EXPECT_TRUE(actions.HexRows().empty());
  // Nor does a board that cannot be put to sleep leave the old view.
  ASSERT_EQ(actions.Compile(chart), ActionResult::Done);
  board.failWhen = [](const Bytes&) { return true; };
  prompter.selections.push_back(4);
  EXPECT_EQ(Read(), ActionResult::BoardFailed);
  EXPECT_TRUE(actions.HexRows().empty());
}

// Every step and the entry acknowledged, only the wake afterwards unanswered (twice): the write
// is stored, and the result and the status line say so rather than "failed".
TEST_F(BoardActionsTest, WriteStoredButNotWokenSaysSo) {
  LoadWalk();
  board.failWhen = [this](const Bytes& f) { return f[0] == 0xF1 && board.entries[4][0] == 3; };
  prompter.selections.push_back(4);
  EXPECT_EQ(Write(), ActionResult::WakeFailed);
  EXPECT_EQ(board.entries[4][0], 3);
  EXPECT_EQ(board.Record(4, 2), EndRecord());
  EXPECT_TRUE(board.Asleep());
  EXPECT_EQ(prompter.statuses.back(),
            "Write successful, but the board did not wake up (the board's reply was short); it is "
            "still asleep");
  // One unanswered wake is tried again.
  int unanswered = 1;
  board.failWhen = [&](const Bytes& f) {
    return f[0] == 0xF1 && board.entries[6][0] == 3 && unanswered-- > 0;
  };
  board.modeWord = 0;
  prompter.selections.push_back(6);
  EXPECT_EQ(Write(), ActionResult::Done);
  EXPECT_FALSE(board.Asleep());
}

TEST_F(BoardActionsTest, ReadScenarioBuildsMotObjectsNamedFromTheTable) {
  WriteWalkTo(4);
  board.entries[81][0] = 2;
  board.scenarios[1] = {};
  board.scenarios[1][0] = 4;
  board.scenarios[1][1] = 4;
  prompter.selections.push_back(81);
  EXPECT_EQ(Read(), ActionResult::Done);

  EXPECT_EQ(chart.Type, kScenarioChart);
  ASSERT_EQ(chart.ObjectCount(), 2);
  EXPECT_EQ(chart.Objects[0].Name, "M5 WALK");
  EXPECT_EQ(chart.Objects[0].Width, 7 * 8 + 20);
  EXPECT_EQ(chart.LinkCount(), 1);
  EXPECT_EQ(actions.HexRows(), (Strings{"M5", "M5"}));
}

TEST_F(BoardActionsTest, DeleteAsksThenClearsTheEntry) {
  WriteWalkTo(9);
  prompter.selections.push_back(9);
  prompter.answers.push_back(IdNo);
  EXPECT_EQ(Delete(), ActionResult::Cancelled);
  EXPECT_TRUE(board.frames.empty());
  EXPECT_EQ(prompter.messages.back().text, "OK to delete?");
  EXPECT_EQ(prompter.messages.back().kind, MsgKind::Question);
  EXPECT_EQ(prompter.selectDialogs.back().SelectCaption, "Delete");
  EXPECT_EQ(prompter.selectDialogs.back().SelectPrompt, "Select data to be deleted");

  prompter.selections.push_back(9);
  EXPECT_EQ(Delete(), ActionResult::Done);
  EXPECT_EQ(board.entries[9], EmptyTableEntry());
  EXPECT_EQ(board.Record(9, 0), EndRecord());
  EXPECT_EQ(prompter.statuses, Strings{"Delete successful"});
  EXPECT_EQ(board.Count(0xF1), 0u);  // no sleep
  EXPECT_EQ(actions.Table().Rows()[9].Date, "--/-- --:--");

  board.frames.clear();
  prompter.selections.push_back(83);
  EXPECT_EQ(Delete(), ActionResult::Done);
  ASSERT_FALSE(board.frames.empty());
  EXPECT_EQ(board.frames.back(), test::WithChecksumOf({0xF8, 0x01, 0x03, 0x00, 0xFF}));
}

TEST_F(BoardActionsTest, ContinuationSlotsAreOverwrittenOrDeletedOnlyWithTheirMotion) {
  const Slot m5 = *Slot::Motion(4), m6 = *Slot::Motion(5);
  ASSERT_EQ(actions.Write(m5, LongChart(60, "BIG")), ActionResult::Done);  // M5 ... M7
  const Bytes bigHead = board.entries[4];
  ASSERT_EQ(bigHead[0], 61);

  // No: nothing is written anywhere.
  board.frames.clear();
  prompter.messages.clear();
  prompter.answers = {IdNo};
  LoadWalk();
  EXPECT_EQ(actions.Write(m6, chart), ActionResult::Cancelled);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text,
            "M6 holds the continuation of M5 BIG.\r\nM5 will be deleted first. Do you agree with "
            "this");
  EXPECT_EQ(board.Count(0xF6), 0u);
  EXPECT_EQ(board.Count(0xFD), 0u);
  EXPECT_EQ(board.entries[4], bigHead);

  // Yes: M5 is deleted as Delete does, then M6 is written.
  prompter.answers = {IdYes};
  EXPECT_EQ(actions.Write(m6, chart), ActionResult::Done);
  EXPECT_EQ(board.entries[4], EmptyTableEntry());
  EXPECT_EQ(board.Record(4, 0), EndRecord());
  EXPECT_EQ(board.entries[5][0], 3);
  // M7's mark went with M5, so no entry names a motion no longer there.
  EXPECT_EQ(board.entries[6], EmptyTableEntry());
  prompter.messages.clear();
  EXPECT_EQ(actions.Write(*Slot::Motion(6), chart), ActionResult::Done);
  EXPECT_TRUE(prompter.messages.empty());

  // Deleting a continuation slot asks the same and takes its motion with it.
  ASSERT_EQ(actions.Write(*Slot::Motion(9), LongChart(40, "TWO")), ActionResult::Done);
  prompter.messages.clear();
  prompter.answers = {IdYes, IdNo};
  EXPECT_EQ(actions.Delete(*Slot::Motion(10)), ActionResult::Cancelled);
  EXPECT_EQ(board.entries[9][0], 41);
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_NE(prompter.messages[1].text.find("M11 holds the continuation of M10 TWO"),
            std::string::npos);
  prompter.answers = {IdYes, IdYes};
  EXPECT_EQ(actions.Delete(*Slot::Motion(10)), ActionResult::Done);
  EXPECT_EQ(board.entries[9], EmptyTableEntry());
  EXPECT_EQ(board.entries[10], EmptyTableEntry());
}

TEST_F(BoardActionsTest, PlayKeepsTheLastChoiceStopAndPauseToggle) {
  prompter.selections.push_back(4);
  EXPECT_EQ(Play(), ActionResult::Done);
  prompter.selections.push_back(-2);
  EXPECT_EQ(Play(), ActionResult::Cancelled);
  ASSERT_EQ(prompter.selectDialogs.size(), 2u);
  EXPECT_EQ(prompter.selectDialogs[1].SelectIndex, 4);
  EXPECT_EQ(prompter.selectDialogs[1].SelectCaption, "Play");
  EXPECT_EQ(board.played, std::vector<int>{4});
  EXPECT_EQ(prompter.statuses, Strings{"Sending the Play command"});

  EXPECT_TRUE(StopPlayback(link));
  EXPECT_EQ(board.frames.back(), test::WithChecksumOf({0xF3, 0x01, 0xFF, 0xFF, 0xFF}));
  EXPECT_TRUE(TogglePause(link));
  EXPECT_EQ(board.modeWord & 2, 2);

  prompter.statuses.clear();
  ShowPlaybackReport(prompter, PlaybackReport{{0, 80}});
  EXPECT_EQ(prompter.statuses, (Strings{"[1]Playback is done", "[81]Playback is done"}));
}

TEST(WindowMessageTest, PlayAndSelectPortMessagesAreHandedOnChecked) {
  FakeBoardPort board;
  ScriptedPrompter prompter;
  BoardLink link(&board);
  std::vector<int> chosen;
  auto play = [&](int64_t w, int64_t l) { HandlePlayMessage(link, &prompter, w, l); };
  auto choose = [&](int index) { chosen.push_back(index); };

  EXPECT_TRUE(DispatchWindowMessage(0x8000, 0, 3, play, choose));
  EXPECT_EQ(board.played, std::vector<int>{3});
  EXPECT_TRUE(DispatchWindowMessage(0x8000, 0, 85, play, choose));  // handed on, not played
  EXPECT_EQ(board.played, std::vector<int>{3});
  EXPECT_FALSE(HandlePlayMessage(link, &prompter, 2 * 16777216, 3));
  EXPECT_TRUE(HandlePlayMessage(link, &prompter, 16777216 + 0x1234, 0x11223344));
  EXPECT_EQ(board.frames.back(),
            test::WithChecksumOf({0xDE, 0x01, 0x80, 0x12, 0x34, 0x44, 0x33, 0x22, 0x11}));
  EXPECT_EQ(prompter.statuses.back(), "Sending the expanded low speed serial");

  EXPECT_FALSE(DispatchWindowMessage(0x8002, 0, 3, play, choose));
  EXPECT_FALSE(DispatchWindowMessage(0x8001, 0, 21, play, choose));
  EXPECT_FALSE(DispatchWindowMessage(0x8001, 16777216, 2, play, choose));
  EXPECT_TRUE(chosen.empty());
  EXPECT_TRUE(DispatchWindowMessage(0x8001, 0, 2, play, choose));
  EXPECT_EQ(chosen, std::vector<int>{2});
  EXPECT_FALSE(DispatchWindowMessage(0x8001, 0, 2, play, nullptr));
}

}  // namespace
}  // namespace brv3
