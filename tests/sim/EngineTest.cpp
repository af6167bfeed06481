#include <gtest/gtest.h>

#include "sim/Protocol.h"
#include "sim/SimHost.h"

namespace brv3::sim::test {
namespace {

bool SumOk(const Bytes& reply) {
  return reply.size() >= 2 && Checksum(reply.data(), reply.size() - 1) == reply.back();
}

// Payload lengths (after the command byte, before the checksum) and reply lengths, written out
// from the command tables independently of the board's own table.
struct Expected {
  uint8_t code;
  int payload;
  int reply;  // 0 none, 1 ACK, else data bytes with checksum
};
constexpr Expected kExpected[] = {
    {0xF5, 1, 43}, {0xF6, 44, 1}, {0xFC, 3, 50}, {0xFD, 52, 1}, {0xF7, 2, 2},  {0xF8, 4, 1},
    {0xF4, 2, 1},  {0xF3, 4, 1},  {0xD2, 0, 49}, {0xF0, 0, 49}, {0xD3, 49, 1}, {0xFE, 5, 0},
    {0xF1, 1, 3},  {0xF2, 3, 1},  {0xFF, 0, 65}, {0xDE, 8, 1},  {0xF9, 1, 49}, {0xFA, 49, 1},
    {0xFB, 4, 0},  {0xD0, 1, 33}, {0xD1, 34, 1}, {0xE9, 0, 4},  {0xEA, 4, 1},  {0xDC, 0, 4},
    {0xDD, 4, 1},  {0xEE, 0, 3},  {0xEF, 3, 1},  {0xEB, 0, 4},  {0xEC, 4, 1},  {0xE1, 1, 19},
    {0xE2, 19, 1}, {0xE3, 2, 25}, {0xE4, 26, 1}, {0xE5, 1, 7},  {0xE6, 7, 1},  {0xE7, 4, 0},
    {0xDF, 1, 5},  {0xE0, 5, 1},  {0xD8, 1, 30}, {0xD9, 30, 1}, {0xDA, 1, 18}, {0xDB, 18, 1},
    {0xCE, 0, 25}, {0xCF, 0, 25}, {0xED, 0, 8},
};

TEST(Engine, AnswersAttentionAndIgnoresStrayBytes) {
  SimHost host;
  host.Write({0x0D});
  EXPECT_EQ(host.Read(1), Bytes{0x06});
  // Idle, the board hears nothing but the attention byte.
  host.Write({0x41, 0xF5, 0x03, 0xF8});
  EXPECT_TRUE(host.Read(1).empty());
  // A burst of attention bytes gets one answer; awake, a further one is answered again.
  host.Write({0x0D, 0x0D, 0x0D});
  EXPECT_EQ(host.Read(2), Bytes{0x06});
  host.Write({0x0D});
  EXPECT_EQ(host.Read(1), Bytes{0x06});
}

TEST(Engine, EveryCommandHasItsFrameAndReplyLength) {
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(testing::Message() << "command " << std::hex << int(e.code));
    const CommandInfo* info = FindCommand(e.code);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->frameLength, e.payload + 2);
    SimHost host;
    Bytes body(static_cast<size_t>(e.payload) + 1, 0x00);
    body[0] = e.code;
    if (e.reply == 1 && e.payload > 0) body[1] = 0x01;
    // One byte short: nothing comes back, whatever the board waits for.
    Bytes shortFrame = SimHost::Frame(body);
    shortFrame.pop_back();
    host.Write({0x0D});
    host.Read(1);
    host.Write(shortFrame);
    EXPECT_TRUE(host.Read(1).empty());
    host.Wait(200 * kMillisecond);
    // The whole frame gets exactly its reply.
    const Bytes reply = host.Transact(body, e.reply + 1);
    EXPECT_EQ(static_cast<int>(reply.size()), e.reply);
    if (e.reply == 1) {
      EXPECT_EQ(reply, Bytes{0x06});
    } else if (e.reply > 1) {
      EXPECT_TRUE(SumOk(reply));
    }
  }
  int known = 0;
  for (int code = 0; code < 256; ++code)
    known += FindCommand(static_cast<uint8_t>(code)) != nullptr;
  EXPECT_EQ(known, static_cast<int>(std::size(kExpected)));
}

