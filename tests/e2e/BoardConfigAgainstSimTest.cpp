// Trim, options, serial-servo list and the whole configuration against the in-process board.
#include <gtest/gtest.h>

#include "core/board/BoardConfig.h"
#include "core/board/BoardOptions.h"
#include "core/board/RecordFields.h"
#include "core/board/SensorDialogs.h"
#include "core/board/ServoList.h"
#include "core/board/Trim.h"
#include "core/comm/BoardLink.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"

namespace brv3 {
namespace {

struct SimBoard {
  explicit SimBoard(const sim::FlashMemory& flash = sim::FlashMemory::Defaults())
      : engine(std::make_unique<sim::Board>(flash)), port(engine), link(&port, &prompter) {}

  void Faults(const std::string& text) {
    engine.SetFaults(*sim::FaultPlan::Parse(text));
    link.SetAttemptLimit(1);
  }
  // Host frames sent with command byte `command`.
  std::vector<Bytes> Sent(uint8_t command) const {
    std::vector<Bytes> frames;
    for (const auto& burst : port.Log())
      if (burst.direction == '>' && burst.bytes.size() > 1 && burst.bytes[0] == command)
        frames.push_back(burst.bytes);
    return frames;
  }
  const sim::FlashMemory& Flash() const { return engine.board().Flash(); }

