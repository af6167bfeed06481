#pragma once

#include <functional>
#include <optional>
#include <string>

namespace brv3 {

// Message-box kinds and button sets with the numbers the callers use.
enum class MsgKind : int { Warning = 0, Information = 1, Question = 2, Error = 3 };
enum class MsgButtons : int {
  AbortRetryIgnore = 0,
  Help = 1,
  Ok = 2,
  OkCancel = 3,
  RetryCancel = 4,
  YesNo = 5,
  YesNoCancel = 6,
};
// Ids of the pressed button.
enum MsgResult : int {
  IdOk = 1,
  IdCancel = 2,
  IdAbort = 3,
  IdRetry = 4,
  IdIgnore = 5,
  IdYes = 6,
  IdNo = 7,
};
constexpr int kJapanese = 0;
constexpr int kEnglish = 1;

// The number-selection state shared by a caller and NumberSelectDialog.
struct NumberSelectState {
  std::string SelectCaption;
  std::string SelectPrompt;
  std::string SelectItems;  // comma list of entries
  int SelectIndex = -1;
  // Set while some listed slots were never read from the board: the dialog shows the note and
  // offers to read the table. ReadTable asks, reads, and refills SelectItems and SelectNote; true
  // when the table was read.
  std::string SelectNote;
  std::function<bool()> ReadTable;
};

// A file dialog's question: open or save, its caption, the folder it starts in (empty: its own
// choice) and its filters as "Charts (*.QVB);;All files (*)".
struct FileQuestion {
  bool save = false;
  std::string caption;
  std::string folder;
  std::string filters;
};

// The file chosen and which of the question's filters was shown when it was (0 = the first).
struct FileAnswer {
  std::string path;
  int filterIndex = 0;
};

// Everything the core asks of the user or shows to the user. The editor implements it with real
// dialogs and the status line; the CLI with the terminal; tests with scripted answers.
class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual int MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text,
                     int language = kEnglish) = 0;
  // A message box with a check box captioned `checkText` under the text; `checked` goes in as the
  // box's state and comes back as the user left it. Without a box of its own, a plain MsgBox.
  virtual int MsgBoxWithCheck(MsgKind kind, MsgButtons buttons, const std::string& text,
                              const std::string& checkText, bool& checked) {
    (void)checkText, (void)checked;
    return MsgBox(kind, buttons, text, kEnglish);
  }
  // A message with a command the user is told to run; the editor offers to copy it. Without a
  // box of its own, a plain MsgBox with the command under the text.
  virtual void MsgBoxWithCommand(MsgKind kind, const std::string& text,
                                 const std::string& command) {
    MsgBox(kind, MsgButtons::Ok, text + "\n\n" + command, kEnglish);
  }
  // True on OK, with state.SelectIndex set to the chosen entry (-1 when none).
  virtual bool NumberSelectDialog(NumberSelectState& state) = 0;
  // True on OK, with `value` replaced by the entered text; false leaves `value` alone.
  virtual bool InputTextDialog(const std::string& caption, const std::string& prompt,
                               std::string& value) = 0;

  // A file picked in a file dialog; nothing when the user cancelled (or nobody can be asked).
  virtual std::optional<FileAnswer> ChooseFile(const FileQuestion& question) {
    (void)question;
    return std::nullopt;
  }

  // The status line: the current time, "> " and the message.
  virtual void ShowStatus(const std::string& message) = 0;
  // A panel of the status bar (0: pointer position, 1: port mode, 2: free text).
  virtual void SetStatusPanel(int panel, const std::string& text) { (void)panel, (void)text; }
  // A longer explanation of a panel's text, shown where the toolkit can (a tooltip); empty for
  // none.
  virtual void SetStatusPanelHint(int panel, const std::string& hint) { (void)panel, (void)hint; }
  // The main window's caption.
  virtual void SetCaption(const std::string& caption) { (void)caption; }
};

// Shows nothing and agrees to every question (OK, Yes), as a user answering yes would, so that
// batch work such as benchmarks does the work it asks for; it never retries (Cancel, Abort), so a
// failing step cannot repeat without end.
class SilentPrompter final : public Prompter {
 public:
  int MsgBox(MsgKind, MsgButtons buttons, const std::string&, int) override {
    switch (buttons) {
      case MsgButtons::YesNo:
      case MsgButtons::YesNoCancel:
        return IdYes;
      case MsgButtons::RetryCancel:
        return IdCancel;
      case MsgButtons::AbortRetryIgnore:
        return IdAbort;
      default:
        return IdOk;
    }
  }
  bool NumberSelectDialog(NumberSelectState&) override { return false; }
  bool InputTextDialog(const std::string&, const std::string&, std::string&) override {
    return false;
  }
  void ShowStatus(const std::string&) override {}
};

}  // namespace brv3
