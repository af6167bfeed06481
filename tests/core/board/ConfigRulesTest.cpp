// Trim sets and files, option bits and conversions, serial-servo record codecs and list rows.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/board/BoardOptions.h"
#include "core/board/RecordFields.h"
#include "core/board/ServoRecord.h"
#include "core/board/Trim.h"
#include "core/util/IniFile.h"

namespace brv3 {
namespace {

TEST(TrimRules, RangesFollowTheSerialMaskBitByBit) {
  const ChannelMask mask{0x01, 0x00, 0x80};
  EXPECT_EQ(TrimRangeFor(mask, 1).min, kSerialTrimMin);
  EXPECT_EQ(TrimRangeFor(mask, 24).max, kSerialTrimMax);
  for (int n = 2; n <= 23; ++n) {
    EXPECT_EQ(TrimRangeFor(mask, n).min, 16039) << n;
    EXPECT_EQ(TrimRangeFor(mask, n).max, 16729) << n;
  }
  EXPECT_EQ(TrimRangeFor(mask, 1).Hold(30000), 20384);
  EXPECT_EQ(TrimRangeFor(mask, 2).Hold(0), 16039);
}

TEST(TrimRules, WireBytesAreHighByteFirstAndShortRepliesAreRefused) {
  TrimSet trim;
  trim.fill(kTrimCentre);
  trim[0] = 0x1234;
  trim[23] = 0xABCD;
  const Bytes bytes = TrimBytes(trim);
  ASSERT_EQ(bytes.size(), 48u);
  EXPECT_EQ(bytes[0], 0x12);
  EXPECT_EQ(bytes[1], 0x34);
  EXPECT_EQ(bytes[46], 0xAB);
  EXPECT_EQ(bytes[47], 0xCD);
  Bytes withChecksum = bytes;
  withChecksum.push_back(0x55);
  EXPECT_EQ(TrimFromBytes(withChecksum), trim);
  EXPECT_FALSE(TrimFromBytes(Bytes(47, 0)));
}

TEST(TrimRules, FileIsRejectedWholeWhenAKeyIsMissingAndSavingErasesTheRest) {
  IniFile ini;
  ini.LoadText("[Other]\nx=1\n[TrimData]\n");
  for (int n = 1; n <= 24; ++n)
    if (n != 7) ini.WriteInteger("TrimData", "CH" + std::to_string(n), 16000 + n);
  EXPECT_FALSE(ReadTrimFile(ini));
  ini.WriteString("TrimData", "CH7", "banana");
  EXPECT_FALSE(ReadTrimFile(ini));
  ini.WriteInteger("TrimData", "CH7", 17000);
  const std::optional<TrimSet> trim = ReadTrimFile(ini);
  ASSERT_TRUE(trim);
  EXPECT_EQ((*trim)[6], 17000);
  EXPECT_EQ((*trim)[23], 16024);

  WriteTrimFile(ini, *trim);
  EXPECT_EQ(ini.SectionNames(), std::vector<std::string>{"TrimData"});
  EXPECT_EQ(ini.ReadInteger("TrimData", "CH1", -1), 16001);
  EXPECT_EQ(ini.KeyNames("TrimData").size(), 24u);
  IniFile empty;
  EXPECT_FALSE(ReadTrimFile(empty));
}

TEST(OptionRules, OwnedBitsAreWrittenAndTheOthersKept) {
  OptionChoices c;
  c.timebase = 2;  // "20ms"
  // Bits 15, 14, 2..0 survive; 8 and 4 are cleared; the owned ones follow the controls.
  EXPECT_EQ(ApplyOptionBits(0xFFFF, c), 0xC047);
  EXPECT_EQ(ApplyOptionBits(0x0000, c), 0x0040);
  c.remotePlayback = c.motionReplay = c.zlt1 = true;
  c.startSwitchItem = 3;
  c.powerUpItem = 0;
  c.lowVoltageItem = 85;
  c.timebase = 7;
  EXPECT_EQ(ApplyOptionBits(0x0110, c), 0x2000 | 0x1000 | 0x0400 | 0x0200 | 0x00E0 | 0x0008);
  EXPECT_EQ(TimebaseText(2), std::string("20ms"));
  EXPECT_EQ(TimebaseIndex("32.5ms"), 7);
  EXPECT_FALSE(TimebaseIndex("21ms"));
}

TEST(OptionRules, VoltageConversionsRoundHalfToEvenAndSurviveTheRange) {
  EXPECT_EQ(RawToVoltTenths(391), 60);
  EXPECT_EQ(VoltTenthsToRaw(60), 391);
  EXPECT_EQ(VoltTenthsToRaw(150), 977);
  EXPECT_EQ(VoltText(60), "06.0V");
  EXPECT_EQ(VoltText(150), "15.0V");
  for (int tenths = kMinVoltTenths; tenths <= kMaxVoltTenths; ++tenths)
    EXPECT_EQ(RawToVoltTenths(VoltTenthsToRaw(tenths)), tenths) << tenths;
  EXPECT_EQ(VoltTenthsToRaw(100000), 0xFFFF);
  EXPECT_EQ(VoltTenthsToRaw(-5), 0);
}

TEST(OptionRules, MotionListsNeedTheirBitAndASlotBelow85) {
  BoardOptionsData d;
  d.modeWord = 0x1000 | 0x0400;  // start switch and low voltage on, power-up off
  d.startMotions = {4, 10};
  d.alarm = {85, 0x01, 0x87};
  const OptionChoices c = d.Choices();
  EXPECT_EQ(c.startSwitchItem, 5);
  EXPECT_EQ(c.powerUpItem, 0);     // bit 11 clear
  EXPECT_EQ(c.lowVoltageItem, 0);  // slot 85 means none
  EXPECT_EQ(c.voltTenths, 60);
  EXPECT_EQ(Slot::LabelOf(0), "M1");
  EXPECT_EQ(Slot::LabelOf(79), "M80");
  EXPECT_EQ(Slot::LabelOf(84), "S5");
  EXPECT_EQ(Slot::LabelOf(85), "");
  const std::vector<std::string> items = MotionListItems({"M1 walk 12/24 10:00", "M2 (not read)"});
  ASSERT_EQ(items.size(), 86u);
  EXPECT_EQ(items[0], "OFF");
  EXPECT_EQ(items[1], "M1 walk 12/24 10:00");
  EXPECT_EQ(items[2], "M2 (not read)");
  EXPECT_EQ(items[85], "S5");
}

TEST(OptionRules, ChannelBoxesMakeTheMask) {
  std::array<bool, kChannels> boxes{};
  boxes[8] = true;  // SSV_C9
  EXPECT_EQ(MaskOf(boxes), (ChannelMask{0x00, 0x01, 0x00}));
  boxes[0] = boxes[23] = true;
  EXPECT_EQ(MaskOf(boxes), (ChannelMask{0x01, 0x01, 0x80}));
  EXPECT_EQ(MaskChannels(MaskOf(boxes)), (std::vector<int>{1, 9, 24}));
}

ServoRecord ShortRecord() {
  ServoRecord r{RecordFormat::Short,
                {0xA5, 3, 2, 5, 2, 1, 4, 0xF2, 0x06, 0xD6, 0x04, 0xB0, 100, 1, 3, 5, 1}};
  return r;
}

// A control position of the field `key` and back.
int Load(const ServoRecord& r, const char* key) {
  return LoadField(*FindRecordField(r.format, key), r);
}
void Store(ServoRecord& r, const char* key, int position) {
  StoreField(*FindRecordField(r.format, key), position, r);
}
// Every control as loaded, stored back.
void StoreAllAsLoaded(ServoRecord& r) {
  const ServoRecord loaded = r;
  for (const RecordField& field : RecordFields(r.format))
    StoreField(field, LoadField(field, loaded), r);
}

TEST(ServoRecords, ShortRecordLoadsAndStoresUnchanged) {
  ServoRecord r = ShortRecord();  // limits 1750 and 1200
  EXPECT_EQ(Load(r, "limit_l"), 5);
  EXPECT_EQ(Load(r, "limit_r"), 10);
  EXPECT_EQ(Load(r, "power_free"), 1);  // "2 (MID)"
  EXPECT_EQ(Load(r, "reverse"), 0);
  EXPECT_EQ(Load(r, "stretch1"), 2);
  const ServoRecord before = r;
  StoreAllAsLoaded(r);
  EXPECT_EQ(r, before);  // byte 0 and flag bits 1..7 kept

  r.bytes[12] = 75;
  r.bytes[3] = 11;  // beyond the punch list
  r.bytes[4] = 7;   // within the punch list's length but beyond the dead-band list
  EXPECT_EQ(Load(r, "power_free"), 0);
  EXPECT_EQ(Load(r, "punch"), 0);
  EXPECT_EQ(Load(r, "dead_band"), 0);
  StoreAllAsLoaded(r);
  EXPECT_EQ(r.At(12), 50);
  EXPECT_EQ(r.At(3), 1);
  EXPECT_EQ(r.At(0), 0xA5);

  r.SetWord(8, 2900);  // beyond L = 60
  EXPECT_EQ(Load(r, "limit_l"), 60);
}

ServoRecord LongRecord() {
  ServoRecord r{RecordFormat::Long, Bytes(29, 0)};
  for (size_t i = 0; i < 29; ++i) r.bytes[i] = static_cast<uint8_t>(0x40 + i);
  r.bytes[3] = 4;
  r.bytes[4] = 2;
  r.bytes[5] = 2;
  r.bytes[7] = 0x0C;
  r.SetWord(8, 11500);
  r.SetWord(10, 4000);
  r.bytes[27] = 200;
  return r;
}

TEST(ServoRecords, LongRecordHoldsSlidersAndKeepsUninterpretedBytes) {
  ServoRecord r = LongRecord();
  EXPECT_EQ(Load(r, "limit_l"), 1150);
  EXPECT_EQ(Load(r, "limit_r"), 400);
  EXPECT_EQ(Load(r, "reverse"), 0);
  EXPECT_EQ(Load(r, "no_pwm"), 1);
  EXPECT_EQ(Load(r, "offset"), 200);
  const ServoRecord before = r;
  StoreAllAsLoaded(r);
  EXPECT_EQ(r, before);

  Store(r, "reverse", 1);
  EXPECT_EQ(r.At(7), 0x0D);
  for (size_t i : {0u, 17u, 20u, 26u, 28u}) EXPECT_EQ(r.At(i), before.At(i)) << i;

  r.SetWord(8, 12000);
  r.bytes[27] = 20;
  r.bytes[1] = 0;
  EXPECT_EQ(Load(r, "limit_l"), 1150);
  EXPECT_EQ(Load(r, "offset"), 100);
  EXPECT_EQ(Load(r, "stretch1"), 1);
  StoreAllAsLoaded(r);
  EXPECT_EQ(r.Word(8), 11500);
  EXPECT_FALSE(ServoRecord::FromBytes(RecordFormat::Long, Bytes(28, 0)));
  EXPECT_EQ(ServoRecord::FromBytes(RecordFormat::Short, Bytes(18, 1))->bytes.size(), 17u);
}

// Every field of both formats: every control position is stored into the field's own bytes
// only and loads back as itself, and no two fields share a key, a column or a control.
TEST(ServoRecords, EveryFieldRoundTripsEveryPositionThroughItsOwnBytesOnly) {
  for (RecordFormat format : {RecordFormat::Short, RecordFormat::Long}) {
    std::set<std::string> keys, controls;
    std::set<int> columns;
    for (const RecordField& field : RecordFields(format)) {
      EXPECT_TRUE(keys.insert(field.key).second) << field.key;
      EXPECT_TRUE(controls.insert(field.control).second) << field.control;
      EXPECT_TRUE(columns.insert(field.column).second) << field.key;
      EXPECT_LT(static_cast<size_t>(field.column), kServoListColumns.size());
      const int first = field.IsList() ? 0 : field.min;
      const int last = field.IsList() ? static_cast<int>(field.items->size()) - 1 : field.max;
      ASSERT_LE(first, last) << field.key;
      for (int position = first; position <= last; ++position) {
        ServoRecord r{format, Bytes(RecordSize(format), 0x5A)};
        const ServoRecord before = r;
        StoreField(field, position, r);
        EXPECT_EQ(LoadField(field, r), position) << field.key << " " << position;
        const bool word = field.encoding == FieldEncoding::WordAbove1700 ||
                          field.encoding == FieldEncoding::WordBelow1300 ||
                          field.encoding == FieldEncoding::WordTenths;
        for (size_t i = 0; i < r.bytes.size(); ++i) {
          const bool own = i == field.at || (word && i == field.at + 1);
          if (!own) {
            EXPECT_EQ(r.At(i), before.At(i)) << field.key << " byte " << i;
          }
        }
        if (field.encoding == FieldEncoding::Bit) {
          EXPECT_EQ(r.At(field.at) & ~(1 << field.bit), before.At(field.at) & ~(1 << field.bit));
        }
      }
    }
  }
}

TEST(ServoRecords, ListRowsShowEachFormatsColumns) {
  const ServoRecord s = ShortRecord();
  ServoListRow row = ServoListRowFor(3, "Knee", true, false, &s);
  EXPECT_EQ(row[0], "3");
  EXPECT_EQ(row[1], "Knee");
  EXPECT_EQ(row[2], "PWM");
  EXPECT_EQ(row[3], "3");
  EXPECT_EQ(row[5], "1");  // Stretch2 is byte 13
  EXPECT_EQ(row[12], "OFF");
  EXPECT_EQ(row[14], "2");   // 100 / 50
  EXPECT_EQ(row[15], "5");   // (1750 - 1700) / 10
  EXPECT_EQ(row[16], "10");  // (1300 - 1200) / 10
  EXPECT_EQ(row[17], "");
  EXPECT_EQ(row[18], "");

  const ServoRecord l = LongRecord();
  row = ServoListRowFor(4, "Hip", true, true, &l);
  EXPECT_EQ(row[2], "SIO");
  EXPECT_EQ(row[15], "11500");
  EXPECT_EQ(row[17], "200");
  EXPECT_EQ(row[18], "ON");

  row = ServoListRowFor(5, "Arm", false, true, nullptr);
  EXPECT_EQ(row[2], "");
  row = ServoListRowFor(5, "Arm", true, true, nullptr);
  EXPECT_EQ(row[2], "SIO");
  EXPECT_EQ(row[3], "");
}

}  // namespace
}  // namespace brv3
