#include "cli/ConfigJson.h"

#include <cmath>
#include <iostream>
#include <sstream>

#include "cli/BackupManifest.h"
#include "cli/CliCommands.h"
#include "cli/SensorJson.h"
#include "core/board/RecordFields.h"
#include "core/comm/BoardLink.h"
#include "core/util/Cp932.h"
#include "core/util/Prompter.h"
#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

constexpr uint16_t kOwnedBits = kModeRemotePlay | kModeStartSwitch | kModePowerUpMotion |
                                kModeLowVoltage | kModePlaybackReport | kOptTimebase | kOptZlt1;
// The largest threshold whose raw value fits the board's 16 bits.
constexpr int kMaxStoredVoltTenths = 10065;

std::string LowerHex(const uint8_t* data, size_t size) {
  std::string text = HexDigits(data, size);
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

template <size_t N>
std::string LowerHex(const std::array<uint8_t, N>& a) {
  return LowerHex(a.data(), a.size());
}

json RecordJson(const ServoRecord& r) {
  json j = {{"format", r.format == RecordFormat::Long ? "long" : "short"},
            {"bytes", LowerHex(r.bytes.data(), r.bytes.size())}};
  for (const RecordField& field : RecordFields(r.format))
    j[field.key] = field.IsOnOff() ? json(FieldText(field, r)) : json(FieldValue(field, r));
  return j;
}

// Parsing helpers: each returns false and leaves the key in `bad`.
struct Parser {
  std::string& bad;

  const json* Get(const json& parent, const std::string& key, const std::string& path) {
    if (!parent.is_object() || !parent.contains(key)) {
      bad = path;
      return nullptr;
    }
    return &parent.at(key);
  }
  bool Int(const json& v, int64_t min, int64_t max, int64_t& out, const std::string& path) {
    if (!v.is_number_integer() || v.get<int64_t>() < min || v.get<int64_t>() > max) {
      bad = path;
      return false;
    }
    out = v.get<int64_t>();
    return true;
  }
  bool Bool(const json& v, bool& out, const std::string& path) {
    if (!v.is_boolean()) {
      bad = path;
      return false;
    }
    out = v.get<bool>();
    return true;
  }
  bool Slot(const json& v, std::optional<int>& out, const std::string& path) {
    if (v.is_null()) {
      out.reset();
      return true;
    }
    // Exactly as written out: "M5", never "m5".
    if (v.is_string()) {
      const std::string label = v.get<std::string>();
      const std::optional<brv3::Slot> slot = brv3::Slot::Parse(label);
      out = slot && slot->Label() == label ? std::optional<int>(slot->Index()) : std::nullopt;
    }
    if (!v.is_string() || !out) {
      bad = path;
      return false;
    }
    return true;
  }
  bool Option(const json& v, const OptionField& field, OptionChoices& choices,
              const std::string& path) {
    switch (field.kind) {
      case OptionKind::Check:
        return Bool(v, choices.*field.flag, path);
      case OptionKind::Timebase: {
        const std::optional<int> index =
            v.is_string() ? TimebaseIndex(v.get<std::string>()) : std::nullopt;
        if (!index) break;
        choices.*field.item = *index;
        return true;
      }
      case OptionKind::Motion: {
        std::optional<int> slot;
        if (!Slot(v, slot, path)) return false;
        choices.*field.item = slot ? *slot + 1 : 0;  // item 0 is "OFF"
        return true;
      }
      case OptionKind::Volt: {
        // Whole tenths of a volt within what the board stores.
        const double volts = v.is_number() ? v.get<double>() : -1.0;
        const double tenths = std::round(volts * 10.0);
        if (!v.is_number() || tenths < 0 || tenths > kMaxStoredVoltTenths ||
            std::fabs(volts * 10.0 - tenths) > 1e-6)
          break;
        choices.*field.item = static_cast<int>(tenths);
        return true;
      }
    }
    bad = path;
    return false;
  }
  bool Mask(const json& v, ChannelMask& mask, const std::string& path) {
    std::array<bool, kChannels> boxes{};
    if (!v.is_array()) {
      bad = path;
      return false;
    }
    // Each channel at most once: a list longer than the channels, or naming one twice, is a
    // mistake, not a mask.
    if (v.size() > kChannels) {
      bad = path;
      return false;
    }
    for (const json& n : v) {
      int64_t channel = 0;
      if (!Int(n, 1, kChannels, channel, path)) return false;
      if (boxes[static_cast<size_t>(channel - 1)]) {
        bad = path;
        return false;
      }
      boxes[static_cast<size_t>(channel - 1)] = true;
    }
    mask = MaskOf(boxes);
    return true;
  }
  template <size_t N>
  bool HexBytes(const json& v, std::array<uint8_t, N>& out, const std::string& path) {
    std::optional<Bytes> bytes;
    if (v.is_string()) bytes = ParseHexDigits(v.get<std::string>());
    if (!bytes || bytes->size() != N) {
      bad = path;
      return false;
    }
    std::copy(bytes->begin(), bytes->end(), out.begin());
    return true;
  }
  bool HexTables(const json& v, std::array<MixTableBytes, kAnalogInputs>& out,
                 const std::string& path) {
    if (!v.is_array() || v.size() != out.size()) {
      bad = path;
      return false;
    }
    for (size_t t = 0; t < out.size(); ++t)
      if (!HexBytes(v[t], out[t], path + "[" + std::to_string(t) + "]")) return false;
    return true;
  }
};

}  // namespace

