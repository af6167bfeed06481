#include <ostream>

#include "cli/BoardCli.h"
#include "cli/CliCommands.h"
#include "core/util/Translate.h"
#include "platform/ComPortName.h"
#include "platform/CommX.h"

namespace brv3::cli {

std::unique_ptr<Port> OpenBoardPort(const std::string& name, std::ostream& err, int& exitCode) {
  if (name.empty()) {
    err << Tr("BoardPort", "Name the board's serial port with --port COMn or --port /dev/...")
        << "\n";
    exitCode = kExitBadInput;
    return nullptr;
  }
  const std::string path = platform::ResolvePortName(name);
  if (path.empty()) {
    err << Args(Tr("BoardPort", "--port must be COMn or a device path, not \"%1\""), {name})
        << "\n";
    exitCode = kExitBadInput;
    return nullptr;
  }
  auto port = std::make_unique<platform::TCommX>();
  port->SetDevicePath(path);
  port->SetBitRate(115200);
  port->SetFlowCtrl(platform::cfcNone);
  port->SetTimeOutReceive(300);
  try {
    port->Open();
  } catch (const std::exception& e) {
    err << Args(Tr("BoardPort", "Cannot open the serial port %1: %2"), {path, e.what()}) << "\n";
    exitCode = kExitFailure;
    return nullptr;
  }
  // The same start as selecting a port in the editor: one DTR pulse, then clean queues.
  port->SetDtr(true);
  port->SetDtr(false);
  port->PurgeReceive();
  port->PurgeTransmit();
  exitCode = kExitOk;
  return port;
}

}  // namespace brv3::cli
