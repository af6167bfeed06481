#pragma once

#include <array>
#include <cstdint>

#include "core/chart/Chart.h"
#include "core/comm/BoardLayout.h"

namespace brv3::sim {

constexpr int kRecordSize = 49;
constexpr int kMotionRecords = kMotionSlots * kRecordsPerSlot;
constexpr int kScenarioSteps = 256;
constexpr int kEntrySize = 42;
constexpr int kNameSize = 32;
constexpr int kAdSettingsSize = 18;
constexpr int kMixTables = 3;
constexpr int kPropoSize = 4;
constexpr int kSvlLongSize = 29;
constexpr int kSvlShortSize = 17;
constexpr int kVersionSize = 64;
constexpr uint8_t kScenarioEnd = 255;
constexpr uint8_t kNoMotion = 0xFF;

using Record = std::array<uint8_t, kRecordSize>;
using Entry = std::array<uint8_t, kEntrySize>;
using Mask = std::array<uint8_t, 3>;

// A setting with the board's two copies: the one kept in flash and the one in use.
template <typename T>
struct TwoCopies {
  T stored{};
  T working{};
};

// Everything the board keeps in flash. Saved by the state file.
struct FlashMemory {
  std::array<Entry, kTableEntries> table{};
  std::array<Record, kMotionRecords> motions{};  // slot * 30 + record
  std::array<std::array<uint8_t, kScenarioSteps>, kScenarioSlots> scenarios{};
  uint16_t modeWord = 0;
  ChannelWords trim{};
  ChannelWords home{};
  std::array<std::array<uint8_t, kNameSize>, kChannels> channelNames{};
  Mask ssvMask{};
  Mask svlMask{};
  std::array<uint8_t, 2> startMotions{};  // start switch, power-up
  std::array<uint8_t, 3> alarmMotion{};   // motion, threshold high, low
  std::array<uint8_t, kAdSettingsSize> adSettings{};
  std::array<std::array<uint8_t, kChannels>, kMixTables> mixTables{};
  std::array<uint16_t, 3> adCalibration{};
  std::array<uint8_t, kPropoSize> propo{};
  std::array<std::array<uint8_t, kSvlLongSize>, kChannels> svlLong{};
  std::array<std::array<uint8_t, kSvlShortSize>, kChannels> svlShort{};

  // The memory of a board fresh from the factory.
  static FlashMemory Defaults();
  bool operator==(const FlashMemory&) const = default;
};

// The empty table entry: zeros, except no date and no remote code.
Entry EmptyEntry();

// Working copies of the settings that have an area bit; loaded from flash at power-on.
struct WorkingSettings {
  uint16_t modeWord = 0;
  ChannelWords trim{};
  std::array<uint8_t, kAdSettingsSize> adSettings{};
  std::array<std::array<uint8_t, kChannels>, kMixTables> mixTables{};
  std::array<uint16_t, 3> adCalibration{};
  std::array<uint8_t, kPropoSize> propo{};

  static WorkingSettings From(const FlashMemory& flash);
};

}  // namespace brv3::sim
