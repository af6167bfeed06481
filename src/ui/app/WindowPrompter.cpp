#include "ui/app/WindowPrompter.h"

#include <QLabel>
#include <QLineEdit>
#include <QTime>
#include <QWidget>

#include "ui/app/MessageDialogs.h"
#include "ui/app/StatusText.h"

namespace brv3 {

int WindowPrompter::MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text,
                           int language) {
  return ShowMsgBox(&window_, kind, buttons, QString::fromStdString(text), language);
}

int WindowPrompter::MsgBoxWithCheck(MsgKind kind, MsgButtons buttons, const std::string& text,
                                    const std::string& checkText, bool& checked) {
  return ShowMsgBox(&window_, kind, buttons, QString::fromStdString(text), kEnglish,
                    QString::fromStdString(checkText), &checked);
}

bool WindowPrompter::NumberSelectDialog(NumberSelectState& state) {
  return RunNumberSelectDialog(&window_, state);
}

bool WindowPrompter::InputTextDialog(const std::string& caption, const std::string& prompt,
                                     std::string& value) {
  QString text = QString::fromStdString(value);
  if (!RunInputTextDialog(&window_, QString::fromStdString(caption), QString::fromStdString(prompt),
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