json ConfigToJson(const BoardConfig& c) {
  const BoardOptionsData& o = c.options;
  const OptionChoices choices = o.Choices();
  json options = json::object();
  for (const OptionField& field : kOptionFields) {
    const int item = field.item ? choices.*field.item : 0;
    switch (field.kind) {
      case OptionKind::Check:
        options[field.key] = choices.*field.flag;
        break;
      case OptionKind::Timebase:
        options[field.key] = TimebaseText(item);
        break;
      case OptionKind::Motion:
        options[field.key] = item == 0 ? json(nullptr) : json(Slot::LabelOf(item - 1));
        break;
      case OptionKind::Volt:
        options[field.key] = item / 10.0;
        break;
    }
  }
  json trim = json::array();
  json names = json::array();
  for (size_t i = 0; i < kChannels; ++i) {
    trim.push_back(c.trim[i]);
    names.push_back(NameText(c.names[i]));
  }
  json records = json::object();
  for (const auto& [n, record] : c.records) records[std::to_string(n)] = RecordJson(record);
  // The typed analog settings, plus the stored bytes they do not carry when the board holds any.
  json analog = AnalogToJson(AnalogOf(c.sensors));
  json raw = json::object();
  if (!TriggersCarryEveryByte(c.sensors)) raw["settings"] = LowerHex(c.sensors.adSettings);
  if (!MixCarriesEveryByte(c.sensors)) {
    json mix = json::array();
    for (const auto& table : c.sensors.mixTables) mix.push_back(LowerHex(table));
    raw["mix_tables"] = std::move(mix);
  }
  if (!raw.empty()) analog["raw"] = std::move(raw);
  return {{"mode_word", o.modeWord},
          {"options", std::move(options)},
          {"serial_servo_channels", MaskChannels(o.serialMask)},
          {"svl_channels", MaskChannels(o.svlMask)},
          {"trim", std::move(trim)},
          {"channel_names", std::move(names)},
          {"servo_records", std::move(records)},
          {"analog", std::move(analog)},
          {"transmitter", TransmitterToJson(c.sensors.transmitter)}};
}

