#include <gtest/gtest.h>

#include "sim/SimHost.h"

namespace brv3::sim::test {
namespace {

Bytes Entry(uint8_t count, const std::string& name, uint16_t code = 0xFFFF) {
  Bytes entry(42, 0x00);
  entry[0] = count;
  entry[4] = 3;
  entry[5] = 7;
  entry[6] = 9;
  entry[7] = 5;
  entry[8] = static_cast<uint8_t>(code >> 8);
  entry[9] = static_cast<uint8_t>(code & 0xFF);
  for (size_t i = 0; i < name.size() && i < 32; ++i) entry[10 + i] = static_cast<uint8_t>(name[i]);
  return entry;
}

Bytes Record(int i) {
  Bytes r{static_cast<uint8_t>(i + 1)};
  for (int c = 0; c < 24; ++c) {
    const uint16_t w = static_cast<uint16_t>(1000 + i * 100 + c);
    r.push_back(static_cast<uint8_t>(w >> 8));
    r.push_back(static_cast<uint8_t>(w & 0xFF));
  }
  return r;
}

// Writes a motion the way the program does: the head entry, continuation entries, then the
// steps through the head slot number.
void WriteMotion(SimHost& host, uint8_t slot, const std::vector<Bytes>& steps) {
  const auto n = static_cast<uint8_t>(steps.size());
  ASSERT_TRUE(host.Acked(Concat({0xF6, 0x01, slot}, Entry(n, "WALK"))));
  for (int k = 1; k <= (n - 1) / 30; ++k) {
    ASSERT_TRUE(
        host.Acked(Concat({0xF6, 0x01, static_cast<uint8_t>(slot + k)}, Entry(0, "M:WALK"))));
  }
  for (size_t i = 0; i < steps.size(); ++i) {
    ASSERT_TRUE(host.Acked(Concat({0xFD, 0x03, slot, static_cast<uint8_t>(i)}, steps[i])));
  }
}

ChannelWords Positions(SimHost& host) {
  const Bytes r = host.Transact({0xF0}, 49);
  ChannelWords words{};
  if (r.size() != 49) return words;
  for (int c = 0; c < 24; ++c) words[c] = static_cast<uint16_t>(r[2 * c] << 8 | r[2 * c + 1]);
  return words;
}

TEST(BoardMemory, MotionRunsIntoContinuationSlots) {
  SimHost host;
  std::vector<Bytes> steps;
  for (int i = 0; i < 65; ++i) steps.push_back(Record(i));
  WriteMotion(host, 5, steps);
  for (int i = 0; i < 65; ++i) {
    const Bytes r = host.Transact({0xFC, 0x02, 5, static_cast<uint8_t>(i)}, 50);
    ASSERT_EQ(r.size(), 50u) << i;
    EXPECT_EQ(Bytes(r.begin(), r.begin() + 49), steps[i]) << i;
  }
  // Record 30 of M6 lives in M7's first record, record 64 in M8's fifth.
  EXPECT_EQ(Bytes(host.Transact({0xFC, 0x02, 6, 0}, 50)).size(), 50u);
  EXPECT_EQ(host.Transact({0xFC, 0x02, 6, 0}, 50), host.Transact({0xFC, 0x02, 5, 30}, 50));
  EXPECT_EQ(host.Transact({0xFC, 0x02, 7, 4}, 50), host.Transact({0xFC, 0x02, 5, 64}, 50));
  // Unwritten memory reads as erased.
  const Bytes erased = host.Transact({0xFC, 0x02, 40, 0}, 50);
  EXPECT_EQ(Bytes(erased.begin(), erased.begin() + 49), Bytes(49, 0xFF));
  // The table: head entry and its continuations.
  const Bytes head = host.Transact({0xF5, 5}, 43);
  EXPECT_EQ(Bytes(head.begin(), head.begin() + 42), Entry(65, "WALK"));
  EXPECT_EQ(host.Transact({0xF5, 7}, 43)[10], 'M');
  // Past the end of motion memory: the write is refused, the read unanswered.
  EXPECT_EQ(host.Transact(Concat({0xFD, 0x03, 79, 30}, Record(0)), 1), Bytes{0x15});
  EXPECT_EQ(host.Transact(Concat({0xFD, 0x03, 79, 29}, Record(0)), 1), Bytes{0x06});
  EXPECT_TRUE(host.Transact({0xFC, 0x02, 80, 0}, 50).empty());
  EXPECT_TRUE(host.Transact({0xF5, 85}, 43).empty());
  EXPECT_EQ(host.Transact(Concat({0xF6, 0x01, 85}, Entry(1, "X")), 1), Bytes{0x15});
}

TEST(BoardMemory, ScenariosSettingsAndLivePose) {
  SimHost host;
  EXPECT_EQ(host.Transact({0xF7, 2, 0}, 2), (Bytes{0xFF, 0xFF}));
  EXPECT_TRUE(host.Acked({0xF8, 0x01, 2, 0, 12}));
  EXPECT_TRUE(host.Acked({0xF8, 0x01, 2, 1, 255}));
  EXPECT_EQ(host.Transact({0xF7, 2, 0}, 2), (Bytes{12, 12}));
  EXPECT_EQ(host.Transact({0xF7, 2, 1}, 2), (Bytes{255, 255}));

  // Stored and working copies are separate.
  Bytes trim;
  for (int c = 0; c < 24; ++c) trim.insert(trim.end(), {0x40, static_cast<uint8_t>(c)});
  EXPECT_TRUE(host.Acked(Concat({0xFA, 0x03}, trim)));
  EXPECT_EQ(Bytes(host.Transact({0xF9, 0x02}, 49)).size(), 49u);
  const Bytes stored = host.Transact({0xF9, 0x02}, 49);
  EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 48), trim);
  const Bytes working = host.Transact({0xF9, 0x00}, 49);
  EXPECT_EQ(working[1], 0x00);
  EXPECT_TRUE(host.Acked({0xE4, 0x01, 2,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                          12,   13,   14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}));
  EXPECT_EQ(host.Transact({0xE3, 0x00, 2}, 25)[23], 24);
  EXPECT_EQ(host.Transact({0xE3, 0x02, 2}, 25)[23], 0);
  EXPECT_TRUE(host.Transact({0xE3, 0x02, 3}, 25).empty());
  // The live pose buffer moves the servos over speed x 10 ms.
  EXPECT_TRUE(host.Acked(Concat({0xFD, 0x01, 0, 0}, PoseBytes(10, 16384 + 1000))));
  const Bytes pose = host.Transact({0xFC, 0x00, 0, 0}, 50);
  EXPECT_EQ(Bytes(pose.begin(), pose.begin() + 49), PoseBytes(10, 16384 + 1000));
  const uint16_t midway = Positions(host)[0];
  EXPECT_GT(midway, 16384);
  EXPECT_LT(midway, 16384 + 1000);
  host.Wait(120 * kMillisecond);
  EXPECT_EQ(Positions(host)[23], 16384 + 1000);
  // Asleep the buffer changes but the servos stay; waking drives them to the buffer.
  EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x00, 0x01}));
  EXPECT_TRUE(host.Acked(Concat({0xFD, 0x01, 0, 0}, PoseBytes(1, 0x8002))));
  EXPECT_TRUE(host.Acked(Concat({0xFD, 0x01, 0, 0}, PoseBytes(1, 20000))));
  host.Wait(50 * kMillisecond);
  EXPECT_EQ(Positions(host)[5], 16384 + 1000);
  EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x00, 0x00}));
  host.Wait(50 * kMillisecond);
  EXPECT_EQ(Positions(host)[5], 20000);
}

