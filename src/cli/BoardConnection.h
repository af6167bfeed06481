#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "cli/CliPrompter.h"
#include "core/comm/BoardLink.h"

namespace brv3::cli {

// An open serial port with the command set on top of it.
struct BoardConnection {
  BoardConnection(std::unique_ptr<Port> openPort, std::ostream& err, bool yes)
      : port(std::move(openPort)), prompter(err, yes) {}
  std::unique_ptr<Port> port;
  CliPrompter prompter;
  BoardLink link{port.get(), &prompter};
};

// Opens `portName` (COMn or a device path) for board work. On failure prints why on `err`,
// stores the exit code in `exitCode` and returns null.
std::unique_ptr<BoardConnection> ConnectBoard(const std::string& portName, bool yes,
                                              std::ostream& err, int& exitCode);

}  // namespace brv3::cli
