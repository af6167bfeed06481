#include "ui/app/MessageDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <cmath>
#include <cstdint>

#include "core/util/CommaText.h"
#include "core/util/Translate.h"
#include "ui/table/TableReadNote.h"

namespace brv3 {

namespace {

const char* const kCaptions[2][4] = {
    {"警告", "情報", "確認", "エラー"},
    {"Warning", "Information", "Question", "Error"},
};

// Captions of the standard buttons, Japanese and English.
struct ButtonCaption {
  QMessageBox::StandardButton button;
  const char* japanese;
  const char* english;
};
const ButtonCaption kButtonCaptions[] = {
    {QMessageBox::Ok, "OK", "OK"},
    {QMessageBox::Cancel, "キャンセル", "Cancel"},
    {QMessageBox::Yes, "はい(&Y)", "&Yes"},
    {QMessageBox::No, "いいえ(&N)", "&No"},
    {QMessageBox::Abort, "中止(&A)", "&Abort"},
    {QMessageBox::Retry, "再試行(&R)", "&Retry"},
    {QMessageBox::Ignore, "無視(&I)", "&Ignore"},
    {QMessageBox::Help, "ヘルプ", "Help"},
    {QMessageBox::Save, "保存(&S)", "&Save"},
    {QMessageBox::Discard, "破棄(&D)", "&Discard"},
};

QString ButtonText(QMessageBox::StandardButton button, int language) {
  for (const ButtonCaption& c : kButtonCaptions)
    if (c.button == button)
      return QString::fromUtf8(BoxLanguage(language) == kJapanese ? c.japanese : c.english);
  return QString();
}

QMessageBox::StandardButtons ButtonSet(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MsgButtons::Help:
      return QMessageBox::Ok | QMessageBox::Help;
    case MsgButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::Ok:
    default:
      return QMessageBox::Ok;
  }
}

int ButtonId(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Cancel:
      return IdCancel;
    case QMessageBox::Abort:
      return IdAbort;
    case QMessageBox::Retry:
      return IdRetry;
    case QMessageBox::Ignore:
      return IdIgnore;
    case QMessageBox::Yes:
      return IdYes;
    case QMessageBox::No:
      return IdNo;
    case QMessageBox::Help:
      return kIdHelp;
    default:
      return IdOk;
  }
}

// The answer of a box closed without a button: Cancel where there is one, No for a Yes/No
// question, else the first button.
int EscapeId(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::AbortRetryIgnore:
      return IdAbort;
    case MsgButtons::OkCancel:
    case MsgButtons::RetryCancel:
    case MsgButtons::YesNoCancel:
      return IdCancel;
    case MsgButtons::YesNo:
      return IdNo;
    default:
      return IdOk;
  }
}

QMessageBox::Icon KindIcon(int kind) {
  switch (kind) {
    case 0:
      return QMessageBox::Warning;
    case 1:
      return QMessageBox::Information;
    case 2:
      return QMessageBox::Question;
    case 3:
      return QMessageBox::Critical;
    default:
      return QMessageBox::NoIcon;
  }
}

void CentreOnScreen(QWidget& dialog) {
  QScreen* screen = dialog.screen();
  if (!screen) return;
  QRect area = screen->availableGeometry();
  dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

// The shared frame of both input dialogs: prompt label, an input control below it, OK and
// Cancel below that, sized from the dialog font.
class InputDialog : public QDialog {
 public:
  // `note`, when given, stands between the input and the buttons.
  InputDialog(QWidget* parent, const QString& caption, const QString& prompt, QWidget* input,
              QWidget* note = nullptr)
      : QDialog(parent) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    const InputDialogLayout g = ComputeInputDialogLayout(font());

    auto* label = new QLabel(prompt, this);
    label->setObjectName("Prompt");
    label->setWordWrap(true);
    // The label may use its whole width: measured to the pixel, a short prompt could wrap.
    const int labelWidth = std::max(g.labelMaxWidth, 1);
    int labelHeight = prompt.isEmpty() ? g.charHeight : label->heightForWidth(labelWidth);
    if (labelHeight <= 0) labelHeight = g.charHeight;
    label->setGeometry(g.labelLeft, g.labelTop, labelWidth, labelHeight);

    input->setParent(this);
    int inputTop = g.labelTop + labelHeight + 5;
    input->setGeometry(g.labelLeft, inputTop, g.inputWidth, input->sizeHint().height());

    int buttonTop = inputTop + input->height() + 15;
    if (note) {
      note->setParent(this);
      note->show();
      const int noteHeight =
          std::max(note->heightForWidth(g.inputWidth), note->sizeHint().height());
      note->setGeometry(g.labelLeft, buttonTop - 5, g.inputWidth, noteHeight);
      buttonTop += noteHeight + 5;
    }
    auto* ok = new QPushButton(ButtonText(QMessageBox::Ok, kWindowLanguage), this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    ok->setGeometry(g.okLeft, buttonTop, g.buttonWidth, g.buttonHeight);
    auto* cancel = new QPushButton(ButtonText(QMessageBox::Cancel, kWindowLanguage), this);
    cancel->setObjectName("CancelButton");
    cancel->setGeometry(g.cancelLeft, buttonTop, g.buttonWidth, g.buttonHeight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(g.clientWidth, buttonTop + g.buttonHeight + 13);
    CentreOnScreen(*this);
  }
};

}  // namespace

int BoxLanguage(int language) {
  if (language == kJapanese || language == kEnglish) return language;
  return CurrentUiLanguage() == UiLanguage::Japanese ? kJapanese : kEnglish;
}

QString MsgCaption(int kind, int language) {
  if (kind < 0 || kind > 3) return QString();
  return QString::fromUtf8(kCaptions[BoxLanguage(language) == kJapanese ? 0 : 1][kind]);
}

void SetButtonCaptions(QMessageBox& box, int language) {
  for (const ButtonCaption& c : kButtonCaptions)
    if (QAbstractButton* button = box.button(c.button))
      button->setText(ButtonText(c.button, language));
}

int ShowMsgBox(QWidget* parent, MsgKind kind, MsgButtons buttons, const QString& text, int language,
               const QString& checkText, bool* checked) {
  const int k = static_cast<int>(kind);
  QMessageBox box(KindIcon(k), MsgCaption(k, language), text, ButtonSet(buttons), parent);
  box.setObjectName("MsgBox");
  SetButtonCaptions(box, language);
  if (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel)
    box.setDefaultButton(QMessageBox::Yes);
  QCheckBox* check = nullptr;
  if (checked) {
    check = new QCheckBox(checkText, &box);
    check->setObjectName("CheckBox");
    check->setChecked(*checked);
    box.setCheckBox(check);
  }
  box.exec();
  if (check) *checked = check->isChecked();
  QAbstractButton* clicked = box.clickedButton();
  if (!clicked) return EscapeId(buttons);
  return ButtonId(box.standardButton(clicked));
}

void ShowCommandMsgBox(QWidget* parent, MsgKind kind, const QString& text, const QString& command) {
  const int k = static_cast<int>(kind);
  QMessageBox box(KindIcon(k), MsgCaption(k, kWindowLanguage), text, QMessageBox::Ok, parent);
  box.setObjectName("MsgBox");
  SetButtonCaptions(box, kWindowLanguage);
  box.setInformativeText(command);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPushButton* copy = box.addButton(QCoreApplication::translate("MessageDialogs", "Copy command"),
                                    QMessageBox::ActionRole);
  copy->setObjectName("CopyCommandBtn");
  // The box closes on any of its buttons; this one only copies, so it is taken off the box's
  // handling and given its own.
  copy->disconnect();
  // Clicking it gives it the focus; Return must still close the box through OK, not copy again.
  copy->setAutoDefault(false);
  QObject::connect(copy, &QPushButton::clicked, &box, [command, copy] {
    QApplication::clipboard()->setText(command);
    copy->setText(QCoreApplication::translate("MessageDialogs", "Copied"));
  });
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
}

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  return static_cast<int>(std::llround(static_cast<double>(product) / c));
}

