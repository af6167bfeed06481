#include "core/board/ServoRecord.h"

#include "core/board/RecordFields.h"
#include "core/util/Translate.h"

namespace brv3 {

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
  bytes[i] = static_cast<uint8_t>(value >> 8 & 0xFF);
  bytes[i + 1] = static_cast<uint8_t>(value & 0xFF);
}

ServoListRow ServoListRowFor(int channel, const std::string& name, bool svl, bool serial,
                             const ServoRecord* record) {
  ServoListRow row;
  row[0] = std::to_string(channel);
  row[1] = name;
  if (!svl) return row;
  row[2] = serial ? "SIO" : "PWM";
  if (!record || record->bytes.size() < RecordSize(record->format)) return row;
  for (const RecordField& field : RecordFields(record->format))
    row[static_cast<size_t>(field.column)] = FieldText(field, *record);
  return row;
}

}  // namespace brv3
