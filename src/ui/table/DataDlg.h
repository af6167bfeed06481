#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLineEdit;
class QPushButton;

namespace brv3 {

class BoardLink;
class ChartHistory;
class MotionTable;

// Edits the name and remote-control code of one motion table entry (0 ... 84), or of the chart
// open in the main window (-1), whose header changes through its history (one undoable step).
// "Capture" reads the last code the board received.
class TDataDlg : public QDialog {
  Q_OBJECT
 public:
  TDataDlg(BoardLink& link, MotionTable& table, ChartHistory& history, QWidget* parent = nullptr);

  // Fills the name and code boxes for entry `index` (-1: the open chart).
  void ShowEntry(int index);
  // The open chart's name and code, edited modally with the board's remote input switched off.
  void ShowForChart();
  // A remote-control report from the board: its code goes into the code box.
  void RemoteCodeArrived(uint16_t code);

  QLineEdit* MotName() const { return motName_; }
  QLineEdit* CntEdit() const { return cntEdit_; }

  // Commas and double quotes would break the comma lists built from the names.
  static std::string CleanName(const std::string& name);
  // The code box as a code 0 ... 65535, or `fallback` when it holds anything else.
  static int32_t CodeFromText(const QString& text, int32_t fallback);

  void CaptureClick();
  void OkClick();
  void CancelClick();

 private:
  BoardLink& link_;
  MotionTable& table_;
  ChartHistory& history_;
  int index_ = -1;
  QLineEdit* motName_ = nullptr;
  QLineEdit* cntEdit_ = nullptr;
};

}  // namespace brv3