InputDialogLayout ComputeInputDialogLayout(const QFont& font) {
  static const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  QFontMetrics metrics(font);
  InputDialogLayout g;
  g.charWidth = metrics.horizontalAdvance(letters) / 52;
  g.charHeight = metrics.height();
  const int w = g.charWidth;
  const int h = g.charHeight;
  g.clientWidth = MulDivRound(180, w, 4);
  g.labelLeft = MulDivRound(8, w, 4);
  g.labelTop = MulDivRound(8, h, 8);
  g.labelMaxWidth = MulDivRound(164, w, 4);
  g.inputWidth = MulDivRound(164, w, 4);
  g.buttonWidth = MulDivRound(50, w, 4);
  g.buttonHeight = MulDivRound(14, h, 8);
  g.okLeft = MulDivRound(38, w, 4);
  g.cancelLeft = MulDivRound(92, w, 4);
  return g;
}

void LimitDropDownRows(QComboBox& combo, int rows) {
  combo.setMaxVisibleItems(rows);
  combo.setStyleSheet("QComboBox { combobox-popup: 0; }");
}

bool RunNumberSelectDialog(QWidget* parent, NumberSelectState& state) {
  auto* combo = new QComboBox;
  combo->setObjectName("Combo");
  combo->setEditable(false);
  LimitDropDownRows(*combo, 20);
  for (const std::string& item : SplitCommaText(state.SelectItems))
    combo->addItem(QString::fromStdString(item).left(255));
  combo->setPlaceholderText(
      QCoreApplication::translate("MessageDialogs", "Please choose a number"));
  combo->setCurrentIndex(
      state.SelectIndex >= 0 && state.SelectIndex < combo->count() ? state.SelectIndex : -1);
  // While slots were never read the dialog says so and offers to read the table; the list is
  // then filled again, keeping the choice.
  TableReadNote* note = nullptr;
  if (state.ReadTable && !state.SelectNote.empty()) {
    note = new TableReadNote;
    note->SetSource([&state] { return state.SelectNote; },
                    [&state, combo] {
                      state.ReadTable();
                      const int chosen = combo->currentIndex();
                      combo->clear();
                      for (const std::string& item : SplitCommaText(state.SelectItems))
                        combo->addItem(QString::fromStdString(item).left(255));
                      combo->setCurrentIndex(chosen < combo->count() ? chosen : -1);
                    });
  }
  InputDialog dialog(parent, QString::fromStdString(state.SelectCaption),
                     QString::fromStdString(state.SelectPrompt), combo, note);
  dialog.setObjectName("NumberSelectDialog");
  if (dialog.exec() != QDialog::Accepted) return false;
  state.SelectIndex = combo->currentIndex();
  return true;
}

bool RunInputTextDialog(QWidget* parent, const QString& caption, const QString& prompt,
                        QString& value) {
  auto* edit = new QLineEdit;
  edit->setObjectName("Edit");
  edit->setMaxLength(255);
  edit->setText(value);
  edit->selectAll();
  InputDialog dialog(parent, caption, prompt, edit);
  dialog.setObjectName("InputTextDialog");
  edit->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  value = edit->text();
  return true;
}

}  // namespace brv3
