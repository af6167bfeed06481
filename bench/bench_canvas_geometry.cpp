// Building the canvas display list for charts of 1,000 and 10,000 objects with as many wires.
#include <benchmark/benchmark.h>

#include "BenchCharts.h"
#include "core/chart/CanvasDrawing.h"

namespace {

// The benchmark chart with a mix of colours, selections and branch wires to draw.
brv3::Chart BigChart(int n) {
  brv3::Chart chart = brv3::bench::BigChart(n);
  for (int i = 0; i < n; ++i) {
    chart.Objects[i].Color = i % 7 == 0 ? brv3::kColorButtonFace : brv3::kColorWhite;
    chart.Objects[i].Selected = i % 13 == 0 ? 1 : 0;
    chart.Links[i].Main = i % 5 == 0 ? brv3::kBranchWiring : brv3::kFlowWiring;
    chart.Links[i].Selected = i % 11 == 0 ? 1 : 0;
  }
  return chart;
}

void BM_BuildDisplayList(benchmark::State& state) {
  const brv3::Chart chart = BigChart(static_cast<int>(state.range(0)));
  const brv3::CanvasPalette palette;
  brv3::DisplayList list;
  for (auto _ : state) {
    brv3::BuildDisplayList(chart, brv3::CanvasOverlay{}, palette, list);
    benchmark::DoNotOptimize(list.items.data());
  }
  state.counters["items"] = static_cast<double>(list.items.size());
}
BENCHMARK(BM_BuildDisplayList)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
