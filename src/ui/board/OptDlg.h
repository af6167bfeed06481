#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "core/board/BoardOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace brv3 {

class BoardLink;
class SlotLists;
class TableReadNote;
class TPrmDlg;

// The options dialog: every control writes its setting when released; no OK or Cancel.
class TOptDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TOptDlg(BoardLink& link, QWidget* parent = nullptr);

  // The position editor: dresses the channel boxes and takes a new serial-servo mask.
  void SetEditor(TPrmDlg* editor) { editor_ = editor; }
  // The texts of the three motion lists, and the offer to read the table while rows are unread.
  void SetSlotLists(SlotLists* lists);

  // The toolbar button: sleep, load, wake, then modal. False when the board could not be read.
  bool Run();
  bool Prepare();

  // What each control does on release.
  void ModeControlReleased();
  void StartListClosed();
  void AlarmReleased();
  void SerialBoxReleased();
  void SvlBoxReleased();

  OptionChoices Choices() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill(const BoardOptionsData& data);
  // Fills the three motion lists from the slot lists, keeping each list's choice.
  void FillMotionLists();
  void ShowVolt();

  BoardOptions options_;
  TPrmDlg* editor_ = nullptr;
  SlotLists* lists_ = nullptr;
  TableReadNote* tableNote_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QCheckBox* check5_ = nullptr;
  QCheckBox* check7_ = nullptr;
  QComboBox* btnList_ = nullptr;
  QComboBox* startList_ = nullptr;
  QComboBox* alarmList_ = nullptr;
  QComboBox* cycleList_ = nullptr;
  QLineEdit* voltEdit_ = nullptr;
  QSpinBox* voltBtn_ = nullptr;
  std::array<QCheckBox*, kChannels> ssv_{};
  std::array<QCheckBox*, kChannels> svl_{};
};

}  // namespace brv3