std::string ConfigToText(const BoardConfig& c) {
  const json j = ConfigToJson(c);
  std::ostringstream out;
  auto motion = [](const json& v) {
    return v.is_null() ? std::string("OFF") : v.get<std::string>();
  };
  auto onOff = [](const json& v) {
    return v.get<bool>() ? Tr("ConfigJson", "on") : Tr("ConfigJson", "off");
  };
  auto channels = [](const json& list) {
    std::string text;
    for (const json& n : list) text += (text.empty() ? "" : " ") + std::to_string(n.get<int>());
    return text.empty() ? Tr("ConfigJson", "none") : text;
  };
  const json& o = j["options"];
  char word[8];
  std::snprintf(word, sizeof word, "%04X", c.options.modeWord);
  out << Args(Tr("ConfigJson", "Mode word: 0x%1"), {word}) << "\n"
      << Args(Tr("ConfigJson", "Motion replay: %1"), {onOff(o["motion_replay"])}) << "\n"
      << Args(Tr("ConfigJson", "Remote playback: %1"), {onOff(o["remote_playback"])}) << "\n"
      << Args(Tr("ConfigJson", "ZLT-1: %1"), {onOff(o["zlt1"])}) << "\n"
      << Args(Tr("ConfigJson", "Timebase: %1"), {o["timebase"].get<std::string>()}) << "\n"
      << Args(Tr("ConfigJson", "Start switch motion: %1"), {motion(o["start_switch_motion"])})
      << "\n"
      << Args(Tr("ConfigJson", "Power-up motion: %1"), {motion(o["power_up_motion"])}) << "\n"
      << Args(Tr("ConfigJson", "Low power motion: %1"), {motion(o["low_voltage_motion"])}) << "\n"
      << Args(Tr("ConfigJson", "Low voltage: %1"), {VoltText(RawToVoltTenths(c.options.VoltRaw()))})
      << "\n"
      << Args(Tr("ConfigJson", "Serial servo channels: %1"), {channels(j["serial_servo_channels"])})
      << "\n"
      << Args(Tr("ConfigJson", "SVL channels: %1"), {channels(j["svl_channels"])}) << "\n"
      << Tr("ConfigJson", "Channel\tName\tTrim offset") << "\n";
  for (size_t i = 0; i < kChannels; ++i)
    out << "CH" << i + 1 << "\t" << NameText(c.names[i]) << "\t"
        << static_cast<int>(c.trim[i]) - kTrimCentre << "\n";
  if (!c.records.empty()) {
    for (size_t k = 0; k < kServoListColumns.size(); ++k)
      out << (k ? "\t" : "") << kServoListColumns[k];
    out << "\n";
    for (const auto& [n, record] : c.records) {
      const ServoListRow row = ServoListRowFor(n, NameText(c.names[static_cast<size_t>(n - 1)]),
                                               true, record.format == RecordFormat::Long, &record);
      for (size_t k = 0; k < row.size(); ++k) out << (k ? "\t" : "") << row[k];
      out << "\n";
    }
  }
  const AnalogSettings analog = AnalogOf(c.sensors);
  auto numbers = [](const auto& list) {
    std::string text;
    for (const auto& n : list) text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
  };
  out << Args(Tr("ConfigJson", "Analog references: %1"), {numbers(analog.references)}) << "\n";
  for (size_t k = 0; k < analog.mix.size(); ++k)
    out << Args(Tr("ConfigJson", "AD%1 mixing: %2"),
                {std::to_string(k + 1), numbers(analog.mix[k])})
        << "\n";
  for (const json& t : j["analog"]["triggers"])
    out << Args(Tr("ConfigJson", "Trigger %1: %2 at %3"),
                {t["input"].get<std::string>(), motion(t["motion"]),
                 std::to_string(t["threshold"].get<int>())})
        << "\n";
  out << Args(Tr("ConfigJson", "Transmitter references: %1"), {numbers(c.sensors.transmitter)})
      << "\n";
  return out.str();
}

