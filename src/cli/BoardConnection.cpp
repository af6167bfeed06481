#include "cli/BoardConnection.h"

#include <ostream>

#include "platform/ComPortName.h"

namespace brv3::cli {

std::unique_ptr<BoardConnection> ConnectBoard(const std::string& portName, bool yes,
                                              std::ostream& err) {
  if (portName.empty()) {
    err << "No port given: use --port COMn or --port /path/to/device\n";
    return nullptr;
  }
  std::string path = platform::ResolvePortName(portName);
  if (path.empty()) {
    err << "'" << portName << "' is neither COMn nor a device path\n";
    return nullptr;
  }
  auto board = std::make_unique<BoardConnection>(err, yes);
  board->comm.SetDevicePath(path);
  board->comm.SetBitRate(115200);
  board->comm.SetFlowCtrl(platform::cfcNone);
  board->comm.SetTimeOutReceive(BoardLink::kReceiveTimeOut);
  try {
    board->comm.Open();
  } catch (const std::exception& e) {
    err << "Cannot open port " << portName << " (" << path << "): " << e.what() << "\n";
    return nullptr;
  }
  board->comm.SetDtr(true);
  board->comm.SetDtr(false);
  board->comm.PurgeReceive();
  board->comm.PurgeTransmit();
  return board;
}

}  // namespace brv3::cli
