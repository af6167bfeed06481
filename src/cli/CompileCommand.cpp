#include <iostream>
#include <memory>

#include "cli/CliCommands.h"
#include "core/chart/Chart.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/CommaText.h"
#include "core/util/IniFile.h"

namespace brv3::cli {
namespace {

// Stand-in chart-file reader for this command until the shared OpenChartFile is wired in: reads
// the sections GraphicalEdit, ItemN and LinkN of a .QVB file into an empty chart.
bool ReadChartForCompile(const std::string& path, Chart& chart, std::string& error) {
  IniFile ini;
  if (!ini.LoadFile(path, &error)) {
    if (error.empty()) error = "Cannot read " + path;
    return false;
  }
  int32_t type = ini.ReadInteger("GraphicalEdit", "Type", -1);
  if (type != kMotionChart && type != kScenarioChart) {
    error = "The designated file can't be used";
    return false;
  }
  int32_t items = ini.ReadInteger("GraphicalEdit", "Items", 0);
  int32_t links = ini.ReadInteger("GraphicalEdit", "Links", 0);
  // Missing sections give default objects, but counts far beyond the sections present come from
  // a damaged file and would only exhaust memory.
  auto limit = static_cast<int32_t>(ini.SectionCount()) + 65536;
  if (items < 0 || links < 0 || items > limit || links > limit) {
    error = "The designated file can't be used";
    return false;
  }
  chart.ClearChart();
  chart.Type = static_cast<uint8_t>(type);
  chart.CanvasWidth = ini.ReadInteger("GraphicalEdit", "Width", 640);
  chart.CanvasHeight = ini.ReadInteger("GraphicalEdit", "Height", 480);
  chart.SetChartName(ini.ReadString("GraphicalEdit", "Name", kUntitledName));
  chart.Ctrl = ini.ReadInteger("GraphicalEdit", "Ctrl", kNoCtrl);
  chart.AppendObjects(items);
  for (int32_t i = 0; i < items; ++i) {
    std::string section = "Item" + std::to_string(i);
    ChartObject& o = chart.Objects[static_cast<size_t>(i)];
    o.Name = ini.ReadString(section, "Name", "");
    o.Width = ini.ReadInteger(section, "Width", 50);
    o.Height = ini.ReadInteger(section, "Height", 30);
    o.Left = ini.ReadInteger(section, "Left", 0);
    o.Top = ini.ReadInteger(section, "Top", 0);
    o.Color = static_cast<uint32_t>(ini.ReadInteger(section, "Color", 0xFFFFFF));
    chart.ParsePrm(i, ini.ReadString(section, "Prm", ""));
    if (type == kMotionChart)
      chart.DeriveObjectType(i);
    else
      o.Type = kMot;
  }
  chart.Start = ini.ReadInteger("GraphicalEdit", "Start", -1);
  chart.AppendLinks(links);
  for (int32_t j = 0; j < links; ++j) {
    std::string section = "Link" + std::to_string(j);
    ChartLink& l = chart.Links[static_cast<size_t>(j)];
    l.Main = static_cast<uint8_t>(ini.ReadInteger(section, "Main", 0));
    l.Origin = ini.ReadInteger(section, "Origin", -1);
    l.Final = ini.ReadInteger(section, "Final", -1);
    std::vector<std::string> point = SplitCommaText(ini.ReadString(section, "Point", ""));
    for (size_t k = 0; k + 1 < point.size(); k += 2) {
      auto x = ParseIniInteger(point[k]), y = ParseIniInteger(point[k + 1]);
      if (!x || !y) break;
      l.Point.push_back({*x, *y});
    }
  }
  return true;
}

int RunCompile(const std::string& path, bool hex) {
  Chart chart;
  std::string error;
  if (!ReadChartForCompile(path, chart, error)) {
    std::cerr << error << "\n";
    return kExitBadInput;
  }
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
