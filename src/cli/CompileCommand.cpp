#include <iostream>
#include <memory>

#include "cli/CliCommands.h"
#include "cli/CliPrompter.h"
#include "core/chart/Chart.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/CommaText.h"

namespace brv3::cli {
namespace {

// Stand-in chart-file reader for this command until the shared OpenChartFile is wired in: reads
// the sections GraphicalEdit, ItemN and LinkN of a .QVB file into an empty chart.

int RunCompile(const std::string& path, bool hex) {
  Chart chart;
  CliPrompter prompter(std::cerr, false);
  if (int rc = ReadChartForCli(path, chart, prompter)) return rc;
  CompileFailure failure;
  std::vector<std::string> lines;
  if (chart.Type == kScenarioChart) {
    ScenarioCompileResult result = CompileScenarioChart(chart);
    if (!result.ok) failure = result.failure;
    lines = std::move(result.hexRows);
    if (result.ok && result.motions.size() >= 200)
      std::cerr << "Only the first 199 motions of this scenario can be written\n";
  } else {
    MotionCompileResult result = CompileMotionChart(chart);
    if (!result.ok) failure = result.failure;
    lines = hex ? std::move(result.hexRows) : std::move(result.listing);
    if (!result.warning.empty()) std::cerr << result.warning << "\n";
  }
  if (chart.Objects.empty()) {
    std::cerr << "The chart has no objects\n";
    return kExitBadInput;
  }
  if (!failure.text.empty()) {
    std::cerr << failure.text << "\n";
    return kExitBadInput;
  }
  for (const std::string& line : lines) std::cout << line << "\n";
  return kExitOk;
}

}  // namespace

void AddCompileCommands(CLI::App& app, Options& options, CommandList& commands) {
  (void)options;
  CLI::App* cmd = app.add_subcommand(
      "compile", "Compile a chart file and print its listing (scenario: its motion list)");
  auto path = std::make_shared<std::string>();
  auto hex = std::make_shared<bool>(false);
  cmd->add_option("FILE", *path, "Chart file (.QVB)")->required();
  cmd->add_flag("--hex", *hex, "Print the hexadecimal view of the steps instead of the listing");
  commands.push_back({cmd, [path, hex] { return RunCompile(*path, *hex); }});
}

}  // namespace brv3::cli