// Snapshot reads where a hand left the freed servos: a freed servo rests where it was, its sensor
// reports that place, and only a free servo can be turned by hand.
TEST(Servos, AFreedServoReportsWhereItRestsAndAHandMovesIt) {
  SimHost host;
  EXPECT_TRUE(host.Acked(Concat({0xFD, 0x01, 0, 0}, PoseBytes(1, 17000))));
  host.Wait(50 * kMillisecond);
  ASSERT_EQ(Positions(host)[0], 17000);
  EXPECT_TRUE(host.Acked(Concat({0xFD, 0x01, 0, 0}, PoseBytes(1, 0x8002))));
  EXPECT_EQ(Positions(host)[0], 17000);
  EXPECT_EQ(Positions(host)[23], 17000);

  EXPECT_TRUE(host.board().MoveFreeServo(2, 12000, host.engine().Now()));
  EXPECT_EQ(Positions(host)[2], 12000);
  EXPECT_EQ(Positions(host)[3], 17000);
  // Set live (FE) holds channel 1 again; a hand cannot move a held servo.
  host.Transact({0xFE, 0x00, 0x00, 0x01, 0x3E, 0x80}, 0);
  host.Wait(10 * kMillisecond);
  EXPECT_EQ(Positions(host)[0], 16000);
  EXPECT_FALSE(host.board().MoveFreeServo(0, 12000, host.engine().Now()));
  EXPECT_EQ(Positions(host)[0], 16000);
  EXPECT_FALSE(host.board().MoveFreeServo(2, 0x8001, host.engine().Now()));
  EXPECT_FALSE(host.board().MoveFreeServo(24, 12000, host.engine().Now()));
  // Freed halfway through a glide, a servo stays where the glide had brought it.
  EXPECT_TRUE(host.Acked(Concat({0xFD, 0x01, 0, 0}, PoseBytes(10, 18000))));
  host.Wait(50 * kMillisecond);
  const uint16_t midway = Positions(host)[5];
  ASSERT_GT(midway, 17000);
  ASSERT_LT(midway, 18000);
  EXPECT_TRUE(host.Acked(Concat({0xFD, 0x01, 0, 0}, PoseBytes(1, 0x8002))));
  host.Wait(100 * kMillisecond);
  EXPECT_NEAR(Positions(host)[5], midway, 120);
}

