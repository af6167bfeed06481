#include "cli/CliCommands.h"

namespace brv3::cli {

void AddBoardCommands(CLI::App& app, Options& options, CommandList& commands) {
  app.add_option("--port", options.port, "Serial port of the board: COMn or a device path");
  (void)commands;
}

}  // namespace brv3::cli
