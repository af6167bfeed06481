#include "ui/app/WindowPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTime>
#include <QWidget>
#include <algorithm>

#include "ui/app/MessageDialogs.h"
#include "ui/app/StatusText.h"

namespace brv3 {

// A dialog belongs to the window it was opened from: the modal dialog showing, else the active
// window (an editor, a dialog), else the main window; closing it returns there. A disabled
// window is passed over, since its dialogs would be disabled with it; with every one disabled (a
// window held still while the board is busy) the dialog stands alone.
QWidget* WindowPrompter::Owner() const {
  for (QWidget* candidate :
       {QApplication::activeModalWidget(), QApplication::activeWindow(), &window_})
    if (candidate != nullptr && candidate->isEnabled()) return candidate;
  return nullptr;
}

// The dialog belongs to the window the user is working in, which is where focus returns.
std::optional<FileAnswer> WindowPrompter::ChooseFile(const FileQuestion& question) {
  const QString filters = QString::fromStdString(question.filters);
  const QString caption = QString::fromStdString(question.caption);
  const QString folder = QString::fromStdString(question.folder);
  QString selected;
  const QString path =
      question.save ? QFileDialog::getSaveFileName(Owner(), caption, folder, filters, &selected)
                    : QFileDialog::getOpenFileName(Owner(), caption, folder, filters, &selected);
  if (path.isEmpty()) return std::nullopt;
  FileAnswer answer;
  answer.path = path.toStdString();
  answer.filterIndex = std::max(0, static_cast<int>(filters.split(";;").indexOf(selected)));
  return answer;
}

// The boxes of the program are in the windows' language, whatever language the caller names:
// their text comes from the same catalogue, and a Japanese caption over an English text (or the
// reverse) would read as a fault.
int WindowPrompter::MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text,
                           int /*language*/) {
  return ShowMsgBox(Owner(), kind, buttons, QString::fromStdString(text), kWindowLanguage);
}

int WindowPrompter::MsgBoxWithCheck(MsgKind kind, MsgButtons buttons, const std::string& text,
                                    const std::string& checkText, bool& checked) {
  return ShowMsgBox(Owner(), kind, buttons, QString::fromStdString(text), kWindowLanguage,
                    QString::fromStdString(checkText), &checked);
}

void WindowPrompter::MsgBoxWithCommand(MsgKind kind, const std::string& text,
                                       const std::string& command) {
  ShowCommandMsgBox(Owner(), kind, QString::fromStdString(text), QString::fromStdString(command));
}

bool WindowPrompter::NumberSelectDialog(NumberSelectState& state) {
  return RunNumberSelectDialog(Owner(), state);
}

bool WindowPrompter::InputTextDialog(const std::string& caption, const std::string& prompt,
                                     std::string& value) {
  QString text = QString::fromStdString(value);
  if (!RunInputTextDialog(Owner(), QString::fromStdString(caption), QString::fromStdString(prompt),
                          text))
    return false;
  value = text.toStdString();
  return true;
}

void WindowPrompter::ShowStatus(const std::string& message) {
  if (!statusLine_) return;
  statusLine_->setText(StatusLineText(QTime::currentTime(), QString::fromStdString(message)));
  statusLine_->setCursorPosition(0);
}

void WindowPrompter::SetStatusPanel(int panel, const std::string& text) {
  if (panel >= 0 && panel < static_cast<int>(panels_.size()) && panels_[static_cast<size_t>(panel)])
    panels_[static_cast<size_t>(panel)]->setText(QString::fromStdString(text));
}

void WindowPrompter::SetStatusPanelHint(int panel, const std::string& hint) {
  if (panel >= 0 && panel < static_cast<int>(panels_.size()) && panels_[static_cast<size_t>(panel)])
    panels_[static_cast<size_t>(panel)]->setToolTip(QString::fromStdString(hint));
}

void WindowPrompter::SetCaption(const std::string& caption) {
  if (captionSink_)
    captionSink_(caption);
  else
    window_.setWindowTitle(QString::fromStdString(caption));
}

}  // namespace brv3
