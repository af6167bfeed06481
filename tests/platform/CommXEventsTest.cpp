#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/CommX.h"
#include "platform/PtyBoard.h"
#include "platform/QueuedDispatcher.h"

namespace brv3::platform {
namespace {

using test::Clock;
using test::MsSince;
using test::Pattern;
using test::PtyBoard;
using test::ScriptedPump;

struct EventsFixture {
  PtyBoard board;
  std::shared_ptr<QueuedDispatcher> dispatcher = std::make_shared<QueuedDispatcher>();
  TCommX comm;
  std::vector<int> received;

  EventsFixture() {
    comm.SetDispatcher(dispatcher);
    comm.OnReceive = [this](TCustomCommX&, int size) { received.push_back(size); };
    comm.SetDevicePath(board.SlavePath());
    comm.SetBitRate(115200);
    comm.SetFlowCtrl(cfcNone);
    comm.Open();
  }
  // Runs hand-overs until one raises OnReceive or `ms` pass.
  void RunUntilReceived(int ms) {
    size_t before = received.size();
    auto start = Clock::now();
    while (received.size() == before && MsSince(start) < ms) dispatcher->WaitAndRunPending(10);
  }
  // Runs hand-overs until none has come for `quietMs`. A hand-over waits for the main thread, and
  // the receive thread can queue no other meanwhile.
  void DrainHandOvers(int quietMs) {
    while (dispatcher->WaitAndRunPending(quietMs) > 0) {
    }
  }
  bool WaitForHandOver(int count, int ms) { return dispatcher->WaitForDispatchCount(count, ms); }
};

TEST(CommXEvents, OnReceiveReportsTheQueueOnceAndNeverForBytesAReadTakes) {
  EventsFixture f;
  f.board.Send(Pattern(5));
  f.RunUntilReceived(2000);
  ASSERT_EQ(f.received, std::vector<int>{5});
  // Bytes left unread raise no further hand-overs: the receive thread waits for news.
  int handOvers = f.dispatcher->DispatchCount();
  EXPECT_FALSE(f.WaitForHandOver(handOvers + 1, 200));
  uint8_t buffer[16];
  f.comm.SetTimeOutReceive(500);
  ASSERT_EQ(f.comm.ReadBytes(buffer, 5), 5);

  // Bytes arriving during a read (sent while it waits, in two parts) belong to the read, even
  // though the pump lets hand-overs run.
  ScriptedPump pump;
  pump.onPump = [&](int call) {
    f.dispatcher->RunPending();
    if (call == 2) f.board.Send({1, 2, 3});
    if (call == 4) f.board.Send({4, 5, 6, 7, 8});
  };
  f.comm.SetEventPump(&pump);
  f.comm.SetTimeOutReceive(2000);
  EXPECT_EQ(f.comm.ReadBytes(buffer, 6), 6);
  EXPECT_GE(pump.calls, 4);
  EXPECT_EQ(f.received, std::vector<int>{5});
  // What the read left behind is reported after it (the thread's own look and the read's
  // wake-up may both get there first, so it can be reported twice, but always as 2 bytes).
  f.RunUntilReceived(2000);
  auto afterFirst = [&] { return std::vector<int>(f.received.begin() + 1, f.received.end()); };
  ASSERT_GE(f.received.size(), 2u);
  EXPECT_EQ(afterFirst(), std::vector<int>(f.received.size() - 1, 2));
  EXPECT_EQ(f.comm.ReadBytes(buffer, 2), 2);
  EXPECT_EQ(buffer[1], 8);

  // A hand-over that reaches the main thread after the bytes were read finds the queue empty.
  // The second report of the bytes just read may still be on its way: it must be out of the way,
  // or the receive thread, waiting for it to run, cannot hand over the next bytes.
  f.comm.SetEventPump(nullptr);
  f.DrainHandOvers(200);
  int queuedBefore = f.dispatcher->DispatchCount();
  f.board.Send({9, 9, 9});
  ASSERT_TRUE(f.WaitForHandOver(queuedBefore + 1, 2000));
  EXPECT_EQ(f.comm.ReadBytes(buffer, 3), 3);
  size_t reportsBefore = f.received.size();
  f.dispatcher->RunPending();
  EXPECT_EQ(f.received.size(), reportsBefore);
}

// Live frames are exchanged on a thread of their own: such a read lets no events run (they
// belong to the main thread), and while it holds the exchange lock the main thread's receive
// handler waits, so it neither takes the answer nor misses what comes after.
TEST(CommXEvents, AnExchangeOnAnotherThreadRunsNoEventsAndKeepsItsAnswer) {
  EventsFixture f;
  ScriptedPump pump;
  f.comm.SetEventPump(&pump);
  f.comm.SetTimeOutReceive(2000);
  std::atomic<bool> locked{false};
  int got = 0;
  uint8_t buffer[4] = {};
  std::thread exchange([&] {
    std::lock_guard line(*f.comm.ExchangeLock());
    locked = true;
    got = f.comm.ReadBytes(buffer, 4);
  });
  while (!locked) std::this_thread::yield();
  // In two parts, so the read waits (and would pump) between them.
  f.board.Send({1, 2});
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  f.dispatcher->RunPending();
  f.board.Send({3, 4});
  exchange.join();
  EXPECT_EQ(got, 4);
  EXPECT_EQ(buffer[3], 4);
  EXPECT_EQ(pump.calls, 0);
  f.DrainHandOvers(100);
  EXPECT_TRUE(f.received.empty());

  // Bytes that come while another thread holds the line are reported once it lets go, not
  // before and not lost.
  locked = false;
  std::atomic<bool> released{false};
  std::thread holder([&] {
    std::lock_guard line(*f.comm.ExchangeLock());
    locked = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    released = true;
  });
  while (!locked) std::this_thread::yield();
  f.board.Send({5});
  f.RunUntilReceived(2000);
  EXPECT_TRUE(released);
  EXPECT_EQ(f.received, std::vector<int>{1});
  holder.join();
  EXPECT_EQ(f.comm.ReadBytes(buffer, 1), 1);
  EXPECT_EQ(buffer[0], 5);
  f.comm.SetEventPump(nullptr);
}

TEST(CommXEvents, CloseFromTheEventPumpEndsTheReadAndReopenWorks) {
  EventsFixture f;
  ScriptedPump pump;
  pump.onPump = [&](int call) {
    if (call == 3) f.comm.Close();
  };
  f.comm.SetEventPump(&pump);
  uint8_t buffer[4];
  EXPECT_EQ(f.comm.ReadBytes(buffer, 4), -1);
  EXPECT_FALSE(f.comm.IsOpen());
  f.comm.SetEventPump(nullptr);
  f.comm.Open();
  f.board.Send({0x41});
  f.comm.SetTimeOutReceive(1000);
  EXPECT_EQ(f.comm.ReadBytes(buffer, 1), 1);
}

TEST(CommXEvents, CloseNeverWaitsForAHandOverTheMainThreadHasNotRun) {
  EventsFixture f;
  // Close from inside the handler, while the receive thread waits for that very hand-over.
  f.comm.OnReceive = [&](TCustomCommX& sender, int size) {
    f.received.push_back(size);
    sender.Close();
  };
  f.board.Send({1, 2});
  f.RunUntilReceived(2000);
  ASSERT_EQ(f.received, std::vector<int>{2});
  EXPECT_FALSE(f.comm.IsOpen());

  // Close while a hand-over is queued and not yet run: it must not deadlock, and the stale
  // notification raises nothing afterwards.
  f.comm.OnReceive = [&](TCustomCommX&, int size) { f.received.push_back(size); };
  f.comm.Open();
  int before = f.dispatcher->DispatchCount();
  f.board.Send({3, 4, 5});
  ASSERT_TRUE(f.WaitForHandOver(before + 1, 2000));
  auto start = Clock::now();
  f.comm.Close();
  EXPECT_LT(MsSince(start), 2000);
  f.dispatcher->RunPending();
  EXPECT_EQ(f.received, std::vector<int>{2});

  // The port opens again, and a write stalled by flow control does not hold Close up.
  f.comm.Open();
  f.comm.SetFlowCtrl(cfcXonXoff);
  ASSERT_TRUE(f.board.StopLine());
  auto data = Pattern(6000);
  EXPECT_TRUE(f.comm.WriteBytes(data.data(), data.size()));
  start = Clock::now();
  f.comm.Close();
  EXPECT_LT(MsSince(start), 2000);
  f.dispatcher->RunPending();
}

TEST(CommXEvents, AVanishedDeviceFailsReadsAndWritesAndANewDeviceOpens) {
  auto f = std::make_unique<EventsFixture>();
  f->comm.SetTimeOutReceive(3000);
  f->board.Vanish();
  uint8_t buffer[8];
  auto start = Clock::now();
  EXPECT_EQ(f->comm.ReadBytes(buffer, 8), -1);
  EXPECT_LT(MsSince(start), 1500);
  EXPECT_FALSE(f->comm.WriteString("gone"));
  EXPECT_EQ(f->comm.ReadBytes(buffer, 1), -1);
  EXPECT_EQ(f->comm.InQueueCount(), 0);
  f->dispatcher->RunPending();
  EXPECT_TRUE(f->received.empty());
  f->comm.Close();
  EXPECT_FALSE(f->comm.IsOpen());

  PtyBoard replacement;
  f->comm.SetDevicePath(replacement.SlavePath());
  f->comm.Open();
  EXPECT_TRUE(f->comm.WriteString("back"));
  auto sent = replacement.Receive(4, 2000);
  EXPECT_EQ(std::string(sent.begin(), sent.end()), "back");
  replacement.Send({0x55});
  EXPECT_EQ(f->comm.ReadBytes(buffer, 1), 1);

  // The device vanishing while a read waits ends that read too.
  ScriptedPump pump;
  pump.onPump = [&](int call) {
    if (call == 2) replacement.Vanish();
  };
  f->comm.SetEventPump(&pump);
  start = Clock::now();
  EXPECT_EQ(f->comm.ReadBytes(buffer, 8), -1);
  EXPECT_LT(MsSince(start), 1500);
  EXPECT_GE(pump.calls, 2);
  f.reset();
}

TEST(CommXEvents, ADeviceThatHangsUpIsLetGoAtOnce) {
  EventsFixture f;
  int handOvers = 0;
  f.comm.OnError = [&](TCustomCommX&, int) { ++handOvers; };
  bool closedWhenTold = false;
  f.comm.OnHangUp = [&](TCustomCommX& comm) { closedWhenTold = !comm.IsOpen(); };
  f.board.Vanish();
  // No command needs to come first: the hang-up alone closes the port.
  const auto start = Clock::now();
  while (f.comm.IsOpen() && MsSince(start) < 5000) f.dispatcher->WaitAndRunPending(10);
  EXPECT_FALSE(f.comm.IsOpen());
  EXPECT_TRUE(closedWhenTold);
  EXPECT_FALSE(f.comm.LineFailed());
  uint8_t buffer[1];
  EXPECT_EQ(f.comm.ReadBytes(buffer, 1), -1);
  EXPECT_EQ(handOvers, 0);
  EXPECT_TRUE(f.received.empty());
}

}  // namespace
}  // namespace brv3::platform