namespace {

// The layout of earlier versions: the analog and transmitter settings as stored bytes.
bool ParseOldSensorLayout(Parser& p, const json& analog, const json& transmitter, ConfigFile& f) {
  SensorConfig s;
  int64_t value = 0;
  const json* v = p.Get(analog, "settings", "analog.settings");
  if (!v || !p.HexBytes(*v, s.adSettings, "analog.settings")) return false;
  v = p.Get(analog, "mix_tables", "analog.mix_tables");
  if (!v || !p.HexTables(*v, s.mixTables, "analog.mix_tables")) return false;
  v = p.Get(analog, "calibration", "analog.calibration");
  if (!v) return false;
  if (!v->is_array() || v->size() != 3) {
    p.bad = "analog.calibration";
    return false;
  }
  for (size_t i = 0; i < 3; ++i) {
    if (!p.Int((*v)[i], 0, 0xFFFF, value, "analog.calibration")) return false;
    s.calibration[i] = static_cast<uint16_t>(value);
  }
  v = p.Get(transmitter, "settings", "transmitter.settings");
  if (!v || !p.HexBytes(*v, s.transmitter, "transmitter.settings")) return false;
  f.analog = AnalogOf(s);
  f.transmitter = s.transmitter;
  f.rawSettings = s.adSettings;
  f.rawMix = s.mixTables;
  return true;
}

}  // namespace

bool ParseConfigJson(const json& j, ConfigFile& f, std::string& bad) {
  Parser p{bad};
  if (!j.is_object()) {
    bad = Tr("ConfigJson", "(the file is not a JSON object)");
    return false;
  }
  int64_t value = 0;
  const json* v = p.Get(j, "mode_word", "mode_word");
  if (!v || !p.Int(*v, 0, 0xFFFF, value, "mode_word")) return false;
  f.modeWord = static_cast<uint16_t>(value);

  const json* o = p.Get(j, "options", "options");
  if (!o || !o->is_object()) {
    bad = "options";
    return false;
  }
  for (const OptionField& field : kOptionFields) {
    const std::string path = std::string("options.") + field.key;
    v = p.Get(*o, field.key, path);
    if (!v || !p.Option(*v, field, f.choices, path)) return false;
  }

  BoardOptionsData& data = f.config.options;
  v = p.Get(j, "serial_servo_channels", "serial_servo_channels");
  if (!v || !p.Mask(*v, data.serialMask, "serial_servo_channels")) return false;
  v = p.Get(j, "svl_channels", "svl_channels");
  if (!v || !p.Mask(*v, data.svlMask, "svl_channels")) return false;

  v = p.Get(j, "trim", "trim");
  if (!v) return false;
  if (!v->is_array() || v->size() != kChannels) {
    bad = "trim";
    return false;
  }
  for (size_t i = 0; i < kChannels; ++i) {
    if (!p.Int((*v)[i], 0, 0xFFFF, value, "trim")) return false;
    f.config.trim[i] = static_cast<uint16_t>(value);
  }

  v = p.Get(j, "channel_names", "channel_names");
  if (!v) return false;
  if (!v->is_array() || v->size() != kChannels) {
    bad = "channel_names";
    return false;
  }
  for (size_t i = 0; i < kChannels; ++i) {
    const json& name = (*v)[i];
    // A NUL would end the name on the board part-way through what was asked for.
    if (!name.is_string() || Utf8ToCp932(name.get<std::string>()).size() > 32 ||
        name.get<std::string>().find('\0') != std::string::npos) {
      bad = "channel_names[" + std::to_string(i) + "]";
      return false;
    }
    f.config.names[i] = NameBytes(name.get<std::string>());
  }

  const json* records = p.Get(j, "servo_records", "servo_records");
  if (!records) return false;
  if (!records->is_object()) {
    bad = "servo_records";
    return false;
  }
  f.config.records.clear();
  for (int n : MaskChannels(data.svlMask)) {
    const std::string path = "servo_records." + std::to_string(n);
    const json* r = p.Get(*records, std::to_string(n), path);
    if (!r) return false;
    const bool serial = MaskHasChannel(data.serialMask, n);
    const json* format = p.Get(*r, "format", path + ".format");
    if (!format) return false;
    if (*format != (serial ? "long" : "short")) {
      bad = path + ".format";
      return false;
    }
    const RecordFormat fmt = serial ? RecordFormat::Long : RecordFormat::Short;
    const json* hex = p.Get(*r, "bytes", path + ".bytes");
    if (!hex) return false;
    std::optional<Bytes> bytes;
    if (hex->is_string()) bytes = ParseHexDigits(hex->get<std::string>());
    if (!bytes || bytes->size() != RecordSize(fmt)) {
      bad = path + ".bytes";
      return false;
    }
    f.config.records[n] = ServoRecord{fmt, *bytes};
  }
  for (const auto& item : records->items()) {
    const std::optional<int> slot = std::isdigit(static_cast<unsigned char>(item.key()[0]))
                                        ? std::optional<int>(std::atoi(item.key().c_str()))
                                        : std::nullopt;
    if (!slot || std::to_string(*slot) != item.key() || !f.config.records.count(*slot)) {
      bad = "servo_records." + item.key();
      return false;
    }
  }

  const json* analog = p.Get(j, "analog", "analog");
  const json* transmitter = p.Get(j, "transmitter", "transmitter");
  if (!analog || !transmitter) return false;
  if (analog->is_object() && analog->contains("settings") && !analog->contains("references"))
    return ParseOldSensorLayout(p, *analog, *transmitter, f);
  if (!ParseAnalogJson(*analog, "analog", f.analog, bad) ||
      !ParseTransmitterJson(*transmitter, "transmitter", f.transmitter, bad))
    return false;
  f.rawSettings.reset();
  f.rawMix.reset();
  const json* raw = analog->contains("raw") ? &analog->at("raw") : nullptr;
  if (!raw) return true;
  if (!raw->is_object()) {
    bad = "analog.raw";
    return false;
  }
  if (raw->contains("settings")) {
    f.rawSettings.emplace();
    if (!p.HexBytes(raw->at("settings"), *f.rawSettings, "analog.raw.settings")) return false;
  }
  if (raw->contains("mix_tables")) {
    f.rawMix.emplace();
    return p.HexTables(raw->at("mix_tables"), *f.rawMix, "analog.raw.mix_tables");
  }
  return true;
}

