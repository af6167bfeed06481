#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>

#include "platform/DurableFiles.h"
#include "sim/PtyHost.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) {
  gStop = 1;
}

}  // namespace

int main(int argc, char** argv) {
  brv3::platform::InstallDurableFileWrites();
  CLI::App app{
      "qvb3-sim: a simulated QVB-3 servo controller board on a pseudo-terminal.\n"
      "Prints the pty's path (the --link path when given) on the first line of its output and "
      "serves the board protocol until SIGINT or SIGTERM."};
  brv3::sim::HostOptions options;
  std::string faults;
  app.add_option("--link", options.linkPath,
                 "make a symbolic link to the pty at PATH (replacing a stale link; removed on "
                 "exit)")
      ->option_text("PATH");
  app.add_option("--state", options.statePath,
                 "load the board's flash from FILE at start (a missing file is a new board) and "
                 "save it there after every change the board keeps over power-off")
      ->option_text("FILE");
  app.add_option("--trace", options.tracePath,
                 "log every byte both ways, one line per burst: 'SECONDS > HEX' from the host, "
                 "'SECONDS < HEX' from the board")
      ->option_text("FILE");
  app.add_flag("--baud-pacing", options.baudPacing,
               "deliver each received byte and send each reply byte at the pace of a 115200 "
               "bit/s line");
  app.add_option("--faults", faults, brv3::sim::FaultPlan::SyntaxHelp())->option_text("LIST");
  app.add_flag(
      "--commands", options.commands,
      "read lines from standard input: 'remote CODE [T1 T2 T3 T4]' (a remote-control "
      "button with four transmitter values), 'analog SUPPLY AD1 AD2 AD3' (raw 14-bit "
      "readings), 'move CH VALUE' (a hand turns free servo CH 1..24 to position VALUE 1..32767; "
      "a freed servo otherwise stays where it was, and its position is what the board "
      "reports)");
  CLI11_PARSE(app, argc, argv);

  std::string error;
  auto plan = brv3::sim::FaultPlan::Parse(faults, &error);
  if (!plan) {
    std::cerr << "qvb3-sim: --faults: " << error << "\n";
    return 2;
  }
  options.faults = *plan;

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  brv3::sim::PtyHost host(options);
  if (!host.Start(&error)) {
    std::cerr << "qvb3-sim: " << error << "\n";
    return 1;
  }
  std::cout << (options.linkPath.empty() ? host.SlavePath() : options.linkPath) << std::endl;
  std::cerr << "qvb3-sim: board on " << host.SlavePath() << "\n";
  return host.Run(gStop);
}
