#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliLanguage.h"
#include "core/util/Translate.h"
#include "platform/DurableFiles.h"
#ifdef BRV3_HAVE_CATALOGUES
#include "i18n/Catalogues.h"
#endif

int main(int argc, char** argv) {
  brv3::platform::InstallDurableFileWrites();
#ifdef BRV3_HAVE_CATALOGUES
  brv3::InstallProcessLanguage();
#endif
  using namespace brv3::cli;
  CLI::App app{brv3::Tr("CliMain", "brivane3-cli: chart files and QVB-3 board work from a shell")};
  TranslateParserTexts(app);
  app.require_subcommand(1);
  Options options;
  CommandList commands;
  AddFileCommands(app, options, commands);
  AddBoardCommands(app, options, commands);
  AddBoardControlCommands(app, options, commands);
  AddCompileCommands(app, options, commands);
  AddPoseCommands(app, options, commands);
  AddSensorCommands(app, options, commands);
  AddConfigCommands(app, options, commands);
  AddPortsCommand(app, commands);
  app.set_version_flag("--version", std::string("brivane3-cli ") + BRV3_VERSION,
                       brv3::Tr("CliMain", "Display program version information and exit"));
  AddRenderCommand(app, options, commands);
  AddRobotCommands(app, options, commands);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int rc = app.exit(e);
    return rc == 0 ? 0 : kExitBadInput;
  }
  for (const Command& c : commands)
    if (c.app->parsed()) return c.run();
  return kExitBadInput;
}
