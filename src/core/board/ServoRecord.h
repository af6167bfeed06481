#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/util/Bytes.h"

namespace brv3 {

enum class RecordFormat { Short, Long };  // pulse channel ("PWM") / serial channel ("SIO")

constexpr size_t kShortRecordSize = 17;
constexpr size_t kLongRecordSize = 29;

inline size_t RecordSize(RecordFormat format) {
  return format == RecordFormat::Short ? kShortRecordSize : kLongRecordSize;
}

// One serial-servo parameter record, every byte as the board sent it. Editing changes only the
// bytes the controls stand for, so what no one interprets goes back unchanged.
struct ServoRecord {
  RecordFormat format = RecordFormat::Short;
  Bytes bytes = Bytes(kShortRecordSize, 0);

  // nullopt when fewer bytes than the format's came (a trailing checksum is dropped).
  static std::optional<ServoRecord> FromBytes(RecordFormat format, const Bytes& data);
  uint8_t At(size_t i) const { return bytes[i]; }
  int Word(size_t i) const { return bytes[i] << 8 | bytes[i + 1]; }
  void SetWord(size_t i, int value);
  bool operator==(const ServoRecord&) const = default;
};

// Option list items of the parameter dialog, shown through Tr("ServoRecord", item).
extern const std::vector<std::string> kStretchItems;
extern const std::vector<std::string> kSpeedItems;
extern const std::vector<std::string> kPunchItems;
extern const std::vector<std::string> kDeadBandItems;
extern const std::vector<std::string> kDampingItems;
extern const std::vector<std::string> kProtecItems;
extern const std::vector<std::string> kPowFreeItems;
extern const std::vector<std::string> kOnOffItems;

// The serial-servo list's 19 columns, shown through Tr("ServoRecord", ...).
extern const std::array<const char*, 19> kServoListColumns;
using ServoListRow = std::array<std::string, 19>;
// A row: number and name always, port when the channel has the SVL bit, the record's fields
// (RecordFields.h) when one was read.
ServoListRow ServoListRowFor(int channel, const std::string& name, bool svl, bool serial,
                             const ServoRecord* record);

}  // namespace brv3
