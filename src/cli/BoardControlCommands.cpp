// Board commands that read the board or drive its playback: version, table, play, stop, pause,
// sleep.
#include <iostream>

#include "cli/BoardConnection.h"
#include "cli/CliCommands.h"
#include "core/board/BoardActions.h"
#include "core/board/SleepScope.h"
#include "core/board/TableActions.h"
#include "core/comm/MotionTable.h"
#include "core/comm/TableEntry.h"
#include "core/comm/VersionText.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

// The cause of the last failed command, as a sentence.
std::string FaultMessage(const BoardLink& link) {
  std::string text = LinkFaultText(link.LastFault());
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  return text;
}

// Runs `work` on a connected board; the exit code covers a port that cannot be opened.
int Version(BoardConnection& board) {
  Bytes reply;
  // Read-only commands try a failed read once more.
  if (!board.link.ReadVersion(reply) && !board.link.ReadVersion(reply)) {
    std::cerr << FaultMessage(board.link) << "\n";
    return kExitFailure;
  }
  for (const std::string& line : VersionLines(reply)) std::cout << line << "\n";
  return kExitOk;
}

// Reads the whole table while the board sleeps, as the motion table window's refresh does.
int Table(BoardConnection& board) {
  MotionTable table;
  if (!RefreshMotionTable(board.link, table) && !RefreshMotionTable(board.link, table)) {
    std::cerr << FaultMessage(board.link) << "\n";
    // A refresh that fails leaves the board asleep; the robot must not stay limp.
    if (!WakeBoard(board.link))
      std::cerr << Tr("BoardControlCommands", "The board may have been left asleep") << "\n";
    return kExitFailure;
  }
  std::cout << Tr("BoardControlCommands", "No\tName\tCount\tDate\tControl") << "\n";
  for (const TableRow& row : table.Rows())
    std::cout << row.No << "\t" << row.Name << "\t" << row.Count << "\t" << row.Date << "\t"
              << row.Control << "\n";
  return kExitOk;
}

int Report(const BoardLink& link, bool ok, const std::string& done) {
  if (!ok) {
    std::cerr << FaultMessage(link) << "\n";
    return kExitFailure;
  }
  std::cerr << done << "\n";
  return kExitOk;
}

}  // namespace

void AddBoardControlCommands(CLI::App& app, Options& options, CommandList& commands) {
  auto* version = app.add_subcommand(
      "version", Tr("BoardControlCommands", "Print the board's version text (4 lines)"));
  commands.push_back({version, [&options] { return WithBoard(options, Version); }});

  auto* table = app.add_subcommand(
      "table", Tr("BoardControlCommands", "List the 85 entries of the board's motion table"));
  commands.push_back({table, [&options] { return WithBoard(options, Table); }});

  auto* play = app.add_subcommand(
      "play", Tr("BoardControlCommands", "Play a motion (M1..M80) or scenario (S1..S5)"));
  auto entry = std::make_shared<std::string>();
  play->add_option("ENTRY", *entry, Tr("BoardControlCommands", "M1..M80 or S1..S5"))->required();
  commands.push_back(
      {play, [&options, entry] {
         const std::optional<Slot> slot = Slot::Parse(*entry);
         if (!slot) {
           std::cerr << Args(Tr("BoardControlCommands", "'%1' is not M1..M80 or S1..S5"), {*entry})
                     << "\n";
           return kExitBadInput;
         }
         return WithBoard(options, [&](BoardConnection& b) {
           BoardActions actions(b.link, b.prompter);
           return Report(b.link, actions.Play(*slot) == ActionResult::Done,
                         Tr("BoardControlCommands", "Playing"));
         });
       }});

  auto* stop = app.add_subcommand("stop", Tr("BoardControlCommands", "Stop playback"));
  commands.push_back({stop, [&options] {
                        return WithBoard(options, [](BoardConnection& b) {
                          return Report(b.link, StopPlayback(b.link),
                                        Tr("BoardControlCommands", "Stopped"));
                        });
                      }});

  auto* pause = app.add_subcommand(
      "pause", Tr("BoardControlCommands", "Pause playback, or resume it when paused"));
  commands.push_back({pause, [&options] {
                        return WithBoard(options, [](BoardConnection& b) {
                          return Report(b.link, TogglePause(b.link),
                                        Tr("BoardControlCommands", "Pause toggled"));
                        });
                      }});

  auto* sleep = app.add_subcommand(
      "sleep", Tr("BoardControlCommands", "Put the board to sleep (on) or wake it (off)"));
  auto state = std::make_shared<std::string>();
  sleep->add_option("STATE", *state, Tr("BoardControlCommands", "on or off"))
      ->required()
      ->check(CLI::IsMember({"on", "off"}));
  commands.push_back({sleep, [&options, state] {
                        bool on = *state == "on";
                        return WithBoard(options, [on](BoardConnection& b) {
                          return Report(b.link,
                                        b.link.SetSleep(on ? ModeSwitch::On : ModeSwitch::Off),
                                        on ? Tr("BoardControlCommands", "Sleep on")
                                           : Tr("BoardControlCommands", "Sleep off"));
                        });
                      }});
}

}  // namespace brv3::cli
