#include <unistd.h>

#include <iostream>
#include <memory>

#include "cli/BoardCli.h"
#include "cli/CliCommands.h"
#include "core/util/Translate.h"
#include "platform/MessageSocket.h"

namespace brv3::cli {
namespace {

BoardCliContext Context(const Options& options) {
  return {std::cerr, options.yes, isatty(STDERR_FILENO) == 1};
}

// Opens the board's port and runs `work` on it.
template <typename Work>
std::function<int()> WithPort(Options& options, Work work) {
  return [&options, work] {
    int rc = kExitOk;
    std::unique_ptr<Port> port = OpenBoardPort(options.port, std::cerr, rc);
    if (!port) return rc;
    return work(*port, Context(options));
  };
}

}  // namespace

void AddBoardWorkflowCommands(CLI::App& app, Options& options, CommandList& commands) {
  const std::string slotHelp = Tr("BoardWorkflowCommands", "Board slot: M1 ... M80 or S1 ... S5");

  auto* write = app.add_subcommand(
      "write", Tr("BoardWorkflowCommands",
                  "Write a chart file to a board slot, as the editor's Write button does"));
  auto writeFile = std::make_shared<std::string>();
  auto writeSlot = std::make_shared<std::string>();
  write->add_option("FILE", *writeFile, Tr("BoardWorkflowCommands", "Chart file (.QVB)"))
      ->required();
  write->add_option("--slot", *writeSlot, slotHelp)->required();
  commands.push_back({write, WithPort(options, [writeFile, writeSlot](Port& port, auto ctx) {
                        return RunWrite(port, *writeFile, *writeSlot, ctx);
                      })});

  auto* read = app.add_subcommand(
      "read", Tr("BoardWorkflowCommands", "Read a board slot into a chart file"));
  auto readSlot = std::make_shared<std::string>();
  auto readOut = std::make_shared<std::string>();
  read->add_option("--slot", *readSlot, slotHelp)->required();
  read->add_option("-o,--output", *readOut, Tr("BoardWorkflowCommands", "Chart file to write"))
      ->required();
  commands.push_back({read, WithPort(options, [readSlot, readOut](Port& port, auto ctx) {
                        return RunRead(port, *readSlot, *readOut, ctx);
                      })});

  auto* del = app.add_subcommand(
      "delete", Tr("BoardWorkflowCommands", "Delete a board slot (asks; --yes answers)"));
  auto delSlot = std::make_shared<std::string>();
  del->add_option("--slot", *delSlot, slotHelp)->required();
  commands.push_back({del, WithPort(options, [delSlot](Port& port, auto ctx) {
                        return RunDelete(port, *delSlot, ctx);
                      })});

  auto* backup = app.add_subcommand(
      "backup",
      Tr("BoardWorkflowCommands",
         "Save every motion and scenario of the board as chart files plus manifest.json"));
  auto backupDir = std::make_shared<std::string>();
  backup
      ->add_option("DIR", *backupDir,
                   Tr("BoardWorkflowCommands", "Backup folder (created when missing)"))
      ->required();
  commands.push_back({backup, WithPort(options, [backupDir](Port& port, auto ctx) {
                        return RunBackup(port, *backupDir, ctx);
                      })});

  auto* restore = app.add_subcommand(
      "restore", Tr("BoardWorkflowCommands", "Write a backup folder back to the board"));
  auto restoreDir = std::make_shared<std::string>();
  restore->add_option("DIR", *restoreDir, Tr("BoardWorkflowCommands", "Backup folder"))->required();
  commands.push_back({restore, WithPort(options, [restoreDir](Port& port, auto ctx) {
                        return RunRestore(port, *restoreDir, ctx);
                      })});

  for (CLI::App* cmd : {write, read, del, backup, restore}) cmd->fallthrough();

  auto* send = app.add_subcommand(
      "send-message", Tr("BoardWorkflowCommands",
                         "Post a window message (0x8000 play, 0x8001 select port) to the editor"));
  auto msg = std::make_shared<std::array<std::string, 3>>();
  send->add_option("MSG", (*msg)[0],
                   Tr("BoardWorkflowCommands", "Message number, decimal or 0x hexadecimal"))
      ->required();
  send->add_option("W", (*msg)[1], Tr("BoardWorkflowCommands", "First parameter"))->required();
  send->add_option("L", (*msg)[2], Tr("BoardWorkflowCommands", "Second parameter"))->required();
  commands.push_back({send, [msg] {
                        std::string error;
                        const std::string path = platform::MessageSocketPath(&error);
                        return RunSendMessage((*msg)[0], (*msg)[1], (*msg)[2], path, std::cerr,
                                              error);
                      }});
}

}  // namespace brv3::cli
