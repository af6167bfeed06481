#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/motion/LinkBoard.h"
#include "core/util/Prompter.h"

namespace brv3::test {

// Answers the core's questions from a script and records every message box.
class ScriptedPrompter : public Prompter {
 public:
  struct Message {
    MsgKind kind;
    MsgButtons buttons;
    std::string text;
    int language;
  };

  std::deque<int> msgAnswers;                          // default: IdOk / IdYes
  std::deque<std::optional<std::string>> textAnswers;  // nullopt = Cancel; default: Cancel
  std::vector<Message> messages;
  std::vector<std::string> statuses;
  std::vector<std::string> inputPrompts;  // caption + "|" + prompt + "|" + preset value

  int MsgBox(MsgKind kind, MsgButtons buttons, const std::string& text, int language) override {
    messages.push_back({kind, buttons, text, language});
    if (!msgAnswers.empty()) {
      int answer = msgAnswers.front();
      msgAnswers.pop_front();
      return answer;
    }
    return buttons == MsgButtons::YesNo ? IdYes : IdOk;
  }
  bool NumberSelectDialog(NumberSelectState&) override { return false; }
  bool InputTextDialog(const std::string& caption, const std::string& prompt,
                       std::string& value) override {
    inputPrompts.push_back(caption + "|" + prompt + "|" + value);
    if (textAnswers.empty() || !textAnswers.front()) {
      if (!textAnswers.empty()) textAnswers.pop_front();
      return false;
    }
    value = *textAnswers.front();
    textAnswers.pop_front();
    return true;
  }
  void ShowStatus(const std::string& message) override { statuses.push_back(message); }
};

// A board that records the poses written and serves scripted results.
class FakeLinkBoard : public LinkBoard {
 public:
  bool writeResult = true;
  bool readResult = true;
  Bytes positions = Bytes(48, 0);
  std::vector<PoseRecord> written;
  int reads = 0;

  bool WritePose(const PoseRecord& record) override {
    written.push_back(record);
    return writeResult;
  }
  bool ReadServoPositions(Bytes& out) override {
    ++reads;
    if (!readResult) return false;
    out = positions;
    return true;
  }
  void SetPosition(int channel, uint16_t word) {
    positions[static_cast<size_t>(2 * (channel - 1))] = static_cast<uint8_t>(word >> 8);
    positions[static_cast<size_t>(2 * (channel - 1) + 1)] = static_cast<uint8_t>(word & 0xFF);
  }
};

}  // namespace brv3::test
