#include "core/board/SensorSettings.h"

#include <algorithm>
#include <cstdlib>

#include "core/board/ReplyBytes.h"
#include "core/motion/MixWords.h"

namespace brv3 {

AdReferences DecodeAdReferences(const std::array<uint8_t, 6>& bytes) {
  AdReferences refs{};
  for (size_t k = 0; k < refs.size(); ++k)
    refs[k] = static_cast<uint16_t>(bytes[2 * k] << 8 | bytes[2 * k + 1]);
  return refs;
}

MixFactors DecodeMixTable(const MixTableBytes& bytes) {
  MixFactors factors{};
  for (size_t c = 0; c < bytes.size(); ++c) factors[c] = MixFactorFromByte(bytes[c]);
  return factors;
}

MixTableBytes EncodeMixTable(const MixFactors& factors) {
  MixTableBytes bytes{};
  for (size_t c = 0; c < bytes.size(); ++c) bytes[c] = MixFactorByte(factors[c]);
  return bytes;
}

SensorTriggers DecodeAdSettings(const AdSettingsBytes& bytes) {
  SensorTriggers triggers{};
  for (size_t t = 0; t < triggers.size(); ++t) {
    const uint8_t high = bytes[6 + 2 * t];
    const uint8_t low = bytes[7 + 2 * t];
    const uint8_t motion = bytes[t];
    const int magnitude = (high & 0x03) * 256 + low;
    triggers[t].threshold = (high & 0x80) ? -magnitude : magnitude;
    triggers[t].motion = (motion <= kLastBoardSlot && (high & 0x40)) ? motion + 1 : 0;
  }
  return triggers;
}

AdSettingsBytes EncodeAdSettings(const SensorTriggers& triggers) {
  AdSettingsBytes bytes{};
  for (size_t t = 0; t < triggers.size(); ++t) {
    const int threshold = std::clamp(triggers[t].threshold, -kThresholdLimit, kThresholdLimit);
    const bool motion = triggers[t].motion >= 1 && triggers[t].motion <= kLastBoardSlot + 1;
    bytes[t] = motion ? static_cast<uint8_t>(triggers[t].motion - 1) : 0xFF;
    int word = std::abs(threshold);
    if (threshold < 0) word |= 0x8000;
    if (motion) word |= 0x4000;
    bytes[6 + 2 * t] = static_cast<uint8_t>(word >> 8);
    bytes[7 + 2 * t] = static_cast<uint8_t>(word & 0xFF);
  }
  return bytes;
}

AdSettingsBytes MergeAdSettings(const AdSettingsBytes& base, const SensorTriggers& triggers) {
  const SensorTriggers held = DecodeAdSettings(base);
  const AdSettingsBytes encoded = EncodeAdSettings(triggers);
  AdSettingsBytes bytes = base;
  for (size_t t = 0; t < triggers.size(); ++t) {
    if (held[t] == triggers[t]) continue;
    for (size_t i : {t, 6 + 2 * t, 7 + 2 * t}) bytes[i] = encoded[i];
  }
  return bytes;
}

MixTableBytes MergeMixTable(const MixTableBytes& base, const MixFactors& factors) {
  MixTableBytes bytes = base;
  for (size_t c = 0; c < bytes.size(); ++c)
    if (MixFactorFromByte(base[c]) != factors[c]) bytes[c] = MixFactorByte(factors[c]);
  return bytes;
}

std::optional<AdReferences> SensorBoardLink::ReadAdReferences(Area area) {
  Bytes reply;
  const bool ok = link_.ReadAdCalibration(area, reply);
  const auto bytes = FirstBytes<6>(ok, reply);
  if (!bytes) return std::nullopt;
  return DecodeAdReferences(*bytes);
}

bool SensorBoardLink::WriteAdReferences(Area area, const AdReferences& references) {
  return link_.WriteAdCalibration(area, references);
}

void SensorBoardLink::SetAdReferenceLive(int input, uint16_t value) {
  link_.SetAdCalibrationLive(input, value);
}

std::optional<MixTableBytes> SensorBoardLink::ReadMixTable(Area area, int table) {
  Bytes reply;
  const bool ok = link_.ReadMixTable(area, table, reply);
  return FirstBytes<kChannels>(ok, reply);
}

bool SensorBoardLink::WriteMixTable(Area area, int table, const MixTableBytes& bytes) {
  return link_.WriteMixTable(area, table, AsBytes(bytes));
}

std::optional<AdSettingsBytes> SensorBoardLink::ReadAdSettings(Area area) {
  Bytes reply;
  const bool ok = link_.ReadAdSettings(area, reply);
  return FirstBytes<18>(ok, reply);
}

bool SensorBoardLink::WriteAdSettings(Area area, const AdSettingsBytes& bytes) {
  return link_.WriteAdSettings(area, AsBytes(bytes));
}

std::optional<PropoReferences> SensorBoardLink::ReadPropoReferences(Area area) {
  Bytes reply;
  const bool ok = link_.ReadPropoSettings(area, reply);
  return FirstBytes<kTransmitterInputs>(ok, reply);
}

bool SensorBoardLink::WritePropoReferences(Area area, const PropoReferences& references) {
  return link_.WritePropoSettings(area, AsBytes(references));
}

bool SensorBoardLink::SetAnalogReport(bool on) {
  return link_.SetAnalogReport(on ? ModeSwitch::On : ModeSwitch::Off);
}

bool SensorBoardLink::SetReceiverReport(bool on) {
  return link_.SetReceiverReport(on ? ModeSwitch::On : ModeSwitch::Off);
}

std::optional<AnalogSettings> ReadStoredAnalogSettings(SensorBoard& board) {
  AnalogSettings settings;
  const auto refs = board.ReadAdReferences(Area::Stored);
  if (!refs) return std::nullopt;
  settings.references = *refs;
  for (int k = 0; k < kAnalogInputs; ++k) {
    const auto table = board.ReadMixTable(Area::Stored, k);
    if (!table) return std::nullopt;
    settings.mix[static_cast<size_t>(k)] = DecodeMixTable(*table);
  }
  const auto triggers = board.ReadAdSettings(Area::Stored);
  if (!triggers) return std::nullopt;
  settings.triggers = DecodeAdSettings(*triggers);
  return settings;
}

}  // namespace brv3
