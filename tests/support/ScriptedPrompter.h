#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/util/Prompter.h"

namespace brv3::test {

// A Prompter that records what the core shows and answers from a script.
class ScriptedPrompter : public Prompter {
 public:
  struct Message {
    MsgKind kind;
    MsgButtons buttons;
    std::string text;
    int language;
  };

  std::deque<int> answers;  // MsgBox; default Yes / OK
  // MsgBoxWithCheck answers apart from `answers`, so a script of plain questions is not thrown
  // off by one with a check box: each entry is the button and the box's state; default Yes,
  // box left as it was.
  std::deque<std::pair<int, bool>> checkAnswers;
  std::vector<Message> checkMessages;
  std::deque<int> selections;                          // NumberSelectDialog; -2 = Cancel
  std::deque<std::optional<std::string>> textAnswers;  // InputTextDialog; nullopt = Cancel
  std::vector<Message> messages;
  std::vector<std::string> statuses;
  std::vector<std::string> captions;
  std::vector<std::string> inputPrompts;  // caption + "|" + prompt + "|" + preset value
  std::vector<NumberSelectState> selectDialogs;
  // Runs while a selection dialog is up, as a user acting in it (before the scripted choice).
  std::function<void(NumberSelectState&)> whileSelecting;
  std::map<int, std::string> panels;  // the last text and hint of each status-bar panel
  std::map<int, std::string> panelHints;
  std::deque<std::optional<FileAnswer>> fileAnswers;  // ChooseFile; nullopt or none left = Cancel
  std::vector<FileQuestion> fileQuestions;

  int MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int language) override {
    messages.push_back({kind, buttons, text, language});
    if (!answers.empty()) {
      int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? IdYes : IdOk;
  }
  int MsgBoxWithCheck(MsgKind kind, MsgButtons buttons, const std::string& text,
                      const std::string& checkText, bool& checked) override {
    checkMessages.push_back({kind, buttons, text + "|" + checkText, kEnglish});
    if (checkAnswers.empty()) return IdYes;
    const auto [answer, box] = checkAnswers.front();
    checkAnswers.pop_front();
    checked = box;
    return answer;
  }
  bool NumberSelectDialog(NumberSelectState& state) override {
    if (whileSelecting) whileSelecting(state);
    selectDialogs.push_back(state);
    if (selections.empty()) return false;
    int s = selections.front();
    selections.pop_front();
    if (s == -2) return false;
    state.SelectIndex = s;
    return true;
  }
  std::optional<FileAnswer> ChooseFile(const FileQuestion& question) override {
    fileQuestions.push_back(question);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  bool InputTextDialog(const std::string& caption, const std::string& prompt,
                       std::string& value) override {
    inputPrompts.push_back(caption + "|" + prompt + "|" + value);
    if (textAnswers.empty()) return false;
    auto answer = textAnswers.front();
    textAnswers.pop_front();
    if (!answer) return false;
    value = *answer;
    return true;
  }
  void ShowStatus(const std::string& message) override { statuses.push_back(message); }
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetStatusPanel(int panel, const std::string& text) override { panels[panel] = text; }
  void SetStatusPanelHint(int panel, const std::string& hint) override { panelHints[panel] = hint; }
};

}  // namespace brv3::test
