#pragma once

#include <algorithm>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/comm/Frame.h"
#include "core/comm/Port.h"
#include "core/util/Bytes.h"
#include "core/util/Prompter.h"

namespace brv3::test {

// A port that records every write and answers each read from a script. A read with nothing left
// in the script times out with 0 bytes.
class ScriptedPort : public Port {
 public:
  bool open = true;
  int timeOut = 300;
  std::vector<Bytes> writes;      // one entry per WriteBytes call
  std::vector<int> readSizes;     // the count asked for by each read
  std::vector<int> readTimeOuts;  // TimeOutReceive() in effect at each read
  int purgesReceive = 0;
  std::deque<Bytes> answers;
  bool throwOnRead = false;

  bool IsOpen() const override { return open; }
  bool WriteBytes(const uint8_t* data, size_t count) override {
    if (!open) return false;
    writes.emplace_back(data, data + count);
    return true;
  }
  int ReadBytes(uint8_t* buffer, int count) override {
    if (throwOnRead) throw std::runtime_error("read failed");
    if (!open) return -1;
    readSizes.push_back(count);
    readTimeOuts.push_back(timeOut);
    if (answers.empty()) return 0;
    Bytes a = std::move(answers.front());
    answers.pop_front();
    const size_t n = std::min(a.size(), static_cast<size_t>(count));
    std::copy(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n), buffer);
    return static_cast<int>(n);
  }
  void PurgeReceive() override { ++purgesReceive; }
  void PurgeTransmit() override {}
  int TimeOutReceive() const override { return timeOut; }
  void SetTimeOutReceive(int ms) override { timeOut = ms; }

  // Script one transaction: an answer to the attention byte, then the reply (if any).
  void Reply(const Bytes& reply) {
    answers.push_back({0x06});
    answers.push_back(reply);
  }
  void Ack() { Reply({0x06}); }
  // A data reply of `data` followed by its checksum.
  void Data(Bytes data) {
    AppendChecksum(data);
    Reply(data);
  }
  // The frames sent after attention bytes, in order.
  std::vector<Bytes> Frames() const {
    std::vector<Bytes> frames;
    for (size_t i = 1; i < writes.size(); i += 2) frames.push_back(writes[i]);
    return frames;
  }
};

// Records what the core shows to the user.
class RecordingPrompter : public Prompter {
 public:
  std::vector<std::string> captions;
  std::vector<std::string> statuses;
  std::vector<std::pair<int, std::string>> panels;

  int MsgBox(MsgKind, MsgButtons, const std::string&, int) override { return IdOk; }
  bool NumberSelectDialog(NumberSelectState&) override { return false; }
  bool InputTextDialog(const std::string&, const std::string&, std::string&) override {
    return false;
  }
  void ShowStatus(const std::string& message) override { statuses.push_back(message); }
  void SetStatusPanel(int panel, const std::string& text) override {
    panels.emplace_back(panel, text);
  }
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
};

inline Bytes WithChecksum(Bytes b) {
  AppendChecksum(b);
  return b;
}

}  // namespace brv3::test
