#include "cli/CliCommands.h"
#include "core/util/Translate.h"

namespace brv3::cli {

void AddBoardCommands(CLI::App& app, Options& options, CommandList& commands) {
  app.add_option("--port", options.port,
                 Tr("BoardCommands", "Serial port of the board: COMn or a device path"));
  app.add_flag("--yes", options.yes,
               Tr("BoardCommands", "Answer the questions of a command with yes"));
  AddBoardWorkflowCommands(app, options, commands);
}

}  // namespace brv3::cli
