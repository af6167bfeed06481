#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/board/SensorSettings.h"
#include "core/comm/Notifications.h"
#include "core/util/Translate.h"

namespace brv3 {

constexpr const char* kUnknownReading = "----";
// Shown through Tr("SensorDialogs", ...).
constexpr const char* kConnectionFailed = BRV3_TR_NOOP("SensorDialogs", "Connection failed");

// What the analog dialog shows for its current input.
struct AnalogReadout {
  int scroll = 0;                     // ScrollBar1
  std::string cal = "0";              // CalEdit
  std::string adc = kUnknownReading;  // AdcEdit
  std::string rif = kUnknownReading;  // RifEdit
  bool operator==(const AnalogReadout&) const = default;
};

// The analog-input dialog without its widgets: the three references, the three mixing tables
// (as factors), the six triggers and the latest report, with every load, live change and save.
// It lives for the whole run, so the triggers stay readable between openings.
class AnalogInputs {
 public:
  explicit AnalogInputs(SensorBoard& board) : board_(board) {}

  // Reads references, mixing tables and triggers from the stored copy, in that order, stopping
  // at the first failed read.
  bool Load();
  // Writes references, tables 0..2 and the triggers to the stored copy, stopping at the first
  // failure; the triggers are written only after a read of the working copy succeeded.
  bool Save();

  void SelectTab(int input);
  int Tab() const { return tab_; }
  // Whether reports refresh the current input's read-outs (the dialog is visible).
  void SetShowing(bool showing) { showing_ = showing; }

  // ScrollBar1 moved: the reference of the current input, sent live.
  void ReferenceMoved(int position);
  // AutoCalBtn: the board measures the reference; all three are read back from the working copy.
  bool AutoCalibrate();
  // A mixing list of channel 1..24 closed at `index` (factor + 63).
  bool MixListClosed(int channel, int index);
  // The motion list of the current input's first (0) or second (1) trigger closed at `index`.
  bool MotionListClosed(int which, int index);
  // A threshold slider moved, and its movement ended.
  void ThresholdMoved(int which, int position);
  bool ThresholdScrollEnded(int which);

  void Report(const AnalogReport& report);

  const AdReferences& References() const { return references_; }
  const std::array<MixFactors, kAnalogInputs>& Mix() const { return mix_; }
  const SensorTriggers& Triggers() const { return triggers_; }
  std::optional<uint16_t> Measured(int input) const { return measured_[Index(input)]; }
  // The factor list index (factor + 63) of channel 1..24 on the current tab.
  int MixIndex(int channel) const;
  const SensorTrigger& ShownTrigger(int which) const { return triggers_[TriggerIndex(which)]; }
  const AnalogReadout& Readout() const { return readout_; }
  const std::string& VoltageText() const { return voltage_; }                      // Edit3
  const std::string& InputText(int input) const { return inputs_[Index(input)]; }  // Edit4..6

 private:
  static size_t Index(int input) {
    return static_cast<size_t>(input < 0 ? 0 : input > 2 ? 2 : input);
  }
  size_t TriggerIndex(int which) const {
    return static_cast<size_t>(2 * tab_ + (which == 0 ? 0 : 1));
  }
  void ShowCurrent();
  bool WriteTriggers(Area area);

  SensorBoard& board_;
  int tab_ = 0;
  bool showing_ = false;
  AdReferences references_{};
  std::array<MixFactors, kAnalogInputs> mix_{};
  SensorTriggers triggers_{};
  std::array<std::optional<uint16_t>, kAnalogInputs> measured_{};
  AnalogReadout readout_;
  std::string voltage_;
  std::array<std::string, kAnalogInputs> inputs_;
};

struct DialogRun {
  bool shown = false;  // the dialog was shown (its load succeeded)
  bool saved = false;  // everything was written back
};

// The analog dialog's whole round: load (nothing more on failure), discard partly received report
// bytes, analog report on, the modal dialog, report off, save.
DialogRun RunAnalogDialog(AnalogInputs& inputs, SensorBoard& board,
                          const std::function<void()>& discardReportBytes,
                          const std::function<void()>& showModal);

// The transmitter-input dialog without its widgets.
class TransmitterInputs {
 public:
  explicit TransmitterInputs(SensorBoard& board) : board_(board) {}

  bool Load();  // the stored references
  bool Save();

  // Slider i (0..3) moved, and its movement ended (the four references go to the working copy).
  void SliderMoved(int input, int position);
  bool SliderEnded(int input);
  // ACBtn1..4: the board sets reference `input` itself; all four are then read back.
  bool AutoSet(int input);
  void Report(const RemoteReport& report);

  const PropoReferences& References() const { return references_; }
  std::string ReferenceText(int input) const;  // PCal1..4
  std::string MeasuredText(int input) const;   // PAdc1..4
  std::string ChangeText(int input) const;     // PRif1..4
  std::string ButtonText() const;              // BEdit

 private:
  static size_t Index(int input) {
    return static_cast<size_t>(input < 0 ? 0 : input > 3 ? 3 : input);
  }

  SensorBoard& board_;
  PropoReferences references_{};
  std::optional<RemoteReport> report_;
};

// The transmitter dialog's whole round: receiver report on, read the stored references, the modal
// dialog, write them back, receiver report off. Any failure puts "Connection failed" on the
// status box; a failure before the dialog shows stops the round.
DialogRun RunTransmitterDialog(TransmitterInputs& inputs, SensorBoard& board,
                               const std::function<void()>& showModal,
                               const std::function<void(const std::string&)>& status);

}  // namespace brv3