class Playback : public testing::Test {
 protected:
  // Mode word of the working copy: playback report on.
  void SetUp() override { ASSERT_TRUE(host_.Acked({0xF2, 0x01, 0x02, 0x00})); }
  Bytes Play(uint8_t entry) { return host_.Transact({0xF4, 0x05, entry}, 1); }
  // Waits up to `ms` of simulated time for the 32-byte report.
  Bytes AwaitReport(int ms) {
    host_.port().SetTimeOutReceive(ms);
    Bytes r = host_.Read(32);
    host_.port().SetTimeOutReceive(300);
    return r;
  }
  static Bytes Report(uint8_t entry) {
    Bytes r{0xFF, 0x01, 0, 0, 0, 0, 0};
    r.push_back(entry);
    for (int k = 1; k < 24; ++k) r.push_back(0xFF);
    r.push_back(0x00);
    return r;
  }
  SimHost host_;
};

TEST_F(Playback, MotionEndsWithReport) {
  WriteMotion(host_, 2, {PoseBytes(5, 20000), PoseBytes(5, 12000), PoseBytes(1, 0xFFFF)});
  EXPECT_EQ(Play(2), Bytes{0x06});
  const Nanos started = host_.engine().Now();
  EXPECT_EQ(AwaitReport(1000), Report(2));
  EXPECT_GE(host_.engine().Now() - started, 100 * kMillisecond);
  EXPECT_EQ(Positions(host_)[0], 12000);
  // Without bit 9 the same playback ends silently.
  EXPECT_TRUE(host_.Acked({0xF2, 0x01, 0x00, 0x00}));
  EXPECT_EQ(Play(2), Bytes{0x06});
  EXPECT_TRUE(AwaitReport(1000).empty());
  EXPECT_EQ(Play(85), Bytes{0x15});
}

TEST_F(Playback, LoopCounterAndJumps) {
  // Counter 2, two 100 ms poses, branch back while the counter is not 0: six poses in all.
  WriteMotion(host_, 0,
              {PoseBytes(1, 0x8209), PoseBytes(10, 0x1000), PoseBytes(10, 0x2000),
               PoseBytes(1, 0x8307 + 1), PoseBytes(1, 0xFFFF)});
  EXPECT_EQ(Play(0), Bytes{0x06});
  const Nanos started = host_.engine().Now();
  EXPECT_EQ(AwaitReport(2000), Report(0));
  const Nanos took = host_.engine().Now() - started;
  EXPECT_GE(took, 600 * kMillisecond);
  EXPECT_LT(took, 700 * kMillisecond);
  // A jump over a pose skips it.
  WriteMotion(host_, 1, {PoseBytes(1, 0x8107 + 2), PoseBytes(1, 1234), PoseBytes(1, 0xFFFF)});
  EXPECT_EQ(Play(1), Bytes{0x06});
  EXPECT_EQ(AwaitReport(500), Report(1));
  EXPECT_EQ(Positions(host_)[0], 0x2000);
}

TEST_F(Playback, ScenarioPlaysItsMotionsInTurn) {
  WriteMotion(host_, 3, {PoseBytes(2, 5000), PoseBytes(1, 0xFFFF)});
  WriteMotion(host_, 4, {PoseBytes(2, 7000), PoseBytes(1, 0xFFFF)});
  for (uint8_t k = 0; k < 3; ++k) {
    const uint8_t m = k == 0 ? 3 : k == 1 ? 4 : 255;
    ASSERT_TRUE(host_.Acked({0xF8, 0x01, 1, k, m}));
  }
  ASSERT_TRUE(host_.Acked(Concat({0xF6, 0x01, 81}, Entry(2, "SCN"))));
  EXPECT_EQ(Play(81), Bytes{0x06});
  EXPECT_EQ(AwaitReport(1000), Report(81));
  EXPECT_EQ(Positions(host_)[10], 7000);
}

