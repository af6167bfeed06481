#pragma once

#include <string>
#include <vector>

namespace brv3 {

class NotificationBuffer;
class Prompter;

// What port selection needs of the serial component.
class PortControl {
 public:
  virtual ~PortControl() = default;
  virtual void Close() = 0;
  virtual void SetPortNo(int number) = 0;
  virtual void SetTimeOutReceive(int ms) = 0;
  // Throws (any std::exception) when the port cannot be opened or set up.
  virtual void Open() = 0;
  virtual void SetDtr(bool on) = 0;
  virtual void PurgeReceive() = 0;
  virtual void PurgeTransmit() = 0;
  // True when the port is closed or its device has hung up or gone away since it was opened.
  virtual bool Gone() { return false; }
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

// What the main window does when it closes: purge both ways and close.
void ClosePortOnExit(PortControl& port);

}  // namespace brv3
