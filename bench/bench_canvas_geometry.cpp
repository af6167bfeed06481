// Building the canvas display list for charts of 1,000 and 10,000 objects with as many wires.
#include <benchmark/benchmark.h>

#include "BenchCharts.h"
#include "core/chart/CanvasDrawing.h"

namespace {

void BM_BuildDisplayList(benchmark::State& state) {
  const brv3::Chart chart = brv3::bench::DecoratedChart(static_cast<int>(state.range(0)));
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
