#include "core/comm/LiveLane.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

#include "core/comm/BoardLink.h"
#include "core/comm/ConnectionWatch.h"
#include "support/FakeBoardPort.h"

namespace brv3 {
namespace {

Bytes Servo(uint8_t channel, uint16_t word) {
  return {0xFE,
          0x00,
          channel,
          0x01,
          static_cast<uint8_t>(word >> 8),
          static_cast<uint8_t>(word & 0xFF)};
}

// The first frame is held on the line until the test lets it go, so that later ones queue.
struct HeldLine {
  std::recursive_mutex exchange;
  std::mutex lock;
  std::condition_variable changed;
  bool firstTaken = false;
  bool open = false;
  std::vector<Bytes> sent;

  LinkFault Send(const Bytes& frame) {
    std::unique_lock hold(lock);
    if (!firstTaken) {
      firstTaken = true;
      changed.notify_all();
      changed.wait(hold, [this] { return open; });
    }
    sent.push_back(frame);
    return LinkFault::None;
  }
  void WaitForFirst() {
    std::unique_lock hold(lock);
    changed.wait(hold, [this] { return firstTaken; });
  }
  void Open() {
    std::lock_guard hold(lock);
    open = true;
    changed.notify_all();
  }
};

TEST(LiveLane, SendsOnlyTheNewestFrameOfEachChannelInTheOrderFirstAsked) {
  HeldLine line;
  std::vector<Bytes> sent;
  {
    LiveLane lane(line.exchange, [&line](const Bytes& frame) { return line.Send(frame); });
    lane.Post(Servo(1, 100));
    line.WaitForFirst();  // on its way: later values of channel 1 cannot replace it
    lane.Post(Servo(2, 200));
    lane.Post(Servo(1, 101));
    lane.Post(Servo(1, 102));
    lane.Post({0xFB, 0x00, 1, 0x40, 0x00});  // a trim value of channel 1 is another target
    lane.Post(Servo(3, 300));
    lane.Post(Servo(2, 201));
    line.Open();
    lane.Drain();
    EXPECT_EQ(lane.TakeOutcome(), LinkFault::None);
    EXPECT_EQ(lane.TakeOutcome(), std::nullopt);
    lane.Post(Servo(4, 400));  // the lane's end still sends what it holds
  }
  EXPECT_EQ(line.sent,
            (std::vector<Bytes>{Servo(1, 100), Servo(2, 201), Servo(1, 102),
                                Bytes{0xFB, 0x00, 1, 0x40, 0x00}, Servo(3, 300), Servo(4, 400)}));
}

// A board port whose exchanges may come from the lane's thread.
class SharedBoardPort : public test::FakeBoardPort {
 public:
  std::recursive_mutex exchange;
  std::recursive_mutex* ExchangeLock() override { return &exchange; }
};

TEST(LiveLane, ACommandSendsTheLiveFramesAskedBeforeItFirstAndNoneGoesTwice) {
  SharedBoardPort port;
  {
    BoardLink link(&port);
    link.SendLiveFramesInBackground();
    {
      // The line is busy (as during a command that lets events run): the lane must wait.
      std::lock_guard busy(port.exchange);
      for (uint16_t word = 16000; word < 16100; ++word) EXPECT_TRUE(link.SetServoLive(0, word));
      EXPECT_TRUE(link.SetServoLive(1, 15000));
      EXPECT_TRUE(link.StopMotion());
      EXPECT_TRUE(link.SetServoLive(0, 16200));  // asked after the command
    }
  }
  ASSERT_EQ(port.frames.size(), 4u);
  auto withoutChecksum = [](Bytes frame) {
    frame.pop_back();
    return frame;
  };
  EXPECT_EQ(withoutChecksum(port.frames[0]), Servo(0, 16099));
  EXPECT_EQ(withoutChecksum(port.frames[1]), Servo(1, 15000));
  EXPECT_EQ(port.frames[2][0], 0xF3);
  EXPECT_EQ(withoutChecksum(port.frames[3]), Servo(0, 16200));
}

TEST(LiveLane, HowLiveFramesWentIsToldToTheConnectionWatch) {
  SharedBoardPort port;
  ConnectionWatch watch(nullptr);
  BoardLink link(&port);
  link.SetConnectionWatch(&watch);
  link.SendLiveFramesInBackground();
  port.offline = true;
  link.SetServoLive(0, 16000);
  link.FlushLiveFrames();  // sent from the lane or from here: told either way
  EXPECT_TRUE(watch.Lost());
  port.offline = false;
  link.SetServoLive(0, 16001);
  link.FlushLiveFrames();
  EXPECT_FALSE(watch.Lost());
}

}  // namespace
}  // namespace brv3
