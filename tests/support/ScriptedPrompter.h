#pragma once

#include <deque>
#include <string>
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
  };

  std::deque<int> answers;         // MsgBox answers; IdOk when empty
  std::deque<int> selections;      // NumberSelectDialog answers; -2 = cancel
  std::deque<std::string> inputs;  // InputTextDialog answers; empty deque = cancel
  std::vector<Message> messages;
  std::vector<std::string> statuses;
  std::vector<std::string> captions;

  int MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int) override {
    messages.push_back({kind, buttons, text});
    if (answers.empty()) return IdOk;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
  bool NumberSelectDialog(NumberSelectState& state) override {
    if (selections.empty()) return false;
    int s = selections.front();
    selections.pop_front();
    if (s == -2) return false;
    state.SelectIndex = s;
    return true;
  }
  bool InputTextDialog(const std::string&, const std::string&, std::string& value) override {
    if (inputs.empty()) return false;
    value = inputs.front();
    inputs.pop_front();
    return true;
  }
  void ShowStatus(const std::string& message) override { statuses.push_back(message); }
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
};

}  // namespace brv3::test
