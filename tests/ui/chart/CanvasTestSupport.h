#pragma once

#include <string>
#include <vector>

#include "core/util/Prompter.h"

namespace brv3::test {

// Records what the canvas tells the user; every question is answered with OK.
class RecordingPrompter : public Prompter {
 public:
  struct Message {
    MsgKind kind;
    std::string text;
  };
  int MsgBox(MsgKind kind, MsgButtons, const std::string& text, int) override {
    messages.push_back({kind, text});
    return IdOk;
  }
  bool NumberSelectDialog(NumberSelectState&) override { return false; }
  bool InputTextDialog(const std::string&, const std::string&, std::string&) override {
    return false;
  }
  void ShowStatus(const std::string& message) override { statuses.push_back(message); }
  void SetStatusPanel(int panel, const std::string& text) override {
    if (panel == 0) panel0 = text;
  }

  std::vector<Message> messages;
  std::vector<std::string> statuses;
  std::string panel0;
};

}  // namespace brv3::test
