#include <functional>

#include <gtest/gtest.h>

#include "ScriptedPort.h"
#include "core/comm/BoardLink.h"

namespace brv3 {
namespace {

using test::ScriptedPort;
using test::WithChecksum;

enum Kind { kData, kAck, kLive };

struct Case {
  const char* name;
  std::function<bool(BoardLink&, Bytes&)> run;
  Bytes frame;  // without the checksum
  Kind kind;
  size_t replyLength;  // for data replies, checksum included
};

Bytes Seq(size_t n, uint8_t first) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(first + i);
  return b;
}

Bytes Cat(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

std::vector<Case> AllCommands() {
  const Bytes entry = Seq(42, 1), pose = Seq(49, 2), words = Seq(48, 3), ad = Seq(18, 4),
              mix = Seq(24, 5), propo = Seq(4, 6), longRec = Seq(29, 7), shortRec = Seq(17, 8);
  Bytes name32{'a', 'b', 'c'};
  name32.resize(32, 0);
  return {
      {"ReadTableEntry",
       [](BoardLink& l, Bytes& r) { return l.ReadTableEntry(3, r); },
       {0xF5, 0x03},
       kData,
       43},
      {"WriteTableEntry", [=](BoardLink& l, Bytes&) { return l.WriteTableEntry(84, entry); },
       Cat({0xF6, 0x01, 0x54}, entry), kAck, 1},
      {"ReadPose memory",
       [](BoardLink& l, Bytes& r) { return l.ReadPose(PoseArea::Memory, 5, 7, r); },
       {0xFC, 0x02, 0x05, 0x07},
       kData,
       50},
      {"ReadPose live",
       [](BoardLink& l, Bytes& r) { return l.ReadPose(PoseArea::Live, 0, 0, r); },
       {0xFC, 0x00, 0x00, 0x00},
       kData,
       50},
      {"WritePose memory",
       [=](BoardLink& l, Bytes&) { return l.WritePose(PoseArea::Memory, 3, 4, pose); },
       Cat({0xFD, 0x03, 0x03, 0x04}, pose), kAck, 1},
      {"WritePose live",
       [=](BoardLink& l, Bytes&) { return l.WritePose(PoseArea::Live, 0, 0, pose); },
       Cat({0xFD, 0x01, 0x00, 0x00}, pose), kAck, 1},
      {"ReadScenarioStep",
       [](BoardLink& l, Bytes& r) { return l.ReadScenarioStep(2, 9, r); },
       {0xF7, 0x02, 0x09},
       kData,
       2},
      {"WriteScenarioStep",
       [](BoardLink& l, Bytes&) { return l.WriteScenarioStep(4, 10, 255); },
       {0xF8, 0x01, 0x04, 0x0A, 0xFF},
       kAck,
       1},
      {"PlayMotion",
       [](BoardLink& l, Bytes&) { return l.PlayMotion(*Slot::FromIndex(0)); },
       {0xF4, 0x05, 0x00},
       kAck,
       1},
      {"PlayMotion of a scenario",
       [](BoardLink& l, Bytes&) { return l.PlayMotion(*Slot::Scenario(2)); },
       {0xF4, 0x05, 0x52},
       kAck,
       1},
      {"StopMotion",
       [](BoardLink& l, Bytes&) { return l.StopMotion(); },
       {0xF3, 0x01, 0xFF, 0xFF, 0xFF},
       kAck,
       1},
      {"ReadStopPositions",
       [](BoardLink& l, Bytes& r) { return l.ReadStopPositions(r); },
       {0xD2},
       kData,
       49},
      {"ReadServoPositions",
       [](BoardLink& l, Bytes& r) { return l.ReadServoPositions(r); },
       {0xF0},
       kData,
       49},
      {"WriteHomePosition", [=](BoardLink& l, Bytes&) { return l.WriteHomePosition(words); },
       Cat({0xD3, 0x01}, words), kAck, 1},
      {"SetServoLive",
       [](BoardLink& l, Bytes&) { return l.SetServoLive(0, 0x3FFF); },
       {0xFE, 0x00, 0x00, 0x01, 0x3F, 0xFF},
       kLive,
       0},
      {"ReadModeWord working",
       [](BoardLink& l, Bytes& r) { return l.ReadModeWord(Area::Working, r); },
       {0xF1, 0x00},
       kData,
       3},
      {"ReadModeWord stored",
       [](BoardLink& l, Bytes& r) { return l.ReadModeWord(Area::Stored, r); },
       {0xF1, 0x02},
       kData,
       3},
      {"WriteModeWord stored",
       [](BoardLink& l, Bytes&) { return l.WriteModeWord(Area::Stored, 0x1234); },
       {0xF2, 0x03, 0x12, 0x34},
       kAck,
       1},
      {"WriteModeWord working",
       [](BoardLink& l, Bytes&) { return l.WriteModeWord(Area::Working, 0x1234); },
       {0xF2, 0x01, 0x12, 0x34},
       kAck,
       1},
      {"ReadVersion", [](BoardLink& l, Bytes& r) { return l.ReadVersion(r); }, {0xFF}, kData, 65},
      {"SendExtendedSerial",
       [](BoardLink& l, Bytes&) { return l.SendExtendedSerial(0x1234, 0x0A0B0C0D); },
       {0xDE, 0x01, 0x80, 0x12, 0x34, 0x0D, 0x0C, 0x0B, 0x0A},
       kAck,
       1},
      {"ReadTrim",
       [](BoardLink& l, Bytes& r) { return l.ReadTrim(Area::Stored, r); },
       {0xF9, 0x02},
       kData,
       49},
      {"WriteTrim", [=](BoardLink& l, Bytes&) { return l.WriteTrim(Area::Working, words); },
       Cat({0xFA, 0x01}, words), kAck, 1},
      {"SetTrimLive",
       [](BoardLink& l, Bytes&) { return l.SetTrimLive(23, 300); },
       {0xFB, 0x00, 0x17, 0x01, 0x2C},
       kLive,
       0},
      {"ReadChannelName",
       [](BoardLink& l, Bytes& r) { return l.ReadChannelName(23, r); },
       {0xD0, 0x17},
       kData,
       33},
      {"WriteChannelName",
       [](BoardLink& l, Bytes&) {
         return l.WriteChannelName(0, {'a', 'b', 'c'});
       },
       Cat({0xD1, 0x01, 0x00}, name32), kAck, 1},
      {"ReadSsvChannelMask",
       [](BoardLink& l, Bytes& r) { return l.ReadSsvChannelMask(r); },
       {0xE9},
       kData,
       4},
      {"WriteSsvChannelMask",
       [](BoardLink& l, Bytes&) {
         return l.WriteSsvChannelMask({0x05, 0x00, 0x80});
       },
       {0xEA, 0x01, 0x05, 0x00, 0x80},
       kAck,
       1},
      {"ReadSvlChannelMask",
       [](BoardLink& l, Bytes& r) { return l.ReadSvlChannelMask(r); },
       {0xDC},
       kData,
       4},
      {"WriteSvlChannelMask",
       [](BoardLink& l, Bytes&) {
         return l.WriteSvlChannelMask({0x01, 0x01, 0x00});
       },
       {0xDD, 0x01, 0x01, 0x01, 0x00},
       kAck,
       1},
      {"ReadStartMotions",
       [](BoardLink& l, Bytes& r) { return l.ReadStartMotions(r); },
       {0xEE},
       kData,
       3},
      {"WriteStartMotions",
       [](BoardLink& l, Bytes&) { return l.WriteStartMotions(3, 85); },
       {0xEF, 0x01, 0x03, 0x55},
       kAck,
       1},
      {"ReadAlarmMotion",
       [](BoardLink& l, Bytes& r) { return l.ReadAlarmMotion(r); },
       {0xEB},
       kData,
       4},
      {"WriteAlarmMotion",
       [](BoardLink& l, Bytes&) { return l.WriteAlarmMotion(2, 0x0123); },
       {0xEC, 0x01, 0x02, 0x01, 0x23},
       kAck,
       1},
      {"ReadAdSettings",
       [](BoardLink& l, Bytes& r) { return l.ReadAdSettings(Area::Working, r); },
       {0xE1, 0x00},
       kData,
       19},
      {"WriteAdSettings stored",
       [=](BoardLink& l, Bytes&) { return l.WriteAdSettings(Area::Stored, ad); },
       Cat({0xE2, 0x03}, ad), kAck, 1},
      {"WriteAdSettings working",
       [=](BoardLink& l, Bytes&) { return l.WriteAdSettings(Area::Working, ad); },
       Cat({0xE2, 0x01}, ad), kAck, 1},
      {"ReadMixTable",
       [](BoardLink& l, Bytes& r) { return l.ReadMixTable(Area::Stored, 2, r); },
       {0xE3, 0x02, 0x02},
       kData,
       25},
      {"WriteMixTable",
       [=](BoardLink& l, Bytes&) { return l.WriteMixTable(Area::Working, 1, mix); },
       Cat({0xE4, 0x01, 0x01}, mix), kAck, 1},
      {"ReadAdCalibration",
       [](BoardLink& l, Bytes& r) { return l.ReadAdCalibration(Area::Stored, r); },
       {0xE5, 0x02},
       kData,
       7},
      {"WriteAdCalibration",
       [](BoardLink& l, Bytes&) {
         return l.WriteAdCalibration(Area::Stored, {1, 0x200, 0xFFFF});
       },
       {0xE6, 0x03, 0x00, 0x01, 0x02, 0x00, 0xFF, 0xFF},
       kAck,
       1},
      {"SetAdCalibrationLive",
       [](BoardLink& l, Bytes&) { return l.SetAdCalibrationLive(1, 0xFFFF); },
       {0xE7, 0x00, 0x01, 0xFF, 0xFF},
       kLive,
       0},
      {"ReadPropoSettings",
       [](BoardLink& l, Bytes& r) { return l.ReadPropoSettings(Area::Working, r); },
       {0xDF, 0x00},
       kData,
       5},
      {"WritePropoSettings",
       [=](BoardLink& l, Bytes&) { return l.WritePropoSettings(Area::Stored, propo); },
       Cat({0xE0, 0x03}, propo), kAck, 1},
      {"ReadSvlEntryLong",
       [](BoardLink& l, Bytes& r) { return l.ReadSvlEntryLong(5, r); },
       {0xD8, 0x05},
       kData,
       30},
      {"WriteSvlEntryLong", [=](BoardLink& l, Bytes&) { return l.WriteSvlEntryLong(6, longRec); },
       Cat({0xD9, 0x06}, longRec), kAck, 1},
      {"ReadSvlEntryShort",
       [](BoardLink& l, Bytes& r) { return l.ReadSvlEntryShort(5, r); },
       {0xDA, 0x05},
       kData,
       18},
      {"WriteSvlEntryShort",
       [=](BoardLink& l, Bytes&) { return l.WriteSvlEntryShort(6, shortRec); },
       Cat({0xDB, 0x06}, shortRec), kAck, 1},
      {"ReadSpeedTable",
       [](BoardLink& l, Bytes& r) { return l.ReadSpeedTable(r); },
       {0xCE},
       kData,
       25},
      {"ReadStretchTable",
       [](BoardLink& l, Bytes& r) { return l.ReadStretchTable(r); },
       {0xCF},
       kData,
       25},
      {"ReadRemoteCode",
       [](BoardLink& l, Bytes& r) { return l.ReadRemoteCode(r); },
       {0xED},
       kData,
       8},
  };
}

TEST(CommandSet, EveryCommandSendsItsFrameAndAwaitsItsReply) {
  for (const Case& c : AllCommands()) {
    SCOPED_TRACE(c.name);
    ScriptedPort port;
    BoardLink link(&port);
    Bytes expectedReply;
    if (c.kind == kData) {
      expectedReply = WithChecksum(Seq(c.replyLength - 1, 0x10));
      port.Reply(expectedReply);
    } else if (c.kind == kAck) {
      port.Ack();
    } else {
      port.answers.push_back({0x00});
    }
    Bytes reply{0xAA};
    EXPECT_TRUE(c.run(link, reply));
    ASSERT_EQ(port.writes.size(), 2u);
    EXPECT_EQ(port.writes[0], Bytes{0x0D});
    EXPECT_EQ(HexText(port.writes[1]), HexText(WithChecksum(c.frame)));
    if (c.kind == kData) {
      EXPECT_EQ(port.readSizes, (std::vector<int>{1, static_cast<int>(c.replyLength)}));
      // The payload alone: the checksum byte is checked and dropped.
      EXPECT_EQ(reply, Seq(c.replyLength - 1, 0x10));
    } else if (c.kind == kAck) {
      EXPECT_EQ(port.readSizes, (std::vector<int>{1, 1}));
    } else {
      EXPECT_EQ(port.readSizes, (std::vector<int>{1}));
    }

    // A data reply with a bad checksum fails and leaves the reply empty.
    if (c.kind == kData) {
      ScriptedPort bad;
      BoardLink badLink(&bad);
      Bytes corrupt = expectedReply;
      corrupt.back() ^= 0x01;
      bad.Reply(corrupt);
      Bytes r{0xAA};
      EXPECT_FALSE(c.run(badLink, r));
      EXPECT_TRUE(r.empty());
    }
  }
}

TEST(CommandSet, DocumentedFramesWithChecksums) {
  struct Example {
    std::function<void(BoardLink&)> run;
    Bytes wire;
  };
  const std::vector<Example> examples{
      {[](BoardLink& l) {
         Bytes r;
         l.ReadTableEntry(3, r);
       },
       {0xF5, 0x03, 0xF8}},
      {[](BoardLink& l) { l.PlayMotion(*Slot::FromIndex(0)); }, {0xF4, 0x05, 0x00, 0xF9}},
      {[](BoardLink& l) { l.StopMotion(); }, {0xF3, 0x01, 0xFF, 0xFF, 0xFF, 0xF1}},
      {[](BoardLink& l) { l.SetServoLive(0, 0x3FFF); }, {0xFE, 0x00, 0x00, 0x01, 0x3F, 0xFF, 0x3D}},
      {[](BoardLink& l) {
         Bytes r;
         l.ReadSsvChannelMask(r);
       },
       {0xE9, 0xE9}},
      {[](BoardLink& l) {
         l.WriteSvlChannelMask({0x01, 0x01, 0x00});
       },
       {0xDD, 0x01, 0x01, 0x01, 0x00, 0xE0}},
      {[](BoardLink& l) {
         Bytes r;
         l.ReadMixTable(Area::Stored, 2, r);
       },
       {0xE3, 0x02, 0x02, 0xE7}},
      {[](BoardLink& l) { l.SetAdCalibrationLive(1, 0xFFFF); },
       {0xE7, 0x00, 0x01, 0xFF, 0xFF, 0xE6}},
      {[](BoardLink& l) {
         Bytes r;
         l.ReadChannelName(23, r);
       },
       {0xD0, 0x17, 0xE7}},
  };
  for (const Example& e : examples) {
    ScriptedPort port;
    port.answers.push_back({0x06});
    BoardLink link(&port);
    e.run(link);
    ASSERT_GE(port.writes.size(), 2u);
    EXPECT_EQ(HexText(port.writes[1]), HexText(e.wire));
  }
}

TEST(CommandSet, UnusableArgumentsSendNothing) {
  ScriptedPort port;
  for (int i = 0; i < 20; ++i) port.Ack();
  BoardLink link(&port);
  Bytes reply{1};
  EXPECT_FALSE(link.ReadTableEntry(85, reply));
  EXPECT_TRUE(reply.empty());
  EXPECT_FALSE(link.ReadTableEntry(-1, reply));
  EXPECT_FALSE(link.WriteTableEntry(0, Bytes(41, 0)));
  EXPECT_FALSE(link.WritePose(PoseArea::Memory, 0, 0, Bytes(48, 0)));
  EXPECT_FALSE(link.WritePose(PoseArea::Memory, 256, 0, Bytes(49, 0)));
  EXPECT_FALSE(link.ReadScenarioStep(5, 0, reply));
  EXPECT_FALSE(link.ReadMixTable(Area::Working, 3, reply));
  EXPECT_FALSE(link.WriteSvlEntryLong(24, Bytes(29, 0)));
  EXPECT_FALSE(link.WriteSvlEntryShort(0, Bytes(29, 0)));
  EXPECT_FALSE(link.WriteSsvChannelMask({1, 2}));
  EXPECT_FALSE(link.ReadChannelName(24, reply));
  EXPECT_TRUE(link.SetServoLive(24, 100));
  EXPECT_TRUE(port.writes.empty());

  // An over-long channel name is cut to 32 bytes.
  EXPECT_TRUE(link.WriteChannelName(1, Bytes(40, 'x')));
  ASSERT_EQ(port.writes.size(), 2u);
  EXPECT_EQ(port.writes[1].size(), 3u + 32u + 1u);
}

}  // namespace
}  // namespace brv3
