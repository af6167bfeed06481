#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/CliCommands.h"
#include "cli/CliPrompter.h"
#include "core/chart/ChartFiles.h"

namespace brv3::cli {
namespace {

nlohmann::ordered_json ChartJson(const Chart& chart) {
  using json = nlohmann::ordered_json;
  json objects = json::array();
  for (const ChartObject& o : chart.Objects) {
    objects.push_back({{"name", o.Name},
                       {"type", o.Type},
                       {"left", o.Left},
                       {"top", o.Top},
                       {"width", o.Width},
                       {"height", o.Height},
                       {"color", o.Color},
                       {"head", o.Head},
                       {"values", o.Values},
                       {"selected", o.Selected != 0}});
  }
  json links = json::array();
  for (const ChartLink& l : chart.Links) {
    json points = json::array();
    for (const LinkPoint& p : l.Point) points.push_back({p.x, p.y});
    links.push_back({{"main", l.Main},
                     {"origin", l.Origin},
                     {"final", l.Final},
                     {"points", points},
                     {"selected", l.Selected != 0}});
  }
  return {{"type", chart.Type},         {"name", chart.Name},
          {"ctrl", chart.Ctrl},         {"start", chart.Start},
          {"width", chart.CanvasWidth}, {"height", chart.CanvasHeight},
          {"objects", objects},         {"links", links}};
}

}  // namespace

int ReadChartForCli(const std::string& path, Chart& chart, Prompter& prompter) {
  OpenResult r = OpenChartFile(chart, path, prompter);
  switch (r.status) {
    case OpenStatus::Opened:
      return kExitOk;
    case OpenStatus::Cancelled:
      return kExitFailure;
    default:
      return kExitBadInput;
  }
}

namespace {

// What dump and convert read: a chart or CSV motion file, or with --item-at an item file placed
// at a canvas point as the canvas pop-up menu's Open does.
struct Source {
  std::string path;
  std::vector<int32_t> itemAt;

  void AddTo(CLI::App* cmd, const char* name) {
    cmd->add_option(name, path, "Chart file (.QVB), CSV motion file, or item file with --item-at")
        ->required();
    cmd->add_option("--item-at", itemAt, "Read FILE as an item file placed at canvas point X Y")
        ->expected(2);
  }

  int Read(Chart& chart, Prompter& prompter) const {
    if (itemAt.empty()) return ReadChartForCli(path, chart, prompter);
    OpenResult r = OpenItemFile(chart, path, itemAt[0], itemAt[1], prompter);
    return r.status == OpenStatus::Opened ? kExitOk : kExitBadInput;
  }
};

}  // namespace

void AddFileCommands(CLI::App& app, Options& options, CommandList& commands) {
  auto* dump =
      app.add_subcommand("dump", "Read a chart, CSV motion or item file and print it as JSON");
  auto dumpSource = std::make_shared<Source>();
  dumpSource->AddTo(dump, "FILE");
  commands.push_back({dump, [dumpSource, &options] {
                        CliPrompter prompter(std::cerr, options.yes);
                        Chart chart;
                        if (int rc = dumpSource->Read(chart, prompter)) return rc;
                        std::cout << ChartJson(chart).dump(2) << "\n";
                        return kExitOk;
                      }});

  auto* convert = app.add_subcommand("convert",
                                     "Read a chart, CSV motion or item file and save "
                                     "it as a chart file named exactly OUT");
  auto in = std::make_shared<Source>();
  auto out = std::make_shared<std::string>();
  in->AddTo(convert, "IN");
  convert->add_option("OUT", *out, "Chart file to write")->required();
  commands.push_back({convert, [in, out, &options] {
                        CliPrompter prompter(std::cerr, options.yes);
                        Chart chart;
                        if (int rc = in->Read(chart, prompter)) return rc;
                        return SaveChartFile(chart, *out, prompter) ? kExitOk : kExitCannotSave;
                      }});
}

}  // namespace brv3::cli
