#pragma once

#include <csignal>
#include <deque>
#include <memory>
#include <string>

#include "sim/Engine.h"
#include "sim/Trace.h"

namespace brv3::sim {

struct HostOptions {
  std::string linkPath;   // symlink made to the pty's slave; empty for none
  std::string statePath;  // flash kept here across runs; empty for none
  std::string tracePath;  // byte log; empty for none
  bool baudPacing = false;
  bool commands = false;  // read "remote ..." / "analog ..." lines from standard input
  FaultPlan faults;
};

// Runs the engine on a pseudo-terminal. The host keeps its own descriptor of the slave open so
// that clients may close and reopen the port freely and the master never reports a hang-up.
class PtyHost {
 public:
  explicit PtyHost(HostOptions options);
  ~PtyHost();
  PtyHost(const PtyHost&) = delete;
  PtyHost& operator=(const PtyHost&) = delete;

  // Loads the state, opens the pty, makes the link. False with a message on failure.
  bool Start(std::string* error);
  const std::string& SlavePath() const { return slavePath_; }
  // Serves the line until `stop` becomes non-zero or the board disconnects. Returns the exit code.
  int Run(const volatile std::sig_atomic_t& stop);

 private:
  struct InByte {
    Nanos time;
    uint8_t value;
  };

  Nanos Elapsed() const;
  // Bytes the board sent that the client has not read yet.
  int UnreadBytes() const;
  void ReadInput(Nanos now);
  void FeedDue(Nanos now);
  void WriteOutput(Nanos now);
  void ReadCommands(Nanos now);
  void HandleCommand(const std::string& line, Nanos now);
  void SaveIfDue(Nanos now, bool force);
  void Shutdown();

  HostOptions options_;
  std::unique_ptr<Engine> engine_;
  Trace trace_;
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  bool linkMade_ = false;
  std::deque<InByte> input_;
  Nanos lastArrival_ = 0;
  Nanos lastInput_ = 0;
  Nanos dirtySince_ = -1;
  std::string commandBuffer_;
  bool skippingLongLine_ = false;  // the rest of an overlong command line is being dropped
  bool stdinOpen_ = true;
  int64_t startNs_ = 0;
};

}  // namespace brv3::sim