int ReadConfigFile(const std::string& path, ConfigFile& file, std::ostream& err) {
  std::string error;
  const std::optional<std::string> text = ReadWholeFile(path, &error);
  if (!text) {
    err << (error.empty() ? Args(Tr("ConfigJson", "Cannot read %1"), {path})
                          : Args(Tr("ConfigJson", "Cannot read %1: %2"), {path, error}))
        << "\n";
    return kExitBadInput;
  }
  const json j = json::parse(*text, nullptr, false);
  std::string bad;
  if (j.is_discarded()) {
    err << Args(Tr("ConfigJson", "%1: not valid JSON"), {path}) << "\n";
    return kExitBadInput;
  }
  if (!ParseConfigJson(j, file, bad)) {
    err << Args(Tr("ConfigJson", "%1: bad or missing value: %2"), {path, bad}) << "\n";
    return kExitBadInput;
  }
  return kExitOk;
}

BoardConfig MergeConfig(const ConfigFile& f, const BoardConfig& board) {
  BoardConfig c = f.config;
  BoardOptionsData& o = c.options;
  o.modeWord = static_cast<uint16_t>((f.modeWord & ~kOwnedBits) |
                                     (ApplyOptionBits(0, f.choices) & kOwnedBits));
  o.startMotions = board.options.startMotions;
  // A motion list on "OFF" keeps the board's byte.
  const OptionChoices& chosen = f.choices;
  if (chosen.startSwitchItem) o.startMotions[0] = static_cast<uint8_t>(chosen.startSwitchItem - 1);
  if (chosen.powerUpItem) o.startMotions[1] = static_cast<uint8_t>(chosen.powerUpItem - 1);
  o.alarm[0] = chosen.lowVoltageItem ? static_cast<uint8_t>(chosen.lowVoltageItem - 1)
                                     : board.options.alarm[0];
  const uint16_t raw = VoltTenthsToRaw(f.choices.voltTenths);
  o.alarm[1] = static_cast<uint8_t>(raw >> 8);
  o.alarm[2] = static_cast<uint8_t>(raw & 0xFF);
  SensorConfig base = board.sensors;
  if (f.rawSettings) base.adSettings = *f.rawSettings;
  if (f.rawMix) base.mixTables = *f.rawMix;
  c.sensors = MergeSensors(base, f.analog, f.transmitter);
  return c;
}