  sim::Engine engine;
  sim::SimPort port;
  test::ScriptedPrompter prompter;
  BoardLink link;
};

sim::FlashMemory TrimFlash() {
  sim::FlashMemory flash = sim::FlashMemory::Defaults();
  flash.ssvMask = {0x01, 0x00, 0x80};
  flash.trim[1] = 17000;
  flash.trim[0] = 20000;
  return flash;
}

TEST(TrimAgainstSim, OpenHoldsValuesCloseStoresTheSliders) {
  SimBoard b(TrimFlash());
  TrimEditor trim(b.link);
  ASSERT_TRUE(trim.Open());
  EXPECT_EQ(trim.Range(24).max, kSerialTrimMax);
  EXPECT_EQ(trim.Position(1), 20000);
  EXPECT_EQ(trim.Position(2), 16729);
  EXPECT_EQ(trim.EditText(2), "616");
  EXPECT_EQ(b.engine.board().Working().modeWord & 1, 0);  // awake again

  trim.SliderMoved(3, 16500);
  EXPECT_EQ(trim.EditText(3), "116");
  trim.EditEntered(4, "-200");
  trim.EditEntered(5, "9999");  // held at the end: shown and sent held
  EXPECT_EQ(trim.EditText(5), "345");
  trim.EditEntered(4, "abc");  // the current value again
  const std::vector<Bytes> live = b.Sent(0xFB);
  ASSERT_EQ(live.size(), 4u);
  EXPECT_EQ(live[0], (Bytes{0xFB, 0x00, 0x02, 0x40, 0x74, 0xB1}));
  EXPECT_EQ(live[2][2], 4);
  EXPECT_EQ(live[2][3] << 8 | live[2][4], 16729);
  EXPECT_EQ(live[3], live[1]);
  EXPECT_EQ(b.Flash().trim[2], kTrimCentre);  // live changes reach the working copy only
  EXPECT_EQ(b.engine.board().Working().trim[2], 16500);

  ASSERT_TRUE(trim.Close());
  EXPECT_EQ(b.Flash().trim[1], 16729);
  EXPECT_EQ(b.Flash().trim[2], 16500);
  EXPECT_EQ(b.Flash().trim[3], 16184);
  EXPECT_EQ(b.Sent(0xFA).back()[1], 0x03);
  EXPECT_EQ(b.engine.board().Working().modeWord & 1, 0);
}

TEST(TrimAgainstSim, FileLoadWritesTheWorkingCopyOnly) {
  SimBoard b(TrimFlash());
  TrimEditor trim(b.link);
  ASSERT_TRUE(trim.Open());
  TrimSet file;
  file.fill(16400);
  ASSERT_TRUE(trim.LoadTrim(file));
  EXPECT_EQ(b.Sent(0xFA).back()[1], 0x01);
  EXPECT_EQ(b.engine.board().Working().trim[5], 16400);
  EXPECT_EQ(b.Flash().trim[5], kTrimCentre);
}

TEST(TrimAgainstSim, FailuresStopTheSequence) {
  {
    SimBoard b(TrimFlash());
    b.Faults("no-attention@6");  // five exchanges put the board to sleep, then the mask read
    TrimEditor trim(b.link);
    EXPECT_FALSE(trim.Open());
    EXPECT_TRUE(b.Sent(0xF9).empty());
    EXPECT_EQ(b.engine.board().Working().modeWord & 1, 1);  // left asleep
  }
  {
    SimBoard b(TrimFlash());
    TrimEditor trim(b.link);
    ASSERT_TRUE(trim.Open());
    trim.SliderMoved(3, 16500);
    b.Faults("no-attention:1");
    EXPECT_FALSE(trim.Close());
    EXPECT_TRUE(b.Sent(0xFA).empty());
    EXPECT_EQ(b.Flash().trim[2], kTrimCentre);
  }
}

TEST(OptionsAgainstSim, WritesChangeOnlyTheirOwnBitsAndBytes) {
  sim::FlashMemory flash = sim::FlashMemory::Defaults();
  flash.modeWord = 0xC117;  // bits 15, 14, 8, 4, 2..0
  flash.startMotions = {7, 90};
  flash.alarmMotion = {3, 0x01, 0x87};
  SimBoard b(flash);
  BoardOptions options(b.link);
  const std::optional<BoardOptionsData> data = options.Open();
  ASSERT_TRUE(data);
  OptionChoices c = data->Choices();
  EXPECT_EQ(c.startSwitchItem, 0);  // bit 12 clear
  EXPECT_EQ(c.voltTenths, 60);

  c.timebase = 2;
  ASSERT_TRUE(options.WriteModeWord(c));
  EXPECT_EQ(b.Flash().modeWord, 0xC047);
  EXPECT_EQ(b.engine.board().Working().modeWord, 0xC047);
  const std::vector<Bytes> words = b.Sent(0xF2);
  ASSERT_GE(words.size(), 2u);
  EXPECT_EQ(words[words.size() - 2][1], 0x03);
  EXPECT_EQ(words.back()[1], 0x01);

  c.powerUpItem = 81;  // S1
  ASSERT_TRUE(options.WriteStartMotions(c));
  EXPECT_EQ(b.Flash().startMotions, (std::array<uint8_t, 2>{7, 80}));  // byte 0 as the board had
  EXPECT_EQ(b.Flash().modeWord, 0xC847);

  c.voltTenths = 150;
  ASSERT_TRUE(options.WriteLowVoltage(c));
  EXPECT_EQ(b.Sent(0xEC).back(), (Bytes{0xEC, 0x01, 0x03, 0x03, 0xD1, 0xC4}));

  ASSERT_TRUE(options.WriteSerialMask({0x00, 0x01, 0x00}));
  EXPECT_EQ(b.Sent(0xEA).back(), (Bytes{0xEA, 0x01, 0x00, 0x01, 0x00, 0xEC}));
}

TEST(OptionsAgainstSim, AFailedReadMeansNoWrite) {
  SimBoard b;
  BoardOptions options(b.link);
  OptionChoices c;
  c.zlt1 = true;
  b.Faults("no-attention@1");
  EXPECT_FALSE(options.WriteModeWord(c));
  EXPECT_TRUE(b.Sent(0xF2).empty());
  b.Faults("nak@1");  // the stored write refused: no working write either
  EXPECT_FALSE(options.WriteModeWord(c));
  EXPECT_EQ(b.Sent(0xF2).size(), 1u);
  EXPECT_EQ(b.engine.board().Working().modeWord, 0);
}

sim::FlashMemory SvlFlash() {
  sim::FlashMemory flash = sim::FlashMemory::Defaults();
  flash.svlMask = {0x07, 0x00, 0x00};  // channels 1..3
  flash.ssvMask = {0x04, 0x00, 0x00};  // channel 3 is serial
  for (auto& r : flash.svlShort)
    r = {0x11, 1, 1, 1, 1, 1, 1, 0, 0x06, 0xD6, 0x05, 0x14, 50, 1, 1, 1, 1};
  flash.svlShort[1][0] = 0x99;
  flash.svlLong[2].fill(0x20);
  return flash;
}

TEST(ServoListAgainstSim, ModeBitIsSetWhileOpenAndClearedOnEveryWayOut) {
  SimBoard b(SvlFlash());
  {
    ServoList list(b.link, b.prompter);
    ASSERT_TRUE(list.Open());
    EXPECT_EQ(b.Flash().modeWord & 0x4000, 0x4000);
    EXPECT_EQ(list.Row(3)[2], "SIO");
    EXPECT_EQ(list.Row(4)[2], "");
    // The working copy is not in SVL mode until a power cycle: warned, nothing read.
    EXPECT_FALSE(list.Load());
    ASSERT_EQ(b.prompter.messages.size(), 1u);
    EXPECT_EQ(b.prompter.messages[0].text, kRebootToSvlMode);
    EXPECT_TRUE(b.Sent(0xDA).empty());
  }  // left without Close
  EXPECT_EQ(b.Flash().modeWord & 0x4000, 0);

  SimBoard failing(SvlFlash());
  failing.Faults("no-attention@2");
  ServoList list(failing.link, failing.prompter);
  EXPECT_FALSE(list.Open());
  EXPECT_TRUE(failing.Sent(0xF2).empty());
}

TEST(ServoListAgainstSim, LoadEditAndDropMoveWholeRecords) {
  sim::FlashMemory flash = SvlFlash();
  flash.modeWord = 0x4000;  // powered up in SVL mode
  SimBoard b(flash);
  ServoList list(b.link, b.prompter);
  ASSERT_TRUE(list.Open());
  b.port.ClearLog();
  ASSERT_TRUE(list.Load());
  EXPECT_EQ(b.Sent(0xDA).size(), 2u);
  EXPECT_EQ(b.Sent(0xD8).size(), 1u);
  EXPECT_EQ(list.Row(1)[15], "5");  // (1700 + 50 - 1700) / 10
  EXPECT_EQ(list.Row(3)[17], "32");

  std::optional<ServoRecord> record = list.BeginEdit(1);
  ASSERT_TRUE(record);
  StoreField(*FindRecordField(RecordFormat::Short, "reverse"), 1, *record);
  ASSERT_TRUE(list.FinishEdit(1, *record));
  EXPECT_EQ(b.Flash().svlShort[0][7], 1);
  EXPECT_EQ(list.Row(1)[12], "ON");
  EXPECT_EQ(list.EditCaption(1), "1:CH1");
  EXPECT_FALSE(list.BeginEdit(5));  // no SVL bit

  EXPECT_FALSE(list.CanDrop(2, 3));  // PWM onto SIO
  EXPECT_FALSE(list.Drop(2, 3));
  ASSERT_TRUE(list.Drop(2, 1));
  EXPECT_EQ(b.Flash().svlShort[0], b.Flash().svlShort[1]);  // byte 0 too
  EXPECT_EQ(b.Flash().svlShort[0][0], 0x99);
}

TEST(BoardConfigAgainstSim, ASecondBoardTakesTheWholeConfiguration) {
  sim::FlashMemory flash = SvlFlash();
  flash.modeWord = 0x2A48;
  flash.startMotions = {2, 81};
  flash.alarmMotion = {10, 0x03, 0xD1};
  flash.trim[4] = 16100;
  flash.channelNames[0] = {'K', 'n', 'e', 'e'};
  flash.adSettings[3] = 9;
  flash.mixTables[2][5] = 0x81;
  flash.adCalibration = {100, 200, 300};
  flash.propo = {1, 2, 3, 4};
  SimBoard first(flash);
  std::string failed;
  const std::optional<BoardConfig> config = ReadBoardConfig(first.link, &failed);
  ASSERT_TRUE(config) << failed;
  EXPECT_EQ(config->records.size(), 3u);
  EXPECT_EQ(NameText(config->names[0]), "Knee");

  SimBoard second;
  ASSERT_TRUE(WriteBoardConfig(second.link, *config, &failed)) << failed;
  const std::optional<BoardConfig> copy = ReadBoardConfig(second.link);
  ASSERT_TRUE(copy);
  EXPECT_TRUE(ConfigDifferences(*config, *copy).empty());
  sim::FlashMemory got = second.Flash();
  sim::FlashMemory want = first.Flash();
  got.table = want.table;  // motion memory is not part of the configuration
  EXPECT_EQ(got.svlShort[1], want.svlShort[1]);
  EXPECT_EQ(got.modeWord, want.modeWord);
  EXPECT_EQ(got.trim, want.trim);
  EXPECT_EQ(got.propo, want.propo);

  SimBoard broken;
  broken.Faults("nak@5");
  EXPECT_FALSE(WriteBoardConfig(broken.link, *config, &failed));
  EXPECT_EQ(broken.engine.board().Working().modeWord & 1, 0);  // woken all the same
}

// The configuration's analog and transmitter settings go out exactly as the two dialogs' closing
// sends them: the same commands, flags and bytes in the same order.
TEST(BoardConfigAgainstSim, SensorSettingsAreWrittenAsTheDialogsCloseThem) {
  sim::FlashMemory flash = sim::FlashMemory::Defaults();
  flash.adSettings = EncodeAdSettings({SensorTrigger{4, -500}, {}, {0, 20}, {85, 7}, {}, {}});
  flash.mixTables[1][3] = 0xC5;
  flash.adCalibration = {100, 512, 1023};
  flash.propo = {1, 2, 3, 127};
  auto hostFrames = [](const SimBoard& b, size_t from) {
    std::vector<Bytes> frames;
    for (size_t i = from; i < b.port.Log().size(); ++i)
      if (b.port.Log()[i].direction == '>') frames.push_back(b.port.Log()[i].bytes);
    return frames;
  };

  SimBoard dialogs(flash);
  SensorBoardLink sensors(dialogs.link);
  AnalogInputs analog(sensors);
  TransmitterInputs transmitter(sensors);
  ASSERT_TRUE(analog.Load() && transmitter.Load());
  size_t from = dialogs.port.Log().size();
  ASSERT_TRUE(analog.Save() && transmitter.Save());
  const std::vector<Bytes> closing = hostFrames(dialogs, from);

  SimBoard config(flash);
  SensorConfig stored;
  ASSERT_TRUE(ReadSensorConfig(config.link, stored));
  from = config.port.Log().size();
  ASSERT_TRUE(WriteSensorConfig(config.link, stored));
  EXPECT_EQ(hostFrames(config, from), closing);
  EXPECT_EQ(closing.size(), 2u * 7);  // attention byte and frame each
}

}  // namespace
}  // namespace brv3
