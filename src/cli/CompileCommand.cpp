#include <iostream>
#include <memory>
#include <optional>

#include "cli/CliCommands.h"
#include "cli/CliPrompter.h"
#include "core/chart/Chart.h"
#include "core/motion/MotionChecks.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionCurves.h"
#include "core/robot/RobotChecks.h"
#include "core/util/CommaText.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

constexpr int kExitWarnings = 4;

// --check: one line per warning, the robot's after the chart's; exit 4 when there are any, so
// scripts can gate on it.
int RunCheck(const Chart& chart, const robot::CheckedRobot* robotModel) {
  std::vector<std::string> notes;
  const std::vector<ChartWarning> warnings =
      robot::CheckChartWithRobot(chart, BoardKnowledge{}, robotModel, &notes);
  for (const std::string& note : notes)
    std::cerr << Args(Tr("CompileCommand", "note: %1"), {note}) << "\n";
  for (const ChartWarning& w : warnings) std::cout << "warning: " << w.Text << "\n";
  return warnings.empty() ? kExitOk : kExitWarnings;
}

struct CompileArgs {
  std::string path;
  bool hex = false;
  bool curves = false;
  bool check = false;
  std::string robot;
};

int RunCompile(const CompileArgs& args) {
  const std::string& path = args.path;
  const bool hex = args.hex;
  std::optional<robot::CheckedRobot> robotModel;
  if (!args.robot.empty()) {
    robot::CheckedRobotLoadResult loaded = robot::LoadCheckedRobot(args.robot);
    if (!loaded.robot) {
      std::cerr << loaded.error << "\n";
      return kExitBadInput;
    }
    robotModel = std::move(loaded.robot);
  }
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
      std::cerr << Tr("CompileCommand",
                      "Only the first 199 motions of this scenario can be written")
                << "\n";
  } else {
    MotionCompileResult result = CompileMotionChart(chart);
    if (!result.ok) failure = result.failure;
    lines = hex ? std::move(result.hexRows) : std::move(result.listing);
    if (!result.warning.empty()) std::cerr << result.warning << "\n";
  }
  if (chart.Objects.empty()) {
    std::cerr << Tr("CompileCommand", "The chart has no objects") << "\n";
    return kExitBadInput;
  }
  if (!failure.text.empty()) {
    std::cerr << failure.text << "\n";
    return kExitBadInput;
  }
  if (args.check) return RunCheck(chart, robotModel ? &*robotModel : nullptr);
  if (args.curves) {
    if (chart.Type == kScenarioChart) {
      std::cerr << Tr("CompileCommand", "A scenario chart has no curves") << "\n";
      return kExitBadInput;
    }
    std::cout << CurvesCsv(BuildMotionCurves(chart, CompileMotionChart(chart)));
    return kExitOk;
  }
  for (const std::string& line : lines) std::cout << line << "\n";
  return kExitOk;
}

}  // namespace

void AddCompileCommands(CLI::App& app, Options& options, CommandList& commands) {
  (void)options;
  CLI::App* cmd = app.add_subcommand(
      "compile", Tr("CompileCommand",
                    "Compile a chart file and print its listing (scenario: its motion list)"));
  auto args = std::make_shared<CompileArgs>();
  cmd->add_option("FILE", args->path, Tr("CompileCommand", "Chart file (.QVB)"))->required();
  auto* hex = cmd->add_flag(
      "--hex", args->hex,
      Tr("CompileCommand", "Print the hexadecimal view of the steps instead of the listing"));
  auto* curves = cmd->add_flag(
      "--curves", args->curves,
      Tr("CompileCommand",
         "Print each channel's servo position per step as CSV (step,kind,speed,CH1..CH24)"));
  auto* check = cmd->add_flag(
      "--check", args->check,
      Tr("CompileCommand", "Print the warnings worth a look before writing; exit 4 when any"));
  cmd->add_option("--robot", args->robot,
                  Tr("CompileCommand",
                     "With --check: also warn of joints beyond their limits and links hitting one "
                     "another for this robot model (.urdf)"))
      ->needs(check);
  hex->excludes(curves)->excludes(check);
  curves->excludes(check);
  commands.push_back({cmd, [args] { return RunCompile(*args); }});
}

}  // namespace brv3::cli
