#include "core/board/BoardConfig.h"

#include <algorithm>

#include "core/board/ChannelNames.h"
#include "core/board/ReplyBytes.h"
#include "core/board/SleepScope.h"
#include "core/comm/BoardLink.h"
#include "core/comm/TableEntry.h"
#include "core/util/Cp932.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

void Fail(std::string* failed, const std::string& what) {
  if (failed && failed->empty()) *failed = what;
}

}  // namespace

bool ReadSensorConfig(BoardLink& link, SensorConfig& s) {
  Bytes reply;
  if (!TakeBytes(link.ReadAdSettings(Area::Stored, reply), reply, s.adSettings)) return false;
  for (int t = 0; t < 3; ++t)
    if (!TakeBytes(link.ReadMixTable(Area::Stored, t, reply), reply,
                   s.mixTables[static_cast<size_t>(t)]))
      return false;
  std::array<uint8_t, 6> calibration{};
  if (!TakeBytes(link.ReadAdCalibration(Area::Stored, reply), reply, calibration)) return false;
  for (size_t i = 0; i < 3; ++i)
    s.calibration[i] = static_cast<uint16_t>(calibration[2 * i] << 8 | calibration[2 * i + 1]);
  return TakeBytes(link.ReadPropoSettings(Area::Stored, reply), reply, s.transmitter);
}

bool WriteSensorConfig(BoardLink& link, const SensorConfig& s) {
  SensorBoardLink board(link);
  if (!board.WriteAdReferences(Area::Stored, s.calibration)) return false;
  for (int t = 0; t < kAnalogInputs; ++t)
    if (!board.WriteMixTable(Area::Stored, t, s.mixTables[static_cast<size_t>(t)])) return false;
  // As the analog dialog does: the settings go only to a board that answered their read.
  if (!board.ReadAdSettings(Area::Working)) return false;
  if (!board.WriteAdSettings(Area::Stored, s.adSettings)) return false;
  return board.WritePropoReferences(Area::Stored, s.transmitter);
}

AnalogSettings AnalogOf(const SensorConfig& s) {
  AnalogSettings analog;
  analog.references = s.calibration;
  for (size_t t = 0; t < s.mixTables.size(); ++t) analog.mix[t] = DecodeMixTable(s.mixTables[t]);
  analog.triggers = DecodeAdSettings(s.adSettings);
  return analog;
}

bool TriggersCarryEveryByte(const SensorConfig& s) {
  return EncodeAdSettings(DecodeAdSettings(s.adSettings)) == s.adSettings;
}

bool MixCarriesEveryByte(const SensorConfig& s) {
  for (const MixTableBytes& table : s.mixTables)
    if (EncodeMixTable(DecodeMixTable(table)) != table) return false;
  return true;
}

SensorConfig MergeSensors(const SensorConfig& base, const AnalogSettings& analog,
                          const PropoReferences& transmitter) {
  SensorConfig s = base;
  s.calibration = analog.references;
  for (size_t t = 0; t < s.mixTables.size(); ++t)
    s.mixTables[t] = MergeMixTable(base.mixTables[t], analog.mix[t]);
  s.adSettings = MergeAdSettings(base.adSettings, analog.triggers);
  s.transmitter = transmitter;
  return s;
}

std::optional<BoardConfig> ReadBoardConfig(BoardLink& link, std::string* failed) {
  SleepScope sleep(link);
  if (!sleep.Begin()) {
    Fail(failed, Tr("BoardConfig", "sleep mode"));
    return std::nullopt;
  }
  BoardConfig config;
  BoardOptions options(link);
  std::optional<BoardOptionsData> data = options.Load();
  if (!data) {
    Fail(failed, "options");
    return std::nullopt;
  }
  config.options = *data;
  Bytes reply;
  const std::optional<TrimSet> trim = ReadStoredTrim(link);
  if (!trim) {
    Fail(failed, "trim");
    return std::nullopt;
  }
  config.trim = *trim;
  for (int n = 1; n <= kChannels; ++n) {
    const std::optional<ChannelNameBytes> name = ReadChannelNameBytes(link, n);
    if (!name) {
      Fail(failed, Args(Tr("BoardConfig", "channel name %1"), {std::to_string(n)}));
      return std::nullopt;
    }
    config.names[static_cast<size_t>(n - 1)] = *name;
  }
  for (int n : MaskChannels(config.options.svlMask)) {
    const bool serial = MaskHasChannel(config.options.serialMask, n);
    const RecordFormat format = serial ? RecordFormat::Long : RecordFormat::Short;
    const bool ok =
        serial ? link.ReadSvlEntryLong(n - 1, reply) : link.ReadSvlEntryShort(n - 1, reply);
    std::optional<ServoRecord> record;
    if (ok) record = ServoRecord::FromBytes(format, reply);
    if (!record) {
      Fail(failed, Args(Tr("BoardConfig", "servo record %1"), {std::to_string(n)}));
      return std::nullopt;
    }
    config.records[n] = *record;
  }
  if (!ReadSensorConfig(link, config.sensors)) {
    Fail(failed, Tr("BoardConfig", "analog and transmitter settings"));
    return std::nullopt;
  }
  if (!sleep.End()) {
    Fail(failed, Tr("BoardConfig", "sleep mode"));
    return std::nullopt;
  }
  return config;
}

