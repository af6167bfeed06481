// The sequences every caller shares: the board asleep for a sequence, channel names, and what the
// checks before a write know of the board.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/board/ChannelNames.h"
#include "core/board/SleepScope.h"
#include "core/board/WriteWarnings.h"
#include "core/comm/BoardLink.h"
#include "core/motion/MotionFakes.h"
#include "support/FakeBoardPort.h"

namespace brv3 {
namespace {

using test::ChartBuilder;
using test::FakeBoardPort;

// Frames that write the working mode word.
size_t ModeWrites(const FakeBoardPort& board) {
  return static_cast<size_t>(std::count_if(board.frames.begin(), board.frames.end(),
                                           [](const Bytes& f) { return f[0] == 0xF2; }));
}

TEST(SleepScope, AnyWayOutOfTheScopeWakesTheBoardAndKeepsTheEarlierCause) {
  FakeBoardPort board;
  BoardLink link(&board);
  link.SetAttemptLimit(1);  // an unanswered frame is sent once
  {
    SleepScope sleep(link);
    ASSERT_TRUE(sleep.Begin());
    EXPECT_TRUE(board.Asleep());
    // A read fails inside the sequence, which then stops.
    board.failWhen = [](const Bytes& f) { return f[0] == 0xF5; };
    Bytes reply;
    EXPECT_FALSE(link.ReadTableEntry(3, reply));
    board.failWhen = nullptr;
  }
  EXPECT_FALSE(board.Asleep());
  EXPECT_NE(link.LastFault(), LinkFault::None) << "the read's cause is still there to report";

  // A wake lost on the line is sent again; once woken, the scope sends nothing more.
  int lost = 1;
  board.failWhen = [&](const Bytes& f) { return f[0] == 0xF2 && (f[3] & 1) == 0 && lost-- > 0; };
  {
    SleepScope sleep(link);
    ASSERT_TRUE(sleep.Begin());
    const size_t before = ModeWrites(board);
    EXPECT_TRUE(sleep.End());
    EXPECT_EQ(ModeWrites(board), before + 2);
  }
  EXPECT_FALSE(board.Asleep());
  EXPECT_EQ(link.LastFault(), LinkFault::None);

  // A sleep that failed on the line may have reached the board: it is woken all the same.
  board.failWhen = [](const Bytes& f) { return f[0] == 0xF2 && (f[3] & 1) != 0; };
  const size_t before = ModeWrites(board);
  {
    SleepScope sleep(link);
    EXPECT_FALSE(sleep.Begin());
  }
  EXPECT_EQ(ModeWrites(board), before + 2);  // the sleep, then the wake
}

TEST(ChannelNames, ReadAndWrittenAsTheBoardStoresThem) {
  FakeBoardPort board;
  BoardLink link(&board);
  EXPECT_EQ(ReadChannelName(link, 24), "");
  EXPECT_EQ(board.frames.back()[1], 23);  // channel 24 is the board's 23
  ASSERT_TRUE(WriteChannelName(link, 1, "膝"));
  const Bytes& written = board.frames.back();
  ASSERT_EQ(written.size(), 36u);
  EXPECT_EQ(written[2], 0);     // channel 1 is the board's 0
  EXPECT_EQ(written[3], 0x95);  // 膝 in cp932, then zeros
  EXPECT_EQ(written[4], 0x47);
  EXPECT_EQ(written[5], 0);
  EXPECT_EQ(NameText(NameBytes("Knee")), "Knee");
  link.SetAttemptLimit(1);
  board.failWhen = [](const Bytes&) { return true; };
  EXPECT_FALSE(ReadChannelName(link, 1));
  EXPECT_FALSE(WriteChannelName(link, 1, "x"));
}

TEST(PreWriteKnowledge, ReadsOnlyWhatTheChecksNeedAndWarnsAsTheEditorWould) {
  FakeBoardPort board;
  BoardLink link(&board);
  board.entries[1][0] = 3;  // M2 holds a motion, M7 is empty
  ChartBuilder b;
  const int pose = b.Pos("P"), call = b.Add(kSet, "CALL"), jump = b.Add(kSet, "JUMP");
  b.Flow(pose, call).Flow(call, jump);
  Chart chart = b.chart;
  chart.Objects[static_cast<size_t>(jump)].Values = EncodeSetWords({SetOption::Jump, 6});
  chart.Objects[static_cast<size_t>(call)].Values = EncodeSetWords({SetOption::Call, 1});

  const BoardKnowledge known = ReadBoardKnowledge(link, chart);
  EXPECT_EQ(board.Count(0xE9), 0u) << "no position needs the serial-servo mask";
  EXPECT_EQ(board.Count(0xF5), 2u) << "only the two named entries are read";
  EXPECT_FALSE(board.Asleep());
  const std::vector<ChartWarning> warnings = PreWriteWarnings(chart, known);
  ASSERT_EQ(warnings.size(), 1u) << warnings.back().Text;
  EXPECT_NE(warnings[0].Text.find("jumps to M7, which the motion table shows empty"),
            std::string::npos)
      << warnings[0].Text;

  // What the editor already knows is not read again; a position beyond the pulse-servo range
  // needs the mask.
  board.frames.clear();
  chart.Objects[0].Values[0] = 20000;
  const BoardKnowledge again = ReadBoardKnowledge(link, chart, known);
  EXPECT_EQ(board.Count(0xF5), 0u);
  EXPECT_EQ(board.Count(0xE9), 1u);
  ASSERT_TRUE(again.serialServoMask);
  EXPECT_EQ(PreWriteWarnings(chart, again).size(), 2u);

  // A board that does not answer leaves everything unknown, which warns of nothing it would have
  // told.
  link.SetAttemptLimit(1);
  board.failWhen = [](const Bytes&) { return true; };
  const BoardKnowledge none = ReadBoardKnowledge(link, chart);
  EXPECT_FALSE(none.serialServoMask);
  EXPECT_FALSE(none.emptySlots);
}

}  // namespace
}  // namespace brv3
