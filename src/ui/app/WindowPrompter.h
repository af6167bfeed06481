#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/util/Prompter.h"

class QLabel;
class QLineEdit;
class QWidget;

namespace brv3 {

// How the core talks to the user in the editor: message boxes and selection dialogs over the
// main window, the status line (`Edit2`), the status bar panels and the window caption. The
// window hands over its status line and panels once it has built them; until then status texts
// go nowhere.
class WindowPrompter final : public Prompter {
 public:
  explicit WindowPrompter(QWidget& window) : window_(window) {}

  // Where caption changes go (the window composes its title from them); the window's title
  // itself when none is set.
  void OnCaption(std::function<void(const std::string&)> sink) { captionSink_ = std::move(sink); }
  void AttachStatus(QLineEdit* statusLine, const std::array<QLabel*, 3>& panels) {
    statusLine_ = statusLine;
    panels_ = panels;
  }

  int MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text,
             int language = kEnglish) override;
  int MsgBoxWithCheck(MsgKind kind, MsgButtons buttons, const std::string& text,
                      const std::string& checkText, bool& checked) override;
  void MsgBoxWithCommand(MsgKind kind, const std::string& text,
                         const std::string& command) override;
  bool NumberSelectDialog(NumberSelectState& state) override;
  bool InputTextDialog(const std::string& caption, const std::string& prompt,
                       std::string& value) override;
  std::optional<FileAnswer> ChooseFile(const FileQuestion& question) override;
  void ShowStatus(const std::string& message) override;
  void SetStatusPanel(int panel, const std::string& text) override;
  void SetStatusPanelHint(int panel, const std::string& hint) override;
  void SetCaption(const std::string& caption) override;

 private:
  QWidget* Owner() const;
  QWidget& window_;
  QLineEdit* statusLine_ = nullptr;
  std::array<QLabel*, 3> panels_{};
  std::function<void(const std::string&)> captionSink_;
};

}  // namespace brv3