TEST_F(Playback, StopAndPause) {
  WriteMotion(host_, 0, {PoseBytes(100, 30000), PoseBytes(1, 0xFFFF)});
  EXPECT_EQ(Play(0), Bytes{0x06});
  host_.Wait(500 * kMillisecond);
  EXPECT_EQ(host_.Transact({0xF3, 0x01, 0xFF, 0xFF, 0xFF}, 1), Bytes{0x06});
  const ChannelWords held = Positions(host_);
  EXPECT_GT(held[0], 16384);
  EXPECT_LT(held[0], 30000);
  const Bytes stop = host_.Transact({0xD2}, 49);
  EXPECT_EQ(stop[0] << 8 | stop[1], held[0]);
  EXPECT_TRUE(AwaitReport(1500).empty());
  EXPECT_EQ(Positions(host_), held);
  // Paused playback does not advance; resumed, it finishes and reports.
  WriteMotion(host_, 1, {PoseBytes(1, 0x8107 + 1), PoseBytes(1, 0xFFFF)});
  EXPECT_TRUE(host_.Acked({0xF2, 0x01, 0x02, 0x02}));
  EXPECT_EQ(Play(1), Bytes{0x06});
  EXPECT_TRUE(AwaitReport(500).empty());
  EXPECT_TRUE(host_.Acked({0xF2, 0x01, 0x02, 0x00}));
  EXPECT_EQ(AwaitReport(500), Report(1));
}

TEST(PlaybackStart, PowerUpMotionAndRemotePlay) {
  FlashMemory flash = FlashMemory::Defaults();
  flash.table[6][0] = 2;
  flash.table[6][8] = 0x00;
  flash.table[6][9] = 0x2A;
  flash.motions[6 * 30] = {5};
  flash.motions[6 * 30][1] = 0x30;  // channel 1 to 0x3000, others not driven
  flash.motions[6 * 30 + 1].fill(0xFF);
  flash.startMotions[1] = 6;
  flash.modeWord = 0x0800;
  Board board(flash);
  EXPECT_TRUE(board.Playing());
  board.AdvanceTo(100 * kMillisecond);
  EXPECT_FALSE(board.Playing());
  EXPECT_EQ(board.ServoPositions(100 * kMillisecond)[0], 0x3000);
  EXPECT_EQ(board.ServoPositions(100 * kMillisecond)[1], 16384);
  flash.modeWord = 0x2000;  // remote play, no power-up motion
  Board remote(flash);
  EXPECT_FALSE(remote.Playing());
  remote.InjectRemote(0x002B, {}, 0);
  EXPECT_FALSE(remote.Playing());
  remote.InjectRemote(0x002A, {}, 0);
  EXPECT_TRUE(remote.Playing());
}

TEST(Notifications, RemoteAndAnalogReports) {
  SimHost host;
  host.board().InjectRemote(0x1234, {1, 2, 3, 4}, host.engine().Now());
  EXPECT_TRUE(host.Read(9).empty());  // receiver report off
  EXPECT_EQ(host.Transact({0xED}, 8), (Bytes{0x00, 0x12, 0x34, 1, 2, 3, 4, 0x50}));
  EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x00, 0x04}));
  host.board().InjectRemote(0xABCD, {5, 6, 7, 8}, host.engine().Now());
  host.engine().Advance(kMillisecond);
  EXPECT_EQ(host.Read(9), (Bytes{0xFD, 0x00, 0xAB, 0xCD, 5, 6, 7, 8, 0x00}));
  // Analog report every 100 ms with the 14-bit readings split 7 + 7 bits.
  host.board().SetAnalogValues({650, 16383, 128, 1});
  EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x01, 0x00}));
  host.port().SetTimeOutReceive(250);
  EXPECT_EQ(host.Read(20), (Bytes{0xFE, 0x05, 0x0A, 0x7F, 0x7F, 0x01, 0x00, 0x00, 0x01, 0x00,
                                  0xFE, 0x05, 0x0A, 0x7F, 0x7F, 0x01, 0x00, 0x00, 0x01, 0x00}));
}

}  // namespace
}  // namespace brv3::sim::test
