#include "core/comm/SelectPort.h"

#include <exception>

#include "core/comm/BoardLink.h"
#include "core/comm/Notifications.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"

namespace brv3 {

std::vector<std::string> PortListItems() {
  std::vector<std::string> items{"OFF"};
  for (int n = 1; n < kPortListCount; ++n) items.push_back("COM" + std::to_string(n));
  return items;
}

void OpenListedPort(PortControl& port, int index) {
  OpenPortEntry(port, PortEntry::ComPort(index));
}

void OpenPortEntry(PortControl& port, const PortEntry& entry) {
  port.Close();
  if (entry.kind == PortEntry::Kind::Adapter)
    port.SetPortPath(entry.Path);
  else
    port.SetPortNo(entry.Com);
  port.SetTimeOutReceive(BoardLink::kReceiveTimeOut);
  port.Open();
  port.SetDtr(true);
  port.SetDtr(false);
  port.PurgeReceive();
  port.PurgeTransmit();
}

bool SelectPort(PortControl& port, int index, Prompter* prompter, NotificationBuffer* buffer) {
  if (index < 0 || index >= kPortListCount) return false;
  return SelectPortEntry(port, index == 0 ? PortEntry::Off() : PortEntry::ComPort(index), prompter,
                         buffer);
}

bool SelectPortEntry(PortControl& port, const PortEntry& entry, Prompter* prompter,
                     NotificationBuffer* buffer) {
  auto status = [prompter](const std::string& text) {
    if (prompter) prompter->ShowStatus(text);
  };
  auto closeQuietly = [&port] {
    try {
      port.Close();
    } catch (const std::exception&) {
    }
  };
  if (entry.kind == PortEntry::Kind::Off) {
    closeQuietly();
    status(Tr("SelectPort", "No Connection"));
    return true;
  }
  try {
    if (buffer) buffer->Clear();
    OpenPortEntry(port, entry);
    status(Args(Tr("SelectPort", "%1 OK"), {entry.Name}));
    return true;
  } catch (const PortAccessDenied& e) {
    closeQuietly();
    status(Args(Tr("SelectPort", "%1 can't be opened: permission denied"), {entry.Name}));
    if (prompter && !e.FixCommand().empty())
      prompter->MsgBoxWithCommand(MsgKind::Warning, e.what(), e.FixCommand());
    else if (prompter)
      prompter->MsgBox(MsgKind::Warning, MsgButtons::Ok, e.what());
    return false;
  } catch (const std::exception&) {
    status(Args(Tr("SelectPort", "%1 does not exist"), {entry.Name}));
    closeQuietly();
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
