#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/board/SensorDialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabBar;

namespace brv3 {

class ChannelLook;
class NotifyingCombo;
class SlotLists;
class TableReadNote;

// The analog-input dialog: modal, loaded from the board before it shows, saved after it closes.
class TAdDlg : public QDialog {
  Q_OBJECT
 public:
  // `discardReports` drops partly received report bytes before the report is switched on.
  TAdDlg(AnalogInputs& model, SensorBoard& board, const ChannelLook* look,
         std::function<void()> discardReports, QWidget* parent = nullptr);

  // The whole round; `slotItems` are the motion table's 85 rows for the motion lists.
  DialogRun Run(const std::vector<std::string>& slotItems);
  // The offer to read the table while rows are unread; the motion lists follow a read.
  void SetSlotLists(SlotLists* lists);
  void ReportArrived(const AnalogReport& report);
  AnalogInputs& Model() { return model_; }

 private:
  void Dress(const std::vector<std::string>& slotItems);
  void FillMotionLists(const std::vector<std::string>& slotItems);
  void ShowTab();
  void ShowReadout();

  AnalogInputs& model_;
  SensorBoard& board_;
  const ChannelLook* look_;
  std::function<void()> discardReports_;
  QTabBar* tabs_ = nullptr;
  std::array<QLabel*, 24> names_{};
  std::array<NotifyingCombo*, 24> mixLists_{};
  QLineEdit* calEdit_ = nullptr;
  QScrollBar* reference_ = nullptr;
  QLineEdit* adcEdit_ = nullptr;
  QLineEdit* rifEdit_ = nullptr;
  std::array<QLineEdit*, 2> thresholdEdits_{};
  std::array<QScrollBar*, 2> thresholds_{};
  std::array<NotifyingCombo*, 2> motionLists_{};
  std::array<QLineEdit*, 4> volts_{};
  SlotLists* lists_ = nullptr;
  TableReadNote* tableNote_ = nullptr;
};

// The transmitter-input dialog: modal, the receiver report running while it shows.
class TPropoDlg : public QDialog {
  Q_OBJECT
 public:
  TPropoDlg(TransmitterInputs& model, SensorBoard& board, QWidget* parent = nullptr);

  // The whole round; failures go to `status` as "Connection failed".
  DialogRun Run(const std::function<void(const std::string&)>& status);
  void ReportArrived(const RemoteReport& report);
  TransmitterInputs& Model() { return model_; }
  void ShowAll();

 private:
  TransmitterInputs& model_;
  SensorBoard& board_;
  std::array<QScrollBar*, 4> sliders_{};
  std::array<QLineEdit*, 4> cal_{};
  std::array<QLineEdit*, 4> adc_{};
  std::array<QLineEdit*, 4> rif_{};
  QLineEdit* button_ = nullptr;
};

}  // namespace brv3
