#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/board/BoardOptions.h"
#include "core/board/ChannelNames.h"
#include "core/board/SensorSettings.h"
#include "core/board/ServoRecord.h"
#include "core/board/Trim.h"

namespace brv3 {

class BoardLink;

// The analog-input and transmitter settings as the board stores them.
struct SensorConfig {
  AdSettingsBytes adSettings{};
  std::array<MixTableBytes, kAnalogInputs> mixTables{};
  AdReferences calibration{};
  PropoReferences transmitter{};
  bool operator==(const SensorConfig&) const = default;
};

// Reads or writes the stored analog and transmitter settings; false at the first failure. The
// write uses the commands and flags of the analog and transmitter dialogs' closing: references,
// mixing tables 1-3, a read of the working settings, the settings, the transmitter references.
bool ReadSensorConfig(BoardLink& link, SensorConfig& sensors);
bool WriteSensorConfig(BoardLink& link, const SensorConfig& sensors);

// The analog settings as the analog dialog and the `analog` command show them.
AnalogSettings AnalogOf(const SensorConfig& sensors);
// Whether the typed analog settings carry every byte of `sensors` (see MergeAdSettings).
bool TriggersCarryEveryByte(const SensorConfig& sensors);
bool MixCarriesEveryByte(const SensorConfig& sensors);
// `base` with the typed analog settings and transmitter references put over it.
SensorConfig MergeSensors(const SensorConfig& base, const AnalogSettings& analog,
                          const PropoReferences& transmitter);

// The board's whole stored configuration.
struct BoardConfig {
  BoardOptionsData options;
  TrimSet trim{};
  std::array<ChannelNameBytes, kChannels> names{};  // as stored
  std::map<int, ServoRecord> records;               // channel 1..24 with the SVL bit
  SensorConfig sensors;
};

// Sleep on, every read, sleep off. On failure `failed` names what could not be read; the board
// is woken after a failed read too.
std::optional<BoardConfig> ReadBoardConfig(BoardLink& link, std::string* failed = nullptr);

// Sleep on, every setting written to the stored copies with the dialogs' flag bytes (the mode
// word to the working copy too), records written whole, sleep off whatever the writes gave (or
// the sleep).
// False when something failed; `failed` names the first write that did.
bool WriteBoardConfig(BoardLink& link, const BoardConfig& config, std::string* failed = nullptr);

// The settings that differ between two configurations, named for the user: by the configuration
// file's key where the setting has one (those stay as written), otherwise in words.
std::vector<std::string> ConfigDifferences(const BoardConfig& want, const BoardConfig& got);

}  // namespace brv3
