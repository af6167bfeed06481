#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace brv3::platform {

enum TCommParityBits : int { cpbNone, cpbOdd, cpbEven };
enum TCommStopBits : int { csb1, csb1p5, csb2 };
enum TCommFlowCtrls : int { cfcRtsCts, cfcDtrDsr, cfcXonXoff, cfcHalfHigh, cfcHalfLow, cfcNone };

// Line-error bits reported through OnError.
constexpr int kCommErrorOverrun = 0x02;
constexpr int kCommErrorParity = 0x04;
constexpr int kCommErrorFrame = 0x08;

// Raised when the serial port cannot be opened or set up. Reads and writes never raise it.
class ECommError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// ECommError for a device the user may not open; carries the command that lets the user in
// (empty when there is none to suggest).
class ECommAccessError : public ECommError {
 public:
  ECommAccessError(const std::string& message, std::string fixCommand)
      : ECommError(message), fixCommand_(std::move(fixCommand)) {}
  const std::string& FixCommand() const { return fixCommand_; }

 private:
  std::string fixCommand_;
};

}  // namespace brv3::platform
