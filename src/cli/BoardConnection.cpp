#include "cli/BoardConnection.h"

#include "cli/BoardCli.h"

namespace brv3::cli {

std::unique_ptr<BoardConnection> ConnectBoard(const std::string& portName, bool yes,
                                              std::ostream& err, int& exitCode) {
  auto port = OpenBoardPort(portName, err, exitCode);
  if (!port) return nullptr;
  return std::make_unique<BoardConnection>(std::move(port), err, yes);
}

}  // namespace brv3::cli
