#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "cli/CliPrompter.h"
#include "core/comm/BoardLink.h"
#include "platform/CommX.h"

namespace brv3::cli {

// An open serial port with the board's settings and the command set on top of it.
struct BoardConnection {
  explicit BoardConnection(std::ostream& err, bool yes) : prompter(err, yes) {}
  platform::TCommX comm;
  CliPrompter prompter;
  BoardLink link{&comm, &prompter};
};

// Opens `portName` (COMn or a device path) at 115200 bit/s, 8N1, no flow control. On failure
// prints why on `err` and returns null.
std::unique_ptr<BoardConnection> ConnectBoard(const std::string& portName, bool yes,
                                              std::ostream& err);

}  // namespace brv3::cli
