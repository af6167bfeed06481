#pragma once

#include <QRect>
#include <QString>
#include <string>

#include "core/util/Prompter.h"

class QComboBox;
class QFont;
class QMessageBox;
class QWidget;

namespace brv3 {

// The language of a box whose caller chose none: the one the windows are shown in.
constexpr int kWindowLanguage = -1;
// kJapanese or kEnglish as given; any other value (kWindowLanguage) the windows' language.
int BoxLanguage(int language);

// Caption of a message-box kind (0..3) in a language (kJapanese, kEnglish or kWindowLanguage);
// empty for a kind outside 0..3.
QString MsgCaption(int kind, int language);

// Gives the standard buttons of `box` their captions in `language` (as MsgCaption takes it).
void SetButtonCaptions(QMessageBox& box, int language);

// The id of the Help button of button set 1 (the box closes on it, unlike OK).
constexpr int kIdHelp = 9;

// The message box: icon and caption of `kind`, the buttons of `buttons`, and `text`. Returns the
// id of the pressed button (IdOk ... IdNo); closing the box answers as its escape button does.
// The caption and the buttons are in `language`.
// With `checked`, a check box captioned `checkText` sits under the text and its state comes back.
int ShowMsgBox(QWidget* parent, MsgKind kind, MsgButtons buttons, const QString& text, int language,
               const QString& checkText = QString(), bool* checked = nullptr);

// An OK message box with `command` shown under `text` and a "Copy command" button
// (CopyCommandBtn) that puts the command on the clipboard and leaves the box open; in the
// windows' language.
void ShowCommandMsgBox(QWidget* parent, MsgKind kind, const QString& text, const QString& command);

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRound(int a, int b, int c);

// Geometry of the two input dialogs, in pixels of the client area.
struct InputDialogLayout {
  int charWidth = 0;   // average width of the 52 letters
  int charHeight = 0;  // height of the same text
  int clientWidth = 0;
  int labelLeft = 0;
  int labelTop = 0;
  int labelMaxWidth = 0;
  int inputWidth = 0;
  int buttonWidth = 0;
  int buttonHeight = 0;
  int okLeft = 0;
  int cancelLeft = 0;
};
InputDialogLayout ComputeInputDialogLayout(const QFont& font);

// Makes the drop-down list of `combo` a scrolling list of at most `rows` rows in every widget
// style (some styles otherwise open a list as tall as the screen).
void LimitDropDownRows(QComboBox& combo, int rows);

// The number-selection dialog over the shared state: true on OK with state.SelectIndex the chosen
// entry (-1 when none); false on Cancel or close, leaving the state as it was.
bool RunNumberSelectDialog(QWidget* parent, NumberSelectState& state);

// One-line text input: true on OK with `value` replaced; false leaves `value` alone.
bool RunInputTextDialog(QWidget* parent, const QString& caption, const QString& prompt,
                        QString& value);

}  // namespace brv3
