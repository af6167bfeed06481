#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/CommX.h"
#include "platform/PtyBoard.h"

namespace brv3::platform {
namespace {

using test::Clock;
using test::MsSince;
using test::Pattern;
using test::PtyBoard;
using test::ScriptedPump;

void OpenOn(TCommX& comm, const PtyBoard& board) {
  comm.SetDevicePath(board.SlavePath());
  comm.SetBitRate(115200);
  comm.SetFlowCtrl(cfcNone);
  comm.Open();
}

bool WaitForQueue(TCommX& comm, int count) {
  auto start = Clock::now();
  while (comm.InQueueCount() < count && MsSince(start) < 2000)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return comm.InQueueCount() == count;
}

TEST(CommXTransfer, LongWriteIsChunkedHeldBackWhileTheLineStallsAndArrivesInOrder) {
  PtyBoard board;
  TCommX comm;
  ScriptedPump pump;
  comm.SetEventPump(&pump);
  comm.SetBufLenTrans(100);
  OpenOn(comm, board);
  comm.SetFlowCtrl(cfcXonXoff);

  // The board stops the line with XOFF: 5000 bytes are 50 chunks, more than may be in flight,
  // so the write has to wait (running the event pump) until the board sends XON.
  ASSERT_TRUE(board.StopLine());
  pump.onPump = [&](int call) {
    if (call == 20) board.Send({0x11});
  };
  auto data = Pattern(5000);
  EXPECT_TRUE(comm.WriteBytes(data.data(), data.size()));
  EXPECT_GE(pump.calls, 20);
  EXPECT_EQ(board.Receive(5000, 5000), data);

  // Without a stall the same write is only queued; the bytes still leave in order, also when
  // several writes follow each other.
  pump.calls = 0;
  auto more = Pattern(7000);
  EXPECT_TRUE(comm.WriteBytes(more.data(), 3000));
  EXPECT_TRUE(comm.WriteBytes(more.data() + 3000, 4000));
  EXPECT_TRUE(comm.WriteByte(0x7E));
  more.push_back(0x7E);
  EXPECT_EQ(board.Receive(7001, 5000), more);
  EXPECT_TRUE(comm.WriteBytes(nullptr, 0));
  EXPECT_FALSE(comm.WriteBytes(nullptr, 3));
}

TEST(CommXTransfer, PurgesDropWhatIsPending) {
  PtyBoard board;
  TCommX comm;
  comm.SetTimeOutReceive(100);
  OpenOn(comm, board);
  board.Send(Pattern(10));
  ASSERT_TRUE(WaitForQueue(comm, 10));
  comm.PurgeReceive();
  EXPECT_EQ(comm.InQueueCount(), 0);
  uint8_t buffer[16];
  EXPECT_EQ(comm.ReadBytes(buffer, 10), 0);
  board.Send({'A', 'B'});
  ASSERT_EQ(comm.ReadBytes(buffer, 2), 2);
  EXPECT_EQ(buffer[0], 'A');
  EXPECT_EQ(buffer[1], 'B');

  // Bytes held back by XOFF are dropped by a transmit purge; later bytes go out normally.
  comm.SetFlowCtrl(cfcXonXoff);
  ASSERT_TRUE(board.StopLine());
  auto held = Pattern(3000);
  EXPECT_TRUE(comm.WriteBytes(held.data(), held.size()));
  comm.PurgeTransmit();
  board.Send({0x11});
  EXPECT_TRUE(board.Receive(1, 200).empty());
  EXPECT_TRUE(comm.WriteString("after"));
  auto sent = board.Receive(5, 2000);
  EXPECT_EQ(std::string(sent.begin(), sent.end()), "after");
}

TEST(CommXTransfer, ReadEndsWithAllBytesOrAtTheTimeOutAndPumpsWhileWaiting) {
  PtyBoard board;
  TCommX comm;
  ScriptedPump pump;
  comm.SetEventPump(&pump);
  OpenOn(comm, board);
  uint8_t buffer[16] = {};

  comm.SetTimeOutReceive(300);
  board.Send({1, 2, 3});
  auto start = Clock::now();
  EXPECT_EQ(comm.ReadBytes(buffer, 10), 3);
  auto took = MsSince(start);
  EXPECT_GE(took, 250);
  EXPECT_LT(took, 2500);
  EXPECT_EQ(buffer[2], 3);
  // Waiting happens in short slices with the pump in between, not in one long sleep.
  EXPECT_GE(pump.calls, 5);

  comm.SetTimeOutReceive(3000);
  std::thread late([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    board.Send({9, 8});
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    board.Send({7, 6});
  });
  start = Clock::now();
  EXPECT_EQ(comm.ReadBytes(buffer, 4), 4);
  EXPECT_LT(MsSince(start), 2000);
  late.join();
  EXPECT_EQ(buffer[0], 9);
  EXPECT_EQ(buffer[3], 6);

  comm.SetTimeOutReceive(0);
  EXPECT_EQ(comm.ReadBytes(buffer, 1), 0);
  EXPECT_EQ(comm.ReadBytes(nullptr, 1), -1);
  EXPECT_EQ(comm.ReadBytes(buffer, 0), 0);
}

}  // namespace
}  // namespace brv3::platform

namespace brv3::platform {
namespace {

TEST(CommXTransfer, CloseAfterSendingLetsTheLastBytesReachThePeer) {
  // Nobody reads while the port closes: closing after sending still hands every byte over.
  const auto data = test::Pattern(300);
  {
    test::PtyBoard board;
    TCommX comm;
    OpenOn(comm, board);
    ASSERT_TRUE(comm.WriteBytes(data.data(), data.size()));
    comm.CloseAfterSending(1000);
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(board.Receive(300, 2000), data);
  }
}

}  // namespace
}  // namespace brv3::platform
