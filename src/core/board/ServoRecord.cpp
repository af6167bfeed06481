#include "core/board/ServoRecord.h"

#include <algorithm>

#include "core/util/Translate.h"

namespace brv3 {
namespace {

int Hold(int value, int min, int max) {
  return std::clamp(value, min, max);
}

// Item (value - 1) when it lies within 0..last, else item 0.
int Guarded(int value, int last) {
  return value - 1 >= 0 && value - 1 <= last ? value - 1 : 0;
}

uint8_t Byte(int value) {
  return static_cast<uint8_t>(value & 0xFF);
}

}  // namespace

const std::vector<std::string> kStretchItems = {BRV3_TR_NOOP("ServoRecord", "1 (SOFT)"), "2",
                                                BRV3_TR_NOOP("ServoRecord", "3 (MID)"), "4",
                                                BRV3_TR_NOOP("ServoRecord", "5 (HARD)")};
const std::vector<std::string> kSpeedItems = {BRV3_TR_NOOP("ServoRecord", "1 (SLOW)"),
                                              BRV3_TR_NOOP("ServoRecord", "2 (MID)"),
                                              BRV3_TR_NOOP("ServoRecord", "3 (FAST)")};
const std::vector<std::string> kPunchItems = {
    BRV3_TR_NOOP("ServoRecord", "1 (LOW)"),  "2", "3", "4", "5", "6", "7", "8", "9",
    BRV3_TR_NOOP("ServoRecord", "10 (HIGH)")};
const std::vector<std::string> kDeadBandItems = {BRV3_TR_NOOP("ServoRecord", "1 (MIN)"), "2", "3",
                                                 "4", BRV3_TR_NOOP("ServoRecord", "5 (MAX)")};
const std::vector<std::string> kDampingItems = {"1", "2"};
const std::vector<std::string> kProtecItems = {
    BRV3_TR_NOOP("ServoRecord", "1 (MIN)"), "2", "3", "4", "5", "6", "7", "8", "9",
    BRV3_TR_NOOP("ServoRecord", "10 (MAX)")};
const std::vector<std::string> kPowFreeItems = {BRV3_TR_NOOP("ServoRecord", "1 (FAST)"),
                                                BRV3_TR_NOOP("ServoRecord", "2 (MID)"),
                                                BRV3_TR_NOOP("ServoRecord", "3 (SLOW)")};
const std::vector<std::string> kOnOffItems = {"OFF", "ON"};

const std::array<const char*, 19> kServoListColumns = {
    BRV3_TR_NOOP("ServoRecord", "No"),        BRV3_TR_NOOP("ServoRecord", "Name"),
    BRV3_TR_NOOP("ServoRecord", "Servo"),     BRV3_TR_NOOP("ServoRecord", "Stretch1"),
    BRV3_TR_NOOP("ServoRecord", "Speed1"),    BRV3_TR_NOOP("ServoRecord", "Stretch2"),
    BRV3_TR_NOOP("ServoRecord", "Speed2"),    BRV3_TR_NOOP("ServoRecord", "Stretch3"),
    BRV3_TR_NOOP("ServoRecord", "Speed3"),    BRV3_TR_NOOP("ServoRecord", "Punch"),
    BRV3_TR_NOOP("ServoRecord", "DeadBand"),  BRV3_TR_NOOP("ServoRecord", "Damping"),
    BRV3_TR_NOOP("ServoRecord", "Reverse"),   BRV3_TR_NOOP("ServoRecord", "Protection"),
    BRV3_TR_NOOP("ServoRecord", "PowerFree"), BRV3_TR_NOOP("ServoRecord", "Limit(L)"),
    BRV3_TR_NOOP("ServoRecord", "Limit(R)"),  BRV3_TR_NOOP("ServoRecord", "OffSet"),
    BRV3_TR_NOOP("ServoRecord", "SIO")};

std::optional<ServoRecord> ServoRecord::FromBytes(RecordFormat format, const Bytes& data) {
  const size_t size = RecordSize(format);
  if (data.size() < size) return std::nullopt;
  return ServoRecord{format, Bytes(data.begin(), data.begin() + static_cast<long>(size))};
}

void ServoRecord::SetWord(size_t i, int value) {
  bytes[i] = Byte(value >> 8);
  bytes[i + 1] = Byte(value);
}

ShortControls LoadShort(const ServoRecord& r) {
  ShortControls c;
  const std::array<size_t, 3> stretchAt{1, 13, 15}, speedAt{2, 14, 16};
  for (size_t k = 0; k < 3; ++k) {
    c.stretch[k] = Guarded(r.At(stretchAt[k]), 4);
    c.speed[k] = Guarded(r.At(speedAt[k]), 2);
  }
  c.punch = Guarded(r.At(3), 9);
  c.deadBand = Guarded(r.At(4), 9);
  c.damping = Guarded(r.At(5), 9);
  c.protec = Guarded(r.At(6), 9);
  // The guard above is the dialog's; a list shorter than its guard falls back to item 0 too.
  if (c.deadBand >= static_cast<int>(kDeadBandItems.size())) c.deadBand = 0;
  if (c.damping >= static_cast<int>(kDampingItems.size())) c.damping = 0;
  c.reverse = r.At(7) & 1;
  const int powFree = r.At(12);
  c.powFree = powFree == 50 || powFree == 100 || powFree == 150 ? powFree / 50 - 1 : 0;
  c.limitL = Hold((r.Word(8) - 1700) / 10, 0, 60);
  c.limitR = Hold((1300 - r.Word(10)) / 10, 0, 60);
  return c;
}

void StoreShort(const ShortControls& c, ServoRecord& r) {
  const std::array<size_t, 3> stretchAt{1, 13, 15}, speedAt{2, 14, 16};
  for (size_t k = 0; k < 3; ++k) {
    r.bytes[stretchAt[k]] = Byte(c.stretch[k] + 1);
    r.bytes[speedAt[k]] = Byte(c.speed[k] + 1);
  }
  r.bytes[3] = Byte(c.punch + 1);
  r.bytes[4] = Byte(c.deadBand + 1);
  r.bytes[5] = Byte(c.damping + 1);
  r.bytes[6] = Byte(c.protec + 1);
  r.bytes[7] = Byte((r.At(7) & ~1) + (c.reverse & 1));
  r.bytes[12] = Byte(c.powFree * 50 + 50);
  r.SetWord(8, 1700 + 10 * c.limitL);
  r.SetWord(10, 1300 - 10 * c.limitR);
}

LongControls LoadLong(const ServoRecord& r) {
  LongControls c;
  const std::array<size_t, 3> stretchAt{1, 13, 15}, speedAt{2, 14, 16};
  for (size_t k = 0; k < 3; ++k) {
    c.stretch[k] = Hold(r.At(stretchAt[k]), 1, 127);
    c.speed[k] = Hold(r.At(speedAt[k]), 1, 127);
  }
  c.punch = Guarded(r.At(3), 9);
  c.deadBand = Guarded(r.At(4), 9);
  if (c.deadBand >= static_cast<int>(kDeadBandItems.size())) c.deadBand = 0;
  // The damping list takes its item without a guard; a value beyond the list shows item 0.
  c.damping = r.At(5) >= 1 && r.At(5) <= 2 ? r.At(5) - 1 : 0;
  c.reverse = r.At(7) & 1;
  c.noPwm = r.At(7) >> 3 & 1;
  c.protec = Hold(r.At(6), 10, 255);
  c.powFree = Hold(r.At(12), 1, 255);
  c.offset = Hold(r.At(27), 100, 250);
  c.limitL = Hold(r.Word(8) / 10, 800, 1150);
  c.limitR = Hold(r.Word(10) / 10, 350, 600);
  return c;
}

void StoreLong(const LongControls& c, ServoRecord& r) {
  const std::array<size_t, 3> stretchAt{1, 13, 15}, speedAt{2, 14, 16};
  for (size_t k = 0; k < 3; ++k) {
    r.bytes[stretchAt[k]] = Byte(c.stretch[k]);
    r.bytes[speedAt[k]] = Byte(c.speed[k]);
  }
  r.bytes[6] = Byte(c.protec);
  r.bytes[12] = Byte(c.powFree);
  r.bytes[27] = Byte(c.offset);
  r.bytes[3] = Byte(c.punch + 1);
  r.bytes[4] = Byte(c.deadBand + 1);
  r.bytes[5] = Byte(c.damping + 1);
  r.bytes[7] = Byte((r.At(7) & ~0x09) | (c.reverse & 1) | (c.noPwm & 1) << 3);
  r.SetWord(8, 10 * c.limitL);
  r.SetWord(10, 10 * c.limitR);
}

ServoListRow ServoListRowFor(int channel, const std::string& name, bool svl, bool serial,
                             const ServoRecord* record) {
  ServoListRow row;
  row[0] = std::to_string(channel);
  row[1] = name;
  if (!svl) return row;
  row[2] = serial ? "SIO" : "PWM";
  if (!record || record->bytes.size() < RecordSize(record->format)) return row;
  const ServoRecord& r = *record;
  const bool isLong = r.format == RecordFormat::Long;
  auto n = [](int v) { return std::to_string(v); };
  row[3] = n(r.At(1));
  row[4] = n(r.At(2));
  row[5] = n(r.At(13));
  row[6] = n(r.At(14));
  row[7] = n(r.At(15));
  row[8] = n(r.At(16));
  row[9] = n(r.At(3));
  row[10] = n(r.At(4));
  row[11] = n(r.At(5));
  row[12] = (r.At(7) & 1) ? "ON" : "OFF";
  row[13] = n(r.At(6));
  row[14] = n(isLong ? r.At(12) : r.At(12) / 50);
  row[15] = n(isLong ? r.Word(8) : (r.Word(8) - 1700) / 10);
  row[16] = n(isLong ? r.Word(10) : (1300 - r.Word(10)) / 10);
  if (isLong) {
    row[17] = n(r.At(27));
    row[18] = (r.At(7) & 0x08) ? "ON" : "OFF";
  }
  return row;
}

}  // namespace brv3
