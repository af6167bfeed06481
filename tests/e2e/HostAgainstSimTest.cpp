// The program's command set against the simulated board, in process: both sides were written from
// the same protocol, so every command must go through and every written value must read back.
#include <gtest/gtest.h>

#include "core/comm/BoardLink.h"
#include "core/comm/Notifications.h"
#include "core/motion/PoseRecord.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

Bytes Sequence(size_t n, uint8_t start) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(start + i);
  return b;
}

class HostAgainstSim : public ::testing::Test {
 protected:
  sim::Engine engine;
  sim::SimPort port{engine};
  test::ScriptedPrompter prompter;
  BoardLink link{&port, &prompter};
};

}  // namespace

TEST_F(HostAgainstSim, MotionMemoryWritesReadBack) {
  Bytes reply;
  TableEntry entry;
  entry.Count = 3;
  entry.Date = {12, 8, 1, 30};
  entry.Code = 0x1234;
  entry.Name = EntryNameBytes("歩く");
  ASSERT_TRUE(link.WriteTableEntry(4, entry.Encode()));
  ASSERT_TRUE(link.ReadTableEntry(4, reply));
  EXPECT_EQ(TableEntry::Decode(reply), entry);

  PoseRecord pose;
  pose.Head = 5;
  for (int c = 0; c < kChannels; ++c) pose.Values[c] = static_cast<uint16_t>(16000 + 10 * c);
  ASSERT_TRUE(link.WritePose(PoseArea::Memory, 4, 2, pose.Pack()));
  ASSERT_TRUE(link.ReadPose(PoseArea::Memory, 4, 2, reply));
  EXPECT_EQ(PoseRecord::Unpack(reply), pose);
  ASSERT_TRUE(link.WritePose(PoseArea::Live, 0, 0, pose.Pack()));
  ASSERT_TRUE(link.ReadPose(PoseArea::Live, 0, 0, reply));
  EXPECT_EQ(PoseRecord::Unpack(reply), pose);

  ASSERT_TRUE(link.WriteScenarioStep(1, 0, 7));
  ASSERT_TRUE(link.ReadScenarioStep(1, 0, reply));
  EXPECT_EQ(reply[0], 7);

  ASSERT_TRUE(link.UpdateTableEntry(5, 2, -1, "run", EntryDate::Now(), -1));
  ASSERT_TRUE(link.ReadTableEntry(5, reply));
  EXPECT_EQ(TableEntry::Decode(reply)->Count, 2);
  ASSERT_TRUE(link.ClearTableEntry(5));
  ASSERT_TRUE(link.ReadTableEntry(5, reply));
  EXPECT_EQ(TableEntry::Decode(reply)->Count, 0);

  ASSERT_TRUE(link.ReadVersion(reply));
  EXPECT_EQ(reply.size(), 64u);  // the payload, without its checksum byte
  EXPECT_TRUE(link.SetServoLive(3, 17000));
  EXPECT_TRUE(link.StopMotion());
  EXPECT_TRUE(link.ReadStopPositions(reply));
  EXPECT_TRUE(link.ReadServoPositions(reply));
  EXPECT_EQ(reply.size(), 48u);
  EXPECT_TRUE(link.SendExtendedSerial(0x1234, 0x01020304));
  // The caption always comes back to the application title.
  ASSERT_FALSE(prompter.captions.empty());
  EXPECT_EQ(prompter.captions.back(), "Brivane 3");
}

TEST_F(HostAgainstSim, SettingsWriteToTheirCopiesAndReadBack) {
  Bytes reply;
  Bytes trim(48);
  for (int c = 0; c < 24; ++c) trim[2 * c] = 0x40, trim[2 * c + 1] = static_cast<uint8_t>(c);
  ASSERT_TRUE(link.WriteTrim(Area::Stored, trim));
  ASSERT_TRUE(link.ReadTrim(Area::Stored, reply));
  EXPECT_EQ(reply, trim);

  Bytes name(32, 0);
  name[0] = 'A';
  ASSERT_TRUE(link.WriteChannelName(2, name));
  ASSERT_TRUE(link.ReadChannelName(2, reply));
  EXPECT_EQ(reply, name);

  ASSERT_TRUE(link.WriteSsvChannelMask({1, 2, 3}));
  ASSERT_TRUE(link.ReadSsvChannelMask(reply));
  EXPECT_EQ(reply, (Bytes{1, 2, 3}));
  ASSERT_TRUE(link.WriteSvlChannelMask({4, 5, 6}));
  ASSERT_TRUE(link.ReadSvlChannelMask(reply));
  EXPECT_EQ(reply, (Bytes{4, 5, 6}));

  ASSERT_TRUE(link.WriteStartMotions(2, 3));
  EXPECT_TRUE(link.ReadStartMotions(reply));
  ASSERT_TRUE(link.WriteAlarmMotion(4, 600));
  EXPECT_TRUE(link.ReadAlarmMotion(reply));

  Bytes ad = Sequence(18, 1);
  ASSERT_TRUE(link.WriteAdSettings(Area::Stored, ad));
  ASSERT_TRUE(link.ReadAdSettings(Area::Stored, reply));
  EXPECT_EQ(reply, ad);

  Bytes mix = Sequence(24, 10);
  ASSERT_TRUE(link.WriteMixTable(Area::Stored, 1, mix));
  ASSERT_TRUE(link.ReadMixTable(Area::Stored, 1, reply));
  EXPECT_EQ(reply, mix);

  ASSERT_TRUE(link.WriteAdCalibration(Area::Stored, {100, 200, 300}));
  EXPECT_TRUE(link.ReadAdCalibration(Area::Stored, reply));
  EXPECT_TRUE(link.SetAdCalibrationLive(1, 123));

  Bytes propo = {1, 2, 3, 4};
  ASSERT_TRUE(link.WritePropoSettings(Area::Stored, propo));
  ASSERT_TRUE(link.ReadPropoSettings(Area::Stored, reply));
  EXPECT_EQ(reply, propo);

  Bytes longRecord = Sequence(29, 3);
  ASSERT_TRUE(link.WriteSvlEntryLong(5, longRecord));
  ASSERT_TRUE(link.ReadSvlEntryLong(5, reply));
  Bytes shortRecord = Sequence(17, 7);
  ASSERT_TRUE(link.WriteSvlEntryShort(6, shortRecord));
  ASSERT_TRUE(link.ReadSvlEntryShort(6, reply));
  EXPECT_EQ(link.AttemptLimit(), 5);

  EXPECT_TRUE(link.ReadSpeedTable(reply));
  EXPECT_TRUE(link.ReadStretchTable(reply));
  EXPECT_TRUE(link.ReadRemoteCode(reply));
  EXPECT_TRUE(link.WriteHomePosition(Bytes(48, 0x40)));
  EXPECT_TRUE(link.SetTrimLive(0, 16384));

  // Working and stored copies are separate.
  ASSERT_TRUE(link.WriteModeWord(Area::Working, 0x0200));
  ASSERT_TRUE(link.ReadModeWord(Area::Stored, reply));
  EXPECT_EQ(reply, (Bytes{0, 0}));
  ASSERT_TRUE(link.ReadModeWord(Area::Working, reply));
  EXPECT_EQ(reply, (Bytes{0x02, 0x00}));
}