bool WriteBoardConfig(BoardLink& link, const BoardConfig& c, std::string* failed) {
  SleepScope sleep(link);
  if (!sleep.Begin()) {
    Fail(failed, Tr("BoardConfig", "sleep mode"));
    return false;
  }
  bool ok = true;
  auto step = [&](bool done, const std::string& what) {
    if (!done) Fail(failed, what);
    ok = ok && done;
    return done;
  };
  const BoardOptionsData& o = c.options;
  if (step(link.WriteModeWord(Area::Stored, o.modeWord), "mode_word"))
    step(link.WriteModeWord(Area::Working, o.modeWord), "mode_word");
  step(link.WriteStartMotions(o.startMotions[0], o.startMotions[1]),
       Tr("BoardConfig", "start motions"));
  step(link.WriteAlarmMotion(o.alarm[0], o.VoltRaw()), Tr("BoardConfig", "low-voltage setting"));
  step(link.WriteSsvChannelMask(AsBytes(o.serialMask)), "serial_servo_channels");
  step(link.WriteSvlChannelMask(AsBytes(o.svlMask)), "svl_channels");
  step(link.WriteTrim(Area::Stored, TrimBytes(c.trim)), "trim");
  for (int n = 1; n <= kChannels; ++n)
    step(WriteChannelNameBytes(link, n, c.names[static_cast<size_t>(n - 1)]), "channel_names");
  for (const auto& [n, record] : c.records) {
    const bool done = record.format == RecordFormat::Long
                          ? link.WriteSvlEntryLong(n - 1, record.bytes)
                          : link.WriteSvlEntryShort(n - 1, record.bytes);
    step(done, "servo_records " + std::to_string(n));
  }
  step(WriteSensorConfig(link, c.sensors), Tr("BoardConfig", "analog and transmitter settings"));
  // The working copy just took the stored word; waking clears only the sleep bit again.
  step(sleep.End(), Tr("BoardConfig", "sleep mode"));
  return ok;
}

std::vector<std::string> ConfigDifferences(const BoardConfig& want, const BoardConfig& got) {
  std::vector<std::string> diff;
  const BoardOptionsData& a = want.options;
  const BoardOptionsData& b = got.options;
  if (a.modeWord != b.modeWord) diff.push_back("mode_word");
  if (a.startMotions != b.startMotions) diff.push_back(Tr("BoardConfig", "start motions"));
  if (a.alarm != b.alarm) diff.push_back(Tr("BoardConfig", "low-voltage setting"));
  if (a.serialMask != b.serialMask) diff.push_back("serial_servo_channels");
  if (a.svlMask != b.svlMask) diff.push_back("svl_channels");
  for (int n = 1; n <= kChannels; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    if (want.trim[i] != got.trim[i]) diff.push_back("trim " + std::to_string(n));
    if (want.names[i] != got.names[i]) diff.push_back("channel_names " + std::to_string(n));
  }
  for (const auto& [n, record] : want.records) {
    auto it = got.records.find(n);
    if (it == got.records.end() || !(it->second == record))
      diff.push_back("servo_records " + std::to_string(n));
  }
  const SensorConfig& s = want.sensors;
  const SensorConfig& t = got.sensors;
  if (s.adSettings != t.adSettings || s.mixTables != t.mixTables || s.calibration != t.calibration)
    diff.push_back("analog");
  if (s.transmitter != t.transmitter) diff.push_back("transmitter");
  return diff;
}

}  // namespace brv3
