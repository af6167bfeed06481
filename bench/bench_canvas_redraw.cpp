// A full canvas redraw (display list and painting into the canvas picture, offscreen raster) of
// charts of 1,000 and 10,000 objects with as many wires.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include "BenchCharts.h"
#include "core/util/Prompter.h"
#include "ui/chart/CanvasWidget.h"

namespace {

// The decorated benchmark chart, on its 6000 x 4000
// canvas or on one just high enough for its rows. The shared chart bends every tenth wire up to
// the top of the canvas (thousands of pixels of wire each); with `nearBends` the bend points sit
// beside their wire's ends instead, as a user draws them.
brv3::Chart RedrawChart(int n, bool fittedCanvas, bool nearBends) {
  brv3::Chart chart = brv3::bench::DecoratedChart(n);
  if (fittedCanvas) chart.CanvasHeight = (n + 99) / 100 * 40 + 20;
  if (nearBends) {
    for (brv3::ChartLink& l : chart.Links) {
      if (l.Point.empty()) continue;
      const brv3::ChartObject& from = chart.Objects[l.Origin];
      l.Point = {{from.CenterX() + 30, from.CenterY() + 5},
                 {from.CenterX() + 30, from.CenterY() + 15}};
    }
  }
  return chart;
}

void BM_CanvasRedraw(benchmark::State& state) {
  brv3::Chart chart =
      RedrawChart(static_cast<int>(state.range(0)), state.range(1) != 0, state.range(2) != 0);
  brv3::SilentPrompter prompter;
  brv3::ChartHistory history(chart);
  brv3::CanvasWidget canvas(history, prompter);
  canvas.Redraw();
  for (auto _ : state) {
    canvas.Redraw();
    benchmark::DoNotOptimize(canvas.Picture().constBits());
  }
  state.counters["items"] = static_cast<double>(canvas.Display().items.size());
  state.counters["pixels"] =
      static_cast<double>(canvas.Picture().width()) * canvas.Picture().height();
}
BENCHMARK(BM_CanvasRedraw)
    ->ArgNames({"objects", "fitted", "near_bends"})
    ->Args({1000, 1, 0})
    ->Args({10000, 1, 0})
    ->Args({1000, 0, 0})
    ->Args({10000, 0, 0})
    ->Args({1000, 1, 1})
    ->Args({10000, 1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
