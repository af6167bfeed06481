// A canvas redraw (display list, painting the shown part of the canvas picture, copying it to
// the window; offscreen raster) of charts of 1,000 and 10,000 objects with as many wires, the
// canvas in a scrolled view of kViewWidth x kViewHeight as in the editor's window. "Time" is wall
// time, "CPU" the whole process's CPU time (every painting thread), both per redraw.
//   BM_CanvasRedraw: everything shown painted again (as after scrolling to a new part).
//   BM_CanvasEdit: one object in view (and its two short wires) moved a pixel and back, as a drag
//   does: only what changed is painted.
// painted_pixels = pixels painted per redraw (the work happened).
//   BM_CanvasPicture: the whole picture, for comparison.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QScrollArea>

#include "BenchCharts.h"
#include "OffscreenBenchMain.h"
#include "core/chart/ChartHistory.h"
#include "core/util/Prompter.h"
#include "ui/chart/CanvasWidget.h"

namespace {

constexpr int kViewWidth = 1600;
constexpr int kViewHeight = 900;

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

// A chart's canvas shown in a scrolled view of the editor's size, and the pixels it painted.
struct ShownCanvas {
  ShownCanvas(brv3::Chart& chart, int threads) : history(chart) {
    canvas = new brv3::CanvasWidget(history, prompter);
    canvas->SetPaintThreads(threads);
    view.setWidget(canvas);
    view.resize(kViewWidth, kViewHeight);
    view.show();
    QApplication::processEvents();
    canvas->repaint();
    paintedBefore = canvas->PaintedPixels();
  }
  // Fails the benchmark when nothing was painted; else states what was, per redraw.
  void Report(benchmark::State& state) const {
    const int64_t painted = canvas->PaintedPixels() - paintedBefore;
    if (painted == 0) state.SkipWithError("nothing was painted");
    state.counters["painted_pixels"] = static_cast<double>(painted) / state.iterations();
    state.counters["items"] = static_cast<double>(canvas->Display().items.size());
  }

  brv3::SilentPrompter prompter;
  brv3::ChartHistory history;
  QScrollArea view;
  brv3::CanvasWidget* canvas = nullptr;  // owned by the view
  int64_t paintedBefore = 0;
};

// Arguments: objects, fitted canvas, bends near their wires, painting threads (0: automatic).
void BM_CanvasRedraw(benchmark::State& state) {
  brv3::Chart chart =
      RedrawChart(static_cast<int>(state.range(0)), state.range(1) != 0, state.range(2) != 0);
  ShownCanvas shown(chart, static_cast<int>(state.range(3)));
  for (auto _ : state) {
    shown.canvas->InvalidatePicture();
    shown.canvas->Redraw();
    shown.canvas->repaint();  // what the window shows, painted and copied now
  }
  shown.Report(state);
  state.counters["canvas_pixels"] =
      static_cast<double>(shown.canvas->width()) * shown.canvas->height();
  state.counters["shown_pixels"] =
      static_cast<double>(shown.view.viewport()->width()) * shown.view.viewport()->height();
}
BENCHMARK(BM_CanvasRedraw)
    ->ArgNames({"objects", "fitted", "near_bends", "threads"})
    ->Args({1000, 0, 0, 1})
    ->Args({10000, 0, 0, 1})
    ->Args({1000, 1, 0, 1})
    ->Args({10000, 1, 0, 1})
    ->Args({1000, 1, 1, 1})
    ->Args({10000, 1, 1, 1})
    ->Args({1000, 0, 0, 0})
    ->Args({10000, 0, 0, 0})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// Arguments: objects, fitted canvas.
void BM_CanvasEdit(benchmark::State& state) {
  brv3::Chart chart = RedrawChart(static_cast<int>(state.range(0)), state.range(1) != 0, true);
  ShownCanvas shown(chart, 0);
  // An object in view whose wires are short (the first one's loop wire crosses the canvas).
  brv3::ChartObject& moved = chart.Objects[110];
  int step = 1;
  for (auto _ : state) {
    moved.Left += step;
    step = -step;
    shown.canvas->Redraw();
    shown.canvas->repaint();
  }
  shown.Report(state);
}
BENCHMARK(BM_CanvasEdit)
    ->ArgNames({"objects", "fitted"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// The whole picture of the 6000 x 4000 canvas, as an export or a first view of every part needs.
void BM_CanvasPicture(benchmark::State& state) {
  brv3::Chart chart = RedrawChart(static_cast<int>(state.range(0)), false, false);
  brv3::SilentPrompter prompter;
  brv3::ChartHistory history(chart);
  brv3::CanvasWidget canvas(history, prompter);
  canvas.SetPaintThreads(static_cast<int>(state.range(1)));
  benchmark::DoNotOptimize(canvas.Picture().constBits());  // the names' sprites made once
  for (auto _ : state) {
    canvas.InvalidatePicture();
    canvas.Redraw();
    benchmark::DoNotOptimize(canvas.Picture().constBits());
  }
}
BENCHMARK(BM_CanvasPicture)
    ->ArgNames({"objects", "threads"})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BRV3_OFFSCREEN_BENCHMARK_MAIN()
