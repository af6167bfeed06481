#pragma once

#include <csignal>

namespace brv3::cli {

// While alive, Ctrl+C and SIGTERM only ask the running command to stop (StopRequested), so it
// can put the board and its files in order first. The previous handlers come back at the end.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  struct sigaction oldInt_ {};
  struct sigaction oldTerm_ {};
};

// Whether a stop was asked for since the newest StopSignals began.
bool StopRequested();

}  // namespace brv3::cli