TEST(Engine, ExactBytesOfSimpleExchanges) {
  SimHost host;
  // Mode word: write the working copy, read it back (bit 2 clear: no remote reports follow).
  EXPECT_EQ(host.Transact({0xF2, 0x01, 0x12, 0x30}, 1), Bytes{0x06});
  EXPECT_EQ(host.Transact({0xF1, 0x00}, 3), (Bytes{0x12, 0x30, 0x42}));
  EXPECT_EQ(host.Transact({0xF1, 0x02}, 3), (Bytes{0x00, 0x00, 0x00}));
  // Masks: channels 1, 3 and 24.
  EXPECT_TRUE(host.Acked({0xEA, 0x01, 0x05, 0x00, 0x80}));
  EXPECT_EQ(host.Transact({0xE9}, 4), (Bytes{0x05, 0x00, 0x80, 0x85}));
  // Empty table entry of a fresh board.
  Bytes entry = host.Transact({0xF5, 0x03}, 43);
  ASSERT_EQ(entry.size(), 43u);
  EXPECT_EQ(entry[0], 0x00);
  EXPECT_EQ(Bytes(entry.begin() + 4, entry.begin() + 10), Bytes(6, 0xFF));
  EXPECT_EQ(entry[42], static_cast<uint8_t>(6 * 0xFF));
  // Version: 64 bytes of text.
  const Bytes version = host.Transact({0xFF}, 65);
  ASSERT_EQ(version.size(), 65u);
  EXPECT_EQ(std::string(version.begin(), version.begin() + 16), "QVB-3 simulator ");
  EXPECT_TRUE(SumOk(version));
  // A live command gets no reply but takes effect.
  EXPECT_TRUE(host.Transact({0xFE, 0x00, 0x00, 0x01, 0x3F, 0xFF}, 0).empty());
  EXPECT_TRUE(host.Read(1).empty());
  const Bytes positions = host.Transact({0xF0}, 49);
  ASSERT_EQ(positions.size(), 49u);
  EXPECT_EQ(positions[0], 0x3F);
  EXPECT_EQ(positions[1], 0xFF);
}

TEST(Engine, BadChecksumAndUnknownCommandsAreSilent) {
  SimHost host;
  host.Write({0x0D});
  EXPECT_EQ(host.Read(1), Bytes{0x06});
  host.Write({0xF5, 0x03, 0xF9});
  EXPECT_TRUE(host.Read(43).empty());
  // A bad write changes nothing.
  host.Write({0x0D});
  host.Read(1);
  host.Write({0xF2, 0x01, 0x12, 0x34, 0x00});
  EXPECT_TRUE(host.Read(1).empty());
  EXPECT_EQ(host.Transact({0xF1, 0x00}, 3), (Bytes{0x00, 0x00, 0x00}));
  // Unknown command bytes (D4 .. D7, E8, anything below CE) are dropped and the board idles.
  for (uint8_t code : {0xD4, 0xD7, 0xE8, 0x10}) {
    host.Write({0x0D});
    host.Read(1);
    host.Write({code, 0xF5, 0x03, 0xF8});
    EXPECT_TRUE(host.Read(1).empty()) << int(code);
  }
  EXPECT_EQ(host.Transact({0xF5, 0x03}, 43).size(), 43u);
}

TEST(Engine, TruncatedFrameIsDroppedAfterQuietGap) {
  SimHost host;
  host.Write({0x0D});
  host.Read(1);
  host.Write({0xF6, 0x01, 0x05, 0x01});  // 4 of 46 bytes
  EXPECT_TRUE(host.Read(1).empty());     // waits the 300 ms time-out
  // The next transaction works: its attention byte is not taken as frame data.
  EXPECT_EQ(host.Transact({0xF5, 0x05}, 43).size(), 43u);
  // Within a frame 0x0D is data: a name holding 0D bytes is stored whole.
  Bytes name(32, 0x0D);
  EXPECT_TRUE(host.Acked(Concat({0xD1, 0x01, 0x02}, name)));
  const Bytes read = host.Transact({0xD0, 0x02}, 33);
  EXPECT_EQ(Bytes(read.begin(), read.begin() + 32), name);
}

