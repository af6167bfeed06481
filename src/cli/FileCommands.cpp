#include "cli/CliCommands.h"

namespace brv3::cli {

void AddFileCommands(CLI::App& app, Options& options, CommandList& commands) {
  (void)app, (void)options, (void)commands;
}

}  // namespace brv3::cli
