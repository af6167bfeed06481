// Compiling, saving and reading a chart of 10,000 objects and 10,000 wires (goal: each under
// 50 ms).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchCharts.h"
#include "core/chart/ChartFiles.h"
#include "core/motion/MotionCompiler.h"

namespace {

std::string TempChartPath() {
  return (std::filesystem::temp_directory_path() / "brv3-bench.QVB").string();
}

void BM_CompileChart(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    brv3::MotionCompileResult result = brv3::CompileMotionChart(chart);
    benchmark::DoNotOptimize(result.records.size());
  }
}
BENCHMARK(BM_CompileChart)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SaveChart(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(static_cast<int>(state.range(0)));
  brv3::SilentPrompter prompter;
  std::string path = TempChartPath();
  for (auto _ : state) benchmark::DoNotOptimize(brv3::SaveChartFile(chart, path, prompter));
}
BENCHMARK(BM_SaveChart)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadChart(benchmark::State& state) {
  brv3::SilentPrompter prompter;
  std::string path = TempChartPath();
  brv3::SaveChartFile(brv3::bench::BigChart(static_cast<int>(state.range(0))), path, prompter);
  for (auto _ : state) {
    brv3::Chart chart;
    brv3::OpenChartFile(chart, path, prompter);
    benchmark::DoNotOptimize(chart.ObjectCount());
  }
}
BENCHMARK(BM_ReadChart)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
