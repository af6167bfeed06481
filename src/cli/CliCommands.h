#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace brv3 {
class Chart;
class Prompter;
}  // namespace brv3

namespace brv3::cli {

// Exit codes shared by every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;     // the board did not answer, the user refused, ...
constexpr int kExitBadInput = 2;    // unusable file or argument
constexpr int kExitCannotSave = 3;  // the target cannot be written
constexpr int kExitNotWoken = 5;    // everything was written; only waking the board failed

// Reads that transfer many records (read, backup, restore's read-back) send a read whose reply
// was lost or spoilt up to this many times more before giving up.
constexpr int kReadRetries = 3;

struct Options {
  std::string port;  // --port: COMn or a device path
  bool yes = false;  // --yes: answer questions with the affirmative
};

// One subcommand and what runs when it was chosen.
struct Command {
  CLI::App* app;
  std::function<int()> run;
};
using CommandList = std::vector<Command>;

// Reads a chart or CSV motion file into `chart` as the editor would; returns an exit code.
int ReadChartForCli(const std::string& path, Chart& chart, Prompter& prompter);

void AddFileCommands(CLI::App& app, Options& options, CommandList& commands);
void AddBoardCommands(CLI::App& app, Options& options, CommandList& commands);
void AddBoardControlCommands(CLI::App& app, Options& options, CommandList& commands);
void AddCompileCommands(CLI::App& app, Options& options, CommandList& commands);
// servo, pose, names and transform.
void AddPoseCommands(CLI::App& app, Options& options, CommandList& commands);
// watch, analog and transmitter.
void AddSensorCommands(CLI::App& app, Options& options, CommandList& commands);
// config (print, save, load) and trim (print, load, save).
void AddConfigCommands(CLI::App& app, Options& options, CommandList& commands);
// ports: the serial ports by name, with whether they can be opened.
void AddPortsCommand(CLI::App& app, CommandList& commands);
// render: handed to the editor program, which draws with its 3D toolkit.
void AddRenderCommand(CLI::App& app, Options& options, CommandList& commands);
// robot: a robot description's channels and joints.
void AddRobotCommands(CLI::App& app, Options& options, CommandList& commands);
// write, read, delete, backup, restore and send-message; called by AddBoardCommands.
void AddBoardWorkflowCommands(CLI::App& app, Options& options, CommandList& commands);

}  // namespace brv3::cli
