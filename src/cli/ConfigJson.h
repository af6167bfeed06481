#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/board/BoardConfig.h"

namespace brv3 {
class BoardLink;
class Prompter;
}  // namespace brv3

namespace brv3::cli {

using json = nlohmann::ordered_json;

constexpr const char* kConfigFileName = "config.json";

// The configuration as `config --json` prints it, and as readable text.
json ConfigToJson(const BoardConfig& config);
std::string ConfigToText(const BoardConfig& config);

// A configuration file's settings. A motion list on "OFF" (none in the file) keeps the
// start-motion or low-voltage byte the board holds. The analog settings go
// over `sensorBytes` when the file keeps the bytes the typed values do not carry, else over the
// board's own bytes (see MergeSensors).
struct ConfigFile {
  BoardConfig config;  // masks, trim, names, records from the file
  uint16_t modeWord = 0;
  OptionChoices choices;
  AnalogSettings analog;
  PropoReferences transmitter{};
  std::optional<AdSettingsBytes> rawSettings;
  std::optional<std::array<MixTableBytes, kAnalogInputs>> rawMix;
};

// Checks every key and range; false with `badKey` naming the first offending key.
bool ParseConfigJson(const json& j, ConfigFile& file, std::string& badKey);
// Reads and parses FILE; an exit code (2 with the key named on `err`).
int ReadConfigFile(const std::string& path, ConfigFile& file, std::ostream& err);

// What the board will hold: the file's settings over the board's current bytes.
BoardConfig MergeConfig(const ConfigFile& file, const BoardConfig& board);

// Reads the board's stored configuration, board asleep meanwhile. Read-only, so a failed read is
// tried once more; when that fails too, `failure` is printed with what could not be read and why
// ("trim: the board did not answer"), the board is woken and nullopt returned.
std::optional<BoardConfig> ReadConfigFromBoard(BoardLink& link, std::ostream& err,
                                               const std::string& failure);

// Reads the board, asks before changing either channel mask, writes, reads back and names the
// differences. An exit code.
int LoadConfigOntoBoard(BoardLink& link, Prompter& prompter, const ConfigFile& file,
                        std::ostream& err);
// Reads the board and writes the JSON to `path` atomically. An exit code.
int SaveConfigFromBoard(BoardLink& link, const std::string& path, std::ostream& err);

}  // namespace brv3::cli
