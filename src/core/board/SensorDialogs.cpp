#include "core/board/SensorDialogs.h"

#include <algorithm>

#include "core/motion/MixWords.h"

namespace brv3 {

bool AnalogInputs::Load() {
  readout_.adc = readout_.rif = kUnknownReading;
  const auto refs = board_.ReadAdReferences(Area::Stored);
  if (!refs) return false;
  references_ = *refs;
  ShowCurrent();
  for (int k = 0; k < kAnalogInputs; ++k) {
    const auto table = board_.ReadMixTable(Area::Stored, k);
    if (!table) return false;
    mix_[Index(k)] = DecodeMixTable(*table);
  }
  const auto settings = board_.ReadAdSettings(Area::Stored);
  if (!settings) return false;
  triggers_ = DecodeAdSettings(*settings);
  return true;
}

bool AnalogInputs::Save() {
  if (!board_.WriteAdReferences(Area::Stored, references_)) return false;
  for (int k = 0; k < kAnalogInputs; ++k)
    if (!board_.WriteMixTable(Area::Stored, k, EncodeMixTable(mix_[Index(k)]))) return false;
  return WriteTriggers(Area::Stored);
}

bool AnalogInputs::WriteTriggers(Area area) {
  // The read only proves the board is there; the dialog's six triggers replace what it gave.
  if (!board_.ReadAdSettings(Area::Working)) return false;
  return board_.WriteAdSettings(area, EncodeAdSettings(triggers_));
}

void AnalogInputs::SelectTab(int input) {
  tab_ = static_cast<int>(Index(input));
  ShowCurrent();
}

void AnalogInputs::ShowCurrent() {
  const size_t k = Index(tab_);
  readout_.scroll = references_[k];
  readout_.cal = std::to_string(references_[k]);
  if (measured_[k]) {
    readout_.adc = std::to_string(*measured_[k]);
    readout_.rif = std::to_string(static_cast<int>(*measured_[k]) - references_[k]);
  } else {
    readout_.adc = readout_.rif = kUnknownReading;
  }
}

void AnalogInputs::ReferenceMoved(int position) {
  const uint16_t value = static_cast<uint16_t>(std::clamp(position, 0, kAdReferenceMax));
  references_[Index(tab_)] = value;
  readout_.scroll = value;
  readout_.cal = std::to_string(value);
  board_.SetAdReferenceLive(tab_, value);
}

bool AnalogInputs::AutoCalibrate() {
  board_.SetAdReferenceLive(tab_, kAdAutoLive);
  const auto refs = board_.ReadAdReferences(Area::Working);
  if (!refs) return false;
  references_ = *refs;  // shown with the next report or tab change
  return true;
}

int AnalogInputs::MixIndex(int channel) const {
  if (channel < 1 || channel > kChannels) return kMixFactorLimit;
  return mix_[Index(tab_)][static_cast<size_t>(channel - 1)] + kMixFactorLimit;
}

bool AnalogInputs::MixListClosed(int channel, int index) {
  if (channel < 1 || channel > kChannels) return false;
  MixFactors& table = mix_[Index(tab_)];
  table[static_cast<size_t>(channel - 1)] =
      std::clamp(index - kMixFactorLimit, -kMixFactorLimit, kMixFactorLimit);
  return board_.WriteMixTable(Area::Working, tab_, EncodeMixTable(table));
}

bool AnalogInputs::MotionListClosed(int which, int index) {
  triggers_[TriggerIndex(which)].motion = std::clamp(index, 0, kLastBoardSlot + 1);
  return WriteTriggers(Area::Working);
}

void AnalogInputs::ThresholdMoved(int which, int position) {
  triggers_[TriggerIndex(which)].threshold =
      std::clamp(position, -kThresholdLimit, kThresholdLimit);
}

bool AnalogInputs::ThresholdScrollEnded(int /*which*/) {
  return WriteTriggers(Area::Working);
}

void AnalogInputs::Report(const AnalogReport& report) {
  voltage_ = report.VoltageText();
  inputs_ = report.InputTexts();
  for (size_t k = 0; k < measured_.size(); ++k) measured_[k] = report.Values[k + 1];
  if (showing_) ShowCurrent();
}

DialogRun RunAnalogDialog(AnalogInputs& inputs, SensorBoard& board,
                          const std::function<void()>& discardReportBytes,
                          const std::function<void()>& showModal) {
  DialogRun run;
  if (!inputs.Load()) return run;
  if (discardReportBytes) discardReportBytes();
  board.SetAnalogReport(true);
  run.shown = true;
  inputs.SetShowing(true);
  if (showModal) showModal();
  inputs.SetShowing(false);
  board.SetAnalogReport(false);
  run.saved = inputs.Save();
  return run;
}

bool TransmitterInputs::Load() {
  const auto refs = board_.ReadPropoReferences(Area::Stored);
  if (!refs) return false;
  references_ = *refs;
  return true;
}

bool TransmitterInputs::Save() {
  return board_.WritePropoReferences(Area::Stored, references_);
}

void TransmitterInputs::SliderMoved(int input, int position) {
  references_[Index(input)] = static_cast<uint8_t>(std::clamp(position, 0, kPropoReferenceMax));
}

bool TransmitterInputs::SliderEnded(int /*input*/) {
  return board_.WritePropoReferences(Area::Working, references_);
}

bool TransmitterInputs::AutoSet(int input) {
  PropoReferences bytes = references_;
  bytes[Index(input)] = kPropoAuto;
  if (!board_.WritePropoReferences(Area::Working, bytes)) return false;
  const auto refs = board_.ReadPropoReferences(Area::Working);
  if (!refs) return false;
  references_ = *refs;
  return true;
}

void TransmitterInputs::Report(const RemoteReport& report) {
  report_ = report;
}

std::string TransmitterInputs::ReferenceText(int input) const {
  return std::to_string(references_[Index(input)]);
}

std::string TransmitterInputs::MeasuredText(int input) const {
  if (!report_) return kUnknownReading;
  return std::to_string(report_->Transmitter[Index(input)]);
}

std::string TransmitterInputs::ChangeText(int input) const {
  if (!report_) return kUnknownReading;
  return std::to_string(static_cast<int>(report_->Transmitter[Index(input)]) -
                        references_[Index(input)]);
}

std::string TransmitterInputs::ButtonText() const {
  return report_ ? report_->CodeText() : std::string(kUnknownReading);
}

DialogRun RunTransmitterDialog(TransmitterInputs& inputs, SensorBoard& board,
                               const std::function<void()>& showModal,
                               const std::function<void(const std::string&)>& status) {
  DialogRun run;
  auto fail = [&status] {
    if (status) status(Tr("SensorDialogs", kConnectionFailed));
  };
  if (!board.SetReceiverReport(true)) {
    fail();
    return run;
  }
  if (!inputs.Load()) {
    fail();
    board.SetReceiverReport(false);  // the board is not left reporting
    return run;
  }
  run.shown = true;
  if (showModal) showModal();
  run.saved = inputs.Save();
  if (!run.saved) fail();
  // Switched off even after a failed write, so that the board never keeps reporting.
  board.SetReceiverReport(false);
  return run;
}

}  // namespace brv3
