#pragma once

#include <chrono>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/comm/EventPump.h"

namespace brv3::test {

// A pseudo-terminal pair: the component opens SlavePath(), the test plays the board on the
// master side.
class PtyBoard {
 public:
  PtyBoard();
  ~PtyBoard();
  PtyBoard(const PtyBoard&) = delete;
  PtyBoard& operator=(const PtyBoard&) = delete;

  const std::string& SlavePath() const { return slavePath_; }
  // A descriptor on the same terminal, for looking at its line settings.
  int SlaveFd() const { return slave_; }
  void Send(const std::vector<uint8_t>& bytes);
  // Collects up to `count` bytes from the line, waiting at most `timeoutMs` in all.
  std::vector<uint8_t> Receive(size_t count, int timeoutMs);
  // Sends XOFF and waits until the terminal has stopped sending to the board (the component
  // must have turned on software flow control). False when it did not stop in time.
  bool StopLine(int timeoutMs = 5000);
  // The board disappears (as when a USB adapter is pulled).
  void Vanish();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// An event pump that counts its calls and runs a script on each.
class ScriptedPump final : public EventPump {
 public:
  void Pump() override {
    ++calls;
    if (onPump) onPump(calls);
  }
  int calls = 0;
  std::function<void(int call)> onPump;
};

std::vector<uint8_t> Pattern(size_t count);

using Clock = std::chrono::steady_clock;
inline long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace brv3::test
