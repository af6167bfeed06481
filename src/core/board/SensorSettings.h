#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/chart/Chart.h"
#include "core/comm/BoardLink.h"
#include "core/motion/SensorTriggers.h"

namespace brv3 {

constexpr int kAnalogInputs = 3;
constexpr int kTransmitterInputs = 4;
constexpr int kAdReferenceMax = 1023;
constexpr int kThresholdLimit = 1023;
constexpr int kPropoReferenceMax = 127;
constexpr uint8_t kPropoAuto = 0xFF;      // in a write: the board sets that reference itself
constexpr uint16_t kAdAutoLive = 0xFFFF;  // a live reference the board measures itself
constexpr int kLastBoardSlot = 84;

using AdReferences = std::array<uint16_t, kAnalogInputs>;
using MixFactors = std::array<int, kChannels>;  // -63..63 per channel, channel 1 first
using MixTableBytes = std::array<uint8_t, kChannels>;
using AdSettingsBytes = std::array<uint8_t, 18>;
using PropoReferences = std::array<uint8_t, kTransmitterInputs>;

// The analog inputs' stored settings, whole.
struct AnalogSettings {
  AdReferences references{};
  std::array<MixFactors, kAnalogInputs> mix{};
  SensorTriggers triggers{};
  bool operator==(const AnalogSettings&) const = default;
};

AdReferences DecodeAdReferences(const std::array<uint8_t, 6>& bytes);
MixFactors DecodeMixTable(const MixTableBytes& bytes);
MixTableBytes EncodeMixTable(const MixFactors& factors);
// Six triggers from the 18 settings bytes: a motion byte above 84 or a word without bit 14 means
// no motion; bits 0-9 the magnitude, bit 15 the sign.
SensorTriggers DecodeAdSettings(const AdSettingsBytes& bytes);
// The 18 bytes of six triggers: motion byte = slot or 0xFF, word = |threshold| with 0x8000 when
// negative and 0x4000 when a motion is set. Thresholds are held within +-1023.
AdSettingsBytes EncodeAdSettings(const SensorTriggers& triggers);

// The bytes for typed values over the bytes a board holds: every trigger (motion byte and word)
// and every mixing factor that reads the same from `base` keeps its bytes there, the others are
// encoded. So bytes the typed values do not carry (the motion byte of a trigger without motion,
// bits 10-13 of a trigger word, the sign of a zero threshold, a mixing byte without bit 7 or a
// zero factor with bit 7) survive wherever the values were not changed.
AdSettingsBytes MergeAdSettings(const AdSettingsBytes& base, const SensorTriggers& triggers);
MixTableBytes MergeMixTable(const MixTableBytes& base, const MixFactors& factors);

// The analog and transmitter commands, typed; a failed exchange is false or nullopt. Live and
// report switches are single exchanges too.
class SensorBoard {
 public:
  virtual ~SensorBoard() = default;
  virtual std::optional<AdReferences> ReadAdReferences(Area area) = 0;
  virtual bool WriteAdReferences(Area area, const AdReferences& references) = 0;
  virtual void SetAdReferenceLive(int input, uint16_t value) = 0;
  virtual std::optional<MixTableBytes> ReadMixTable(Area area, int table) = 0;
  virtual bool WriteMixTable(Area area, int table, const MixTableBytes& bytes) = 0;
  virtual std::optional<AdSettingsBytes> ReadAdSettings(Area area) = 0;
  virtual bool WriteAdSettings(Area area, const AdSettingsBytes& bytes) = 0;
  virtual std::optional<PropoReferences> ReadPropoReferences(Area area) = 0;
  virtual bool WritePropoReferences(Area area, const PropoReferences& references) = 0;
  // The analog report (mode bit 8) and the remote-control report (mode bit 2) on or off.
  virtual bool SetAnalogReport(bool on) = 0;
  virtual bool SetReceiverReport(bool on) = 0;
};

// The sensor commands over the command set: replies typed, checksum bytes dropped.
class SensorBoardLink final : public SensorBoard {
 public:
  explicit SensorBoardLink(BoardLink& link) : link_(link) {}
  std::optional<AdReferences> ReadAdReferences(Area area) override;
  bool WriteAdReferences(Area area, const AdReferences& references) override;
  void SetAdReferenceLive(int input, uint16_t value) override;
  std::optional<MixTableBytes> ReadMixTable(Area area, int table) override;
  bool WriteMixTable(Area area, int table, const MixTableBytes& bytes) override;
  std::optional<AdSettingsBytes> ReadAdSettings(Area area) override;
  bool WriteAdSettings(Area area, const AdSettingsBytes& bytes) override;
  std::optional<PropoReferences> ReadPropoReferences(Area area) override;
  bool WritePropoReferences(Area area, const PropoReferences& references) override;
  bool SetAnalogReport(bool on) override;
  bool SetReceiverReport(bool on) override;

 private:
  BoardLink& link_;
};

// The stored settings of the three analog inputs; nullopt at the first failed read.
std::optional<AnalogSettings> ReadStoredAnalogSettings(SensorBoard& board);

}  // namespace brv3