TEST_F(HostAgainstSim, ModeWordWrappersFlipTheirBits) {
  Bytes reply;
  auto working = [&] {
    EXPECT_TRUE(link.ReadModeWord(Area::Working, reply));
    return static_cast<uint16_t>(reply[0] << 8 | reply[1]);
  };
  ASSERT_TRUE(link.SetSleep(ModeSwitch::On));
  EXPECT_EQ(working() & 1, 1);
  ASSERT_TRUE(link.SetSleep(ModeSwitch::Off));
  EXPECT_EQ(working() & 1, 0);
  ASSERT_TRUE(link.SetMotionEnable(ModeSwitch::Toggle));
  EXPECT_EQ(working() & 2, 2);
  ASSERT_TRUE(link.SetAnalogReport(ModeSwitch::On));
  EXPECT_EQ(working() & 0x100, 0x100);
  ASSERT_TRUE(link.SetAnalogReport(ModeSwitch::Off));
  ASSERT_TRUE(link.SetSvlMode(ModeSwitch::On));
  ASSERT_TRUE(link.ReadModeWord(Area::Stored, reply));
  EXPECT_EQ(reply[0] & 0x40, 0x40);
}

TEST_F(HostAgainstSim, PlaybackEndsWithAReportTheHostDecodes) {
  // A one-step motion in M3, then END, with the playback report switched on.
  PoseRecord step;
  step.Head = 1;
  step.Values.fill(16384);
  PoseRecord end;
  end.Values.fill(0xFFFF);
  TableEntry entry;
  entry.Count = 2;
  ASSERT_TRUE(link.WriteTableEntry(2, entry.Encode()));
  ASSERT_TRUE(link.WritePose(PoseArea::Memory, 2, 0, step.Pack()));
  ASSERT_TRUE(link.WritePose(PoseArea::Memory, 2, 1, end.Pack()));
  ASSERT_TRUE(link.WriteModeWord(Area::Working, 0x0200));
  ASSERT_TRUE(link.PlayMotion(*Slot::FromIndex(2)));
  engine.Advance(2000 * sim::kMillisecond);
  engine.Advance(10 * sim::kMillisecond);  // the report takes its time on the line

  NotificationBuffer buffer;
  Bytes bytes = engine.TakeOutput();
  ASSERT_FALSE(bytes.empty()) << "playing: " << engine.board().Playing();
  auto note = buffer.ReceiveEvent(bytes.data(), bytes.size());
  ASSERT_TRUE(note.has_value());
  ASSERT_TRUE(std::holds_alternative<PlaybackReport>(*note));
  EXPECT_EQ(std::get<PlaybackReport>(*note).Lines(),
            std::vector<std::string>{"[3]Playback is done"});
}

TEST_F(HostAgainstSim, EveryFaultFailsOneCommandAndTheNextOneWorks) {
  Bytes reply;
  for (const char* fault : {"no-attention@1", "short-reply@1", "bad-checksum@1", "nak@1"}) {
    SCOPED_TRACE(fault);
    auto plan = sim::FaultPlan::Parse(fault);
    ASSERT_TRUE(plan.has_value());
    engine.SetFaults(*plan);
    bool first = std::string(fault) == "nak@1" ? link.WriteModeWord(Area::Working, 0)
                                               : link.ReadTableEntry(0, reply);
    if (std::string(fault) == "short-reply@1") {
      EXPECT_TRUE(first);  // a short reply is asked again and the retry gets through
    } else {
      EXPECT_FALSE(first);
      if (std::string(fault) != "nak@1") {
        EXPECT_TRUE(reply.empty());
      }
    }
    EXPECT_TRUE(link.ReadTableEntry(0, reply));
    EXPECT_EQ(reply.size(), 42u);
  }
  engine.SetFaults(*sim::FaultPlan::Parse("short-reply:1"));
  EXPECT_FALSE(link.ReadTableEntry(0, reply));  // every attempt short: fails after five tries
}

}  // namespace brv3
