#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "core/comm/BoardMotionAdapter.h"

namespace brv3 {
namespace {

using test::ScriptedPort;
using test::WithChecksum;

Bytes Cat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(BoardMotionAdapterTest, WritePoseSendsTheMemoryFrameAndReadsGiveThePayload) {
  ScriptedPort port;
  BoardLink link(&port);
  BoardMotionAdapter adapter(link);
  Bytes pose(49);
  for (size_t i = 0; i < pose.size(); ++i) pose[i] = static_cast<uint8_t>(0x40 + i);

  port.Ack();
  EXPECT_TRUE(adapter.WritePose(PoseArea::Memory, 4, 7, pose));
  ASSERT_EQ(port.Frames().size(), 1u);
  EXPECT_EQ(port.Frames()[0], WithChecksum(Cat({0xFD, 0x03, 0x04, 0x07}, pose)));
  EXPECT_EQ(port.writes[0], Bytes{0x0D});

  port.Data(pose);
  Bytes read;
  EXPECT_TRUE(adapter.ReadPose(PoseArea::Memory, 4, 7, read));
  EXPECT_EQ(read, pose);
  EXPECT_EQ(port.Frames()[1], WithChecksum({0xFC, 0x02, 0x04, 0x07}));

  port.Data({0x2A});
  Bytes step;
  EXPECT_TRUE(adapter.ReadScenarioStep(2, 3, step));
  EXPECT_EQ(step, Bytes{0x2A});
  EXPECT_EQ(adapter.CommandCount(), 3);

  // The link actions' side: the live pose buffer and the 48 bytes of measured positions.
  port.Ack();
  LinkBoard& linkBoard = adapter;
  EXPECT_TRUE(linkBoard.WritePose(*PoseRecord::Unpack(pose)));
  EXPECT_EQ(port.Frames()[3], WithChecksum(Cat({0xFD, 0x01, 0x00, 0x00}, pose)));
  port.Data(Bytes(48, 0x12));
  Bytes positions;
  EXPECT_TRUE(linkBoard.ReadServoPositions(positions));
  EXPECT_EQ(positions, Bytes(48, 0x12));
  EXPECT_FALSE(linkBoard.ReadServoPositions(positions));
  EXPECT_TRUE(positions.empty());
}

TEST(BoardMotionAdapterTest, UpdateTableEntryReadsThenWritesTheChangedEntry) {
  ScriptedPort port;
  BoardLink link(&port);
  link.SetClock([] { return std::array<uint8_t, 4>{3, 7, 9, 5}; });
  BoardMotionAdapter adapter(link);

  Bytes old(42, 0);
  old[0] = 2, old[1] = 0x11, old[2] = 0x22, old[3] = 0x33;
  old[4] = 1, old[5] = 2, old[6] = 3, old[7] = 4, old[8] = 0xAB, old[9] = 0xCD;
  for (size_t i = 10; i < 42; ++i) old[i] = 'x';
  port.Data(old);
  port.Ack();
  EXPECT_TRUE(adapter.UpdateTableEntry(5, 10, 0, "WALK", EntryDate::Now(), 0x1234));

  Bytes expected(42, 0);
  expected[0] = 10;
  expected[4] = 3, expected[5] = 7, expected[6] = 9, expected[7] = 5;
  expected[8] = 0x12, expected[9] = 0x34;
  expected[10] = 'W', expected[11] = 'A', expected[12] = 'L', expected[13] = 'K';
  ASSERT_EQ(port.Frames().size(), 2u);
  EXPECT_EQ(port.Frames()[0], WithChecksum({0xF5, 0x05}));
  EXPECT_EQ(port.Frames()[1], WithChecksum(Cat({0xF6, 0x01, 0x05}, expected)));

  // -1 keeps count, address and code; the date is kept or given.
  port.Data(old);
  port.Ack();
  EXPECT_TRUE(adapter.UpdateTableEntry(6, -1, -1, "", EntryDate::Keep(), -1));
  Bytes kept = old;
  std::fill(kept.begin() + 10, kept.end(), 0);
  EXPECT_EQ(port.Frames()[3], WithChecksum(Cat({0xF6, 0x01, 0x06}, kept)));

  port.Data(old);
  port.Ack();
  EXPECT_TRUE(adapter.UpdateTableEntry(7, 0, 0, "M5:WALK",
                                       EntryDate::Given({0xFF, 0xFF, 0xFF, 0xFF}), 0xFFFF));
  Bytes cont(42, 0);
  std::fill(cont.begin() + 4, cont.begin() + 10, 0xFF);
  const std::string name = "M5:WALK";
  std::copy(name.begin(), name.end(), cont.begin() + 10);
  EXPECT_EQ(port.Frames()[5], WithChecksum(Cat({0xF6, 0x01, 0x07}, cont)));

  // A board that does not answer the read gets no write.
  EXPECT_FALSE(adapter.UpdateTableEntry(8, 1, 0, "X", EntryDate::Now(), 0));
  EXPECT_EQ(port.Frames().size(), 6u);
}

}  // namespace
}  // namespace brv3
