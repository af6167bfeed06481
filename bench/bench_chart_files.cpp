// Saving and reading a chart of 10,000 objects and 10,000 wires (goal: each under 50 ms).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/chart/ChartFiles.h"

namespace {

class QuietPrompter : public brv3::Prompter {
 public:
  int MsgBox(brv3::MsgKind, brv3::MsgButtons, const std::string&, int) override {
    return brv3::IdOk;
  }
  bool NumberSelectDialog(brv3::NumberSelectState&) override { return false; }
  bool InputTextDialog(const std::string&, const std::string&, std::string&) override {
    return false;
  }
  void ShowStatus(const std::string&) override {}
};

brv3::Chart BigChart(int n) {
  brv3::Chart chart;
  chart.AppendObjects(n);
  for (int i = 0; i < n; ++i) {
    brv3::ChartObject& o = chart.Objects[i];
    o.Name = "POS" + std::to_string(i + 1);
    o.Left = i % 100 * 60;
    o.Top = i / 100 * 40;
    o.Width = 50;
    o.Height = 30;
    o.Color = brv3::kColorWhite;
    o.Head = 100;
    o.Values.fill(static_cast<uint16_t>(16384 + i % 100));
  }
  chart.Start = 0;
  chart.AppendLinks(n);
  for (int i = 0; i < n; ++i) {
    chart.Links[i].Origin = i;
    chart.Links[i].Final = (i + 1) % n;
    if (i % 10 == 0) chart.Links[i].Point = {{i % 600, 10}, {i % 600, 20}};
  }
  return chart;
}

std::string TempChartPath() {
  return (std::filesystem::temp_directory_path() / "brv3-bench.QVB").string();
}

void BM_SaveChart(benchmark::State& state) {
  brv3::Chart chart = BigChart(static_cast<int>(state.range(0)));
  QuietPrompter prompter;
  std::string path = TempChartPath();
  for (auto _ : state) benchmark::DoNotOptimize(brv3::SaveChartFile(chart, path, prompter));
}
BENCHMARK(BM_SaveChart)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadChart(benchmark::State& state) {
  QuietPrompter prompter;
  std::string path = TempChartPath();
  brv3::SaveChartFile(BigChart(static_cast<int>(state.range(0))), path, prompter);
  for (auto _ : state) {
    brv3::Chart chart;
    brv3::OpenChartFile(chart, path, prompter);
    benchmark::DoNotOptimize(chart.ObjectCount());
  }
}
BENCHMARK(BM_ReadChart)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