TEST(Engine, PortLogsEveryBurst) {
  SimHost host;
  EXPECT_EQ(host.Transact({0xF1, 0x00}, 3), (Bytes{0x00, 0x00, 0x00}));
  EXPECT_EQ(host.port().LogText(), "> 0D\n< 06\n> F1 00 F1\n< 00 00 00\n");
  host.port().ClearLog();
  host.Transact({0xFE, 0x00, 0x00, 0x01, 0x3F, 0xFF}, 0);
  EXPECT_EQ(host.port().LogText(), "> 0D\n< 06\n> FE 00 00 01 3F FF 3D\n");
}

TEST(Engine, OutputIsPacedAtLineSpeed) {
  SimHost host;
  host.Write({0x0D});
  host.Read(1);
  host.Write(SimHost::Frame({0xFF}));
  const Nanos sent = host.engine().Now();
  EXPECT_EQ(host.Read(65).size(), 65u);
  const Nanos took = host.engine().Now() - sent;
  EXPECT_GE(took, 65 * kByteTimeNs);
  EXPECT_LT(took, 65 * kByteTimeNs + kMillisecond);
}

TEST(Engine, NotificationsWaitForTheEndOfATransaction) {
  SimHost host;
  EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x01, 0x00}));  // analog report on
  host.Wait(70 * kMillisecond);
  host.port().PurgeReceive();
  host.Write({0x0D});
  host.Read(1);
  host.Write({0xF5});
  host.Wait(40 * kMillisecond);  // a report falls due while the frame is incomplete
  host.Write({0x03, 0xF8});
  const Bytes reply = host.Read(43);
  ASSERT_EQ(reply.size(), 43u);
  EXPECT_EQ(reply[0], 0x00);
  EXPECT_EQ(reply[42], 0xFA);
  const Bytes report = host.Read(10);
  ASSERT_EQ(report.size(), 10u);
  // Supply 650: 5 * 128 + 10.
  EXPECT_EQ(report, (Bytes{0xFE, 0x05, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

TEST(Engine, TransactionsSurviveCollisionsWithReports) {
  SimHost host;
  EXPECT_TRUE(host.Acked({0xF2, 0x01, 0x03, 0x00}));  // analog and playback reports on
  host.board().SetAnalogValues({650, 1, 2, 3});
  // Transactions start at every phase of the 100 ms report cycle, many in mid-report.
  int failures = 0;
  for (int i = 0; i < 400; ++i) {
    host.Wait((i * 37 % 1000) * kMillisecond / 10 + (i % 13) * kByteTimeNs / 3);
    if (host.Transact({0xF1, 0x00}, 3) != Bytes{0x03, 0x00, 0x03}) ++failures;
  }
  EXPECT_EQ(failures, 0);
  // A report cut off by a transaction comes again whole afterwards.
  ASSERT_TRUE(host.Acked(Concat(
      {0xF6, 0x01, 0}, Concat({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, Bytes(32, 0)))));
  ASSERT_TRUE(host.Acked(Concat({0xFD, 0x03, 0, 0}, PoseBytes(1, 0xFFFF))));
  ASSERT_TRUE(host.Acked({0xF2, 0x01, 0x02, 0x00}));  // playback reports only
  host.Wait(50 * kMillisecond);
  host.port().PurgeReceive();
  ASSERT_TRUE(host.Acked({0xF4, 0x05, 0}));
  host.Wait(kTick + 5 * kByteTimeNs);  // the 32-byte report is on its way
  EXPECT_EQ(host.Transact({0xF1, 0x00}, 3), (Bytes{0x02, 0x00, 0x02}));
  const Bytes report = host.Read(32);
  ASSERT_EQ(report.size(), 32u);
  EXPECT_EQ(report[0], 0xFF);
  EXPECT_EQ(report[7], 0x00);
}

}  // namespace
}  // namespace brv3::sim::test