std::optional<BoardConfig> ReadConfigFromBoard(BoardLink& link, std::ostream& err,
                                               const std::string& failure) {
  std::string failed;
  std::optional<BoardConfig> config = ReadBoardConfig(link, &failed);
  if (!config) {
    failed.clear();
    config = ReadBoardConfig(link, &failed);
  }
  if (config) return config;
  const LinkFault cause = link.LastFault();
  err << failure << " (" << failed;
  if (cause != LinkFault::None) err << ": " << LinkFaultText(cause);
  err << ")\n";
  return std::nullopt;
}

int LoadConfigOntoBoard(BoardLink& link, Prompter& prompter, const ConfigFile& file,
                        std::ostream& err) {
  const std::optional<BoardConfig> board = ReadConfigFromBoard(
      link, err, Tr("ConfigJson", "The board's configuration could not be read"));
  if (!board) return kExitFailure;
  std::string failed;
  const BoardConfig want = MergeConfig(file, *board);
  if (want.options.serialMask != board->options.serialMask ||
      want.options.svlMask != board->options.svlMask) {
    const int answer = prompter.MsgBox(
        MsgKind::Question, MsgButtons::YesNo,
        Tr("ConfigJson",
           "The file changes the serial-servo or SVL channels; the board takes them at its next "
           "power-up. Write the configuration?"),
        kEnglish);
    if (answer != IdYes) {
      err << Tr("ConfigJson", "Nothing was written") << "\n";
      return kExitFailure;
    }
  }
  if (!WriteBoardConfig(link, want, &failed)) {
    err << Args(Tr("ConfigJson", "Writing the configuration failed (%1)"), {failed}) << "\n";
    return kExitFailure;
  }
  const std::optional<BoardConfig> got =
      ReadConfigFromBoard(link, err, Tr("ConfigJson", "The configuration could not be read back"));
  if (!got) return kExitFailure;
  const std::vector<std::string> diff = ConfigDifferences(want, *got);
  for (const std::string& d : diff)
    err << Args(Tr("ConfigJson", "Differs after writing: %1"), {d}) << "\n";
  return diff.empty() ? kExitOk : kExitFailure;
}

int SaveConfigFromBoard(BoardLink& link, const std::string& path, std::ostream& err) {
  const std::optional<BoardConfig> config = ReadConfigFromBoard(
      link, err, Tr("ConfigJson", "The board's configuration could not be read"));
  if (!config) return kExitFailure;
  std::string error;
  if (!WriteFileAtomically(path, ConfigToJson(*config).dump(2) + "\n", &error)) {
    err << (error.empty() ? Args(Tr("ConfigJson", "Cannot write %1"), {path})
                          : Args(Tr("ConfigJson", "Cannot write %1: %2"), {path, error}))
        << "\n";
    return kExitCannotSave;
  }
  return kExitOk;
}

}  // namespace brv3::cli
