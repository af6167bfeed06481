#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include "core/comm/Port.h"

namespace brv3::cli {

// How the board commands talk to their user: messages on `err`, a progress bar when `terminal`.
struct BoardCliContext {
  std::ostream& err;
  bool yes = false;
  bool terminal = false;
};

// Opens the port named by --port (COMn or a device path) at 115200 bit/s without flow control.
// Returns null after writing the reason to `err`; `exitCode` tells bad input (2) from a port that
// cannot be opened (1).
std::unique_ptr<Port> OpenBoardPort(const std::string& name, std::ostream& err, int& exitCode);

// The editor's Write, Read and Delete with the slot ("M5", "S2") named on the command line.
int RunWrite(Port& port, const std::string& file, const std::string& slot, BoardCliContext ctx);
int RunRead(Port& port, const std::string& slot, const std::string& out, BoardCliContext ctx);
int RunDelete(Port& port, const std::string& slot, BoardCliContext ctx);

// Saves every non-empty motion and scenario slot as a chart file plus manifest.json, and writes
// such a folder back to the board.
int RunBackup(Port& port, const std::string& dir, BoardCliContext ctx);
int RunRestore(Port& port, const std::string& dir, BoardCliContext ctx);

// Posts "MSG W L" to the editor listening at `socketPath` and reports whether it accepted it. An
// empty `socketPath` means the runtime folder is unsafe; `socketError` then says why.
int RunSendMessage(const std::string& message, const std::string& w, const std::string& l,
                   const std::string& socketPath, std::ostream& err,
                   const std::string& socketError = {});

}  // namespace brv3::cli
