#include "core/motion/LinkActions.h"

#include <gtest/gtest.h>

#include "core/motion/FakeLinkBoard.h"

namespace brv3 {
namespace {

ChannelRanges AllPulse() {
  ChannelRanges r;
  r.fill(kPulseServoRange);
  return r;
}

}  // namespace

TEST(IncrementLink, SendsTheLinkedPoseAndKeepsTheObjectWhenTheWriteFails) {
  ChannelTexts link;
  link[0] = "MOV(+10)";
  link[1] = "TTL(H)";
  link[2] = "tch";
  link[3] = "NOPE(1)";
  ChannelWords values{};
  values.fill(16384);
  test::FakeLinkBoard board;
  auto words = IncrementLink(link, values, AllPulse(), -1, &board);
  ASSERT_TRUE(words);
  EXPECT_EQ((*words)[0], 16374);
  EXPECT_EQ((*words)[1], kWordH);
  EXPECT_EQ((*words)[2], 16384);
  EXPECT_EQ((*words)[3], 16384);
  ASSERT_EQ(board.written.size(), 1u);
  EXPECT_EQ(board.written[0].Head, 1);
  EXPECT_EQ(board.written[0].Values, *words);

  board.writeResult = false;
  EXPECT_FALSE(IncrementLink(link, values, AllPulse(), +1, &board));
  // Sync off: no board, the words change all the same.
  auto offline = IncrementLink(link, values, AllPulse(), +1, nullptr);
  ASSERT_TRUE(offline);
  EXPECT_EQ((*offline)[0], 16394);
}

TEST(Snapshot, FirstPressReleasesTouchChannelsThenTheSecondTakesTheirPositions) {
  ChannelTexts link;
  link[0] = "TCH";
  link[1] = "tch";  // only the exact text counts
  PoseRecord pose;
  pose.Head = 80;
  pose.Values.fill(16384);
  pose.Values[2] = kWordFree;  // free without a link entry
  test::FakeLinkBoard board;

  SnapshotResult released = Snapshot(link, pose, board);
  EXPECT_EQ(released.mode, SnapshotMode::Release);
  ASSERT_TRUE(released.load);
  EXPECT_EQ(released.load->Head, 80);
  EXPECT_EQ(released.load->Values[0], kWordFree);
  EXPECT_EQ(released.load->Values[1], 16384);
  EXPECT_EQ(released.load->Values[2], kWordFree);
  ASSERT_EQ(board.written.size(), 1u);
  EXPECT_EQ(board.written[0], *released.load);
  EXPECT_EQ(board.reads, 0);

  board.written.clear();
  board.SetPosition(1, 15000);
  board.SetPosition(2, 15001);
  board.SetPosition(3, 15002);
  SnapshotResult captured = Snapshot(link, *released.load, board);
  EXPECT_EQ(captured.mode, SnapshotMode::Capture);
  ASSERT_EQ(board.written.size(), 1u);
  EXPECT_EQ(board.written[0].Head, 1);
  EXPECT_EQ(board.written[0].Values[0], kWordCapture);
  EXPECT_EQ(board.written[0].Values[1], 16384);
  EXPECT_EQ(board.written[0].Values[2], kWordFree);
  ASSERT_TRUE(captured.load);
  EXPECT_EQ(captured.load->Head, 80);
  EXPECT_EQ(captured.load->Values[0], 15000);  // was free: measured
  EXPECT_EQ(captured.load->Values[1], 16384);  // was not free: kept
  EXPECT_EQ(captured.load->Values[2], 15002);  // free without TCH: measured too
  EXPECT_EQ(captured.load->Values[3], 16384);
}

TEST(Snapshot, CaptureStopsAtTheFirstFailedExchange) {
  ChannelTexts link;
  link[4] = "TCH";
  PoseRecord pose;
  pose.Values[4] = kWordFree;
  test::FakeLinkBoard board;
  board.writeResult = false;
  SnapshotResult r = Snapshot(link, pose, board);
  EXPECT_EQ(r.mode, SnapshotMode::Capture);
  EXPECT_FALSE(r.load);
  EXPECT_EQ(board.reads, 0);

  board.writeResult = true;
  board.readResult = false;
  EXPECT_FALSE(Snapshot(link, pose, board).load);
  board.readResult = true;
  board.positions.resize(20);  // a short reply is no reply
  EXPECT_FALSE(Snapshot(link, pose, board).load);
}

}  // namespace brv3
