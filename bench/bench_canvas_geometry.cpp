// Building the canvas display list for charts of 1,000 and 10,000 objects with as many wires.
#include <benchmark/benchmark.h>

#include "core/chart/CanvasDrawing.h"

namespace {

brv3::Chart BigChart(int n) {
  brv3::Chart chart;
  chart.CanvasWidth = 6000;
  chart.CanvasHeight = 4000;
  chart.AppendObjects(n);
  for (int i = 0; i < n; ++i) {
    brv3::ChartObject& o = chart.Objects[i];
    o.Name = "POS" + std::to_string(i + 1);
    o.Left = i % 100 * 60;
    o.Top = i / 100 * 40;
    o.Width = 50;
    o.Height = 30;
    o.Color = i % 7 == 0 ? brv3::kColorButtonFace : brv3::kColorWhite;
    o.Selected = i % 13 == 0 ? 1 : 0;
  }
  chart.Start = 0;
  chart.AppendLinks(n);
  for (int i = 0; i < n; ++i) {
    brv3::ChartLink& l = chart.Links[i];
    l.Origin = i;
    l.Final = (i + 1) % n;
    l.Main = i % 5 == 0 ? brv3::kBranchWiring : brv3::kFlowWiring;
    l.Selected = i % 11 == 0 ? 1 : 0;
    if (i % 10 == 0) l.Point = {{i % 600, 10}, {i % 600, 20}};
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
