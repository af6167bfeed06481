#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/comm/PortEntries.h"

namespace brv3 {

class NotificationBuffer;
class Prompter;

// What port selection needs of the serial component.
class PortControl {
 public:
  virtual ~PortControl() = default;
  virtual void Close() = 0;
  virtual void SetPortNo(int number) = 0;
  // Chooses a device by its path instead of a COM number.
  virtual void SetPortPath(const std::string& path) = 0;
  virtual void SetTimeOutReceive(int ms) = 0;
  // Throws (any std::exception) when the port cannot be opened or set up.
  virtual void Open() = 0;
  virtual void SetDtr(bool on) = 0;
  virtual void PurgeReceive() = 0;
  virtual void PurgeTransmit() = 0;
  // True when the port is closed or its device has hung up or gone away since it was opened.
  virtual bool Gone() { return false; }
};

// What PortControl::Open throws when the user may not open the device: the message says which
// group owns it, and FixCommand() is the command that lets the user in.
class PortAccessDenied : public std::runtime_error {
 public:
  PortAccessDenied(const std::string& message, std::string fixCommand)
      : std::runtime_error(message), fixCommand_(std::move(fixCommand)) {}
  const std::string& FixCommand() const { return fixCommand_; }

 private:
  std::string fixCommand_;
};

constexpr int kPortListCount = 21;

// "OFF", "COM1" ... "COM20": the fixed port list, index = COM number.
std::vector<std::string> PortListItems();

// Opens the port of list index `index` (0 closes it) and reports in the status line: "No
// Connection", "COMn OK" or "COMn does not exist" (the port is then left closed). The notification
// buffer is emptied whenever a port is opened. True when the chosen state was reached.
bool SelectPort(PortControl& port, int index, Prompter* prompter, NotificationBuffer* buffer);

// Opens entry `index` (1 ... 20) the way SelectPort does: close, choose, time-out, open, one DTR
// pulse, both queues purged. Throws what PortControl::Open throws.
void OpenListedPort(PortControl& port, int index);

// SelectPort for any entry of the port list; an adapter is opened by its path and named in the
// status line by its name. A device the user may not open is also explained in a message box that
// offers the command that fixes it.
bool SelectPortEntry(PortControl& port, const PortEntry& entry, Prompter* prompter,
                     NotificationBuffer* buffer);

// OpenListedPort for any entry but "OFF".
void OpenPortEntry(PortControl& port, const PortEntry& entry);

// What the main window does when it closes: purge both ways and close.
void ClosePortOnExit(PortControl& port);

}  // namespace brv3
