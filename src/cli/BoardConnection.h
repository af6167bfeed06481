#pragma once

#include <iostream>
#include <memory>
#include <string>

#include "cli/CliCommands.h"
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

// Connects to the board named by --port and runs `work` on it; the exit code is work's, or why
// the port could not be had.
template <class Work>
int WithBoard(const Options& options, Work work) {
  int exitCode = kExitOk;
  auto board = ConnectBoard(options.port, options.yes, std::cerr, exitCode);
  if (!board) return exitCode;
  return work(*board);
}

}  // namespace brv3::cli
