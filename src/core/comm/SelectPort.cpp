#include "core/comm/SelectPort.h"

#include <exception>

#include "core/comm/BoardLink.h"
#include "core/comm/Notifications.h"
#include "core/util/Prompter.h"

namespace brv3 {

std::vector<std::string> PortListItems() {
  std::vector<std::string> items{"OFF"};
  for (int n = 1; n < kPortListCount; ++n) items.push_back("COM" + std::to_string(n));
  return items;
}

void OpenListedPort(PortControl& port, int index) {
  port.Close();
  port.SetPortNo(index);
  port.SetTimeOutReceive(BoardLink::kReceiveTimeOut);
  port.Open();
  port.SetDtr(true);
  port.SetDtr(false);
  port.PurgeReceive();
  port.PurgeTransmit();
}

bool SelectPort(PortControl& port, int index, Prompter* prompter, NotificationBuffer* buffer) {
  if (index < 0 || index >= kPortListCount) return false;
  auto status = [prompter](const std::string& text) {
    if (prompter) prompter->ShowStatus(text);
  };
  if (index == 0) {
    try {
      port.Close();
    } catch (const std::exception&) {
    }
    status("No Connection");
    return true;
  }
  const std::string name = "COM" + std::to_string(index);
  try {
    if (buffer) buffer->Clear();
    OpenListedPort(port, index);
    status(name + " OK");
    return true;
  } catch (const std::exception&) {
    status(name + " does not exist");
    try {
      port.Close();
    } catch (const std::exception&) {
    }
    return false;
  }
}

void ClosePortOnExit(PortControl& port) {
  try {
    port.PurgeTransmit();
    port.PurgeReceive();
    port.Close();
  } catch (const std::exception&) {
  }
}

}  // namespace brv3
