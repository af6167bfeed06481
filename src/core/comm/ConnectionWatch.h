#pragma once

#include <string>

#include "core/comm/PortEntries.h"
#include "core/comm/Transact.h"

namespace brv3 {

class NotificationBuffer;
class PortControl;
class Prompter;

// The faults that mean the board could not be reached at all (it did not answer, or the port is
// gone), as opposed to a board that answered badly or refused.
bool IsConnectionFault(LinkFault fault);

// Follows every command of a board link for the connection's sake, so that a failure never looks
// like the last success:
// - a command that fails because the board did not answer or the port is gone shows "Connection
//   failed" on the status line and the port as lost on the port panel of the status bar (panel 2;
//   panel 1 keeps the board's run or sleep mode);
// - a port chosen in the port list whose device hung up or went away is closed and opened again
//   before the next command (one attempt per command), so the user need not choose it again;
// - the first command that reaches the board after a failure shows the port as OK again.
class ConnectionWatch {
 public:
  static constexpr int kPortPanel = 2;

  // `port` and `buffer` may be null: then nothing is ever reopened.
  explicit ConnectionWatch(Prompter* prompter, PortControl* port = nullptr,
                           NotificationBuffer* buffer = nullptr);

  // What the port list chose: entry `index` (0 "OFF"), `opened` when SelectPort opened it.
  void PortSelected(int index, bool opened);
  // The same for any entry of the list (an adapter is reopened by its path).
  void PortSelected(const PortEntry& entry, bool opened);

  // Run before each command. Reopens the chosen port when its device is gone; false when it could
  // not be opened (ReopenFailure() then says why) and the command must not be sent.
  bool BeforeCommand();
  // Run after each command with why it failed (None when it succeeded).
  void CommandEnded(LinkFault fault);
  // The chosen port's device hung up or went away, between commands or during one: the port
  // panel shows it lost at once, without waiting for a command to fail.
  void PortHungUp();

  // A command failed for a connection reason and none has reached the board since.
  bool Lost() const { return lost_; }
  // Why the last reopen failed; empty once one succeeded.
  const std::string& ReopenFailure() const { return reopenFailure_; }
  // The port panel's text while the connection is lost: "COM3 lost" (or the adapter's name), or
  // "No Connection" when no port is chosen.
  std::string LostText() const;

 private:
  void ShowPanel(const std::string& text, const std::string& hint);

  Prompter* prompter_;
  PortControl* port_;
  NotificationBuffer* buffer_;
  PortEntry entry_;          // the chosen entry while it is open, else "OFF"
  bool reopenable_ = false;  // the chosen port was opened once, so a lost device is reopened
  bool lost_ = false;
  std::string reopenFailure_;
  // Changes at every selection: a command during which the port was chosen again (from an event
  // handled while it waited) says nothing about the new port.
  unsigned selection_ = 0;
  unsigned commandSelection_ = 0;
};

}  // namespace brv3
