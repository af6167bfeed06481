#pragma once

#include <stdexcept>

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

}  // namespace brv3::platform
