#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "core/board/Trim.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace brv3 {

class BoardLink;
class Prompter;
class TPrmDlg;

// The trim dialog: one row per channel with the caption, the offset box and the slider. The
// robot follows every change; the stored copy is written when the dialog closes, by any way.
class THomeDlg : public QDialog {
  Q_OBJECT
 public:
  THomeDlg(BoardLink& link, Prompter& prompter, QWidget* parent = nullptr);

  // The position editor whose layout dresses the rows; may be null.
  void SetEditor(TPrmDlg* editor) { editor_ = editor; }

  // The toolbar button: reads the board, then shows the dialog modally. False when the board
  // could not be read (nothing shown).
  bool Run();
  // The reading half of Run, for callers that show the dialog themselves.
  bool Prepare();

  TrimEditor& Editor() { return editor0_; }
  void OpenBtnClick();
  void SaveBtnClick();

 protected:
  void done(int result) override;

 private:
  struct Row {
    QFrame* panel = nullptr;
    QLabel* label = nullptr;
    QLineEdit* edit = nullptr;
    QSlider* scroll = nullptr;
  };
  void ShowRows();
  void Dress();

  Prompter& prompter_;
  TrimEditor editor0_;
  TPrmDlg* editor_ = nullptr;
  std::array<Row, kChannels> rows_{};
  QFrame* panel26_ = nullptr;
  bool updating_ = false;
  bool opened_ = false;
};

}  // namespace brv3
