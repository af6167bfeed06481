// The curves of a 255-step motion driving all 24 channels.
//   BM_SeriesAndChecks: compile, per-channel series and the pre-write checks (goal: under 2 ms).
//   BM_DockReplot: the curves dock replotting after a pose changed, offscreen (goal: under 16 ms,
//   one frame).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "OffscreenBenchMain.h"
#include "core/motion/MotionChecks.h"
#include "core/motion/MotionCurves.h"
#include "ui/motion/CurvesDock.h"

namespace {

brv3::Chart LongMotion() {
  brv3::Chart chart;
  for (int i = 0; i < brv3::kMaxMotionSteps - 1; ++i) {
    const int o = chart.PlaceObject(10, 10 + 40 * i, brv3::kPosition);
    for (int c = 0; c < brv3::kChannels; ++c)
      chart.Objects[static_cast<size_t>(o)].Values[static_cast<size_t>(c)] =
          static_cast<uint16_t>(16000 + (i * 7 + c * 31) % 700);
    if (i > 0) {
      brv3::ChartLink& link = chart.Links.emplace_back();
      link.Origin = o - 1;
      link.Final = o;
    }
  }
  chart.Start = 0;
  return chart;
}

void BM_SeriesAndChecks(benchmark::State& state) {
  const brv3::Chart chart = LongMotion();
  for (auto _ : state) {
    const brv3::MotionCompileResult compiled = brv3::CompileMotionChart(chart);
    auto steps = brv3::BuildMotionCurves(chart, compiled);
    auto warnings = brv3::CheckMotionChart(chart, compiled, brv3::BoardKnowledge{});
    benchmark::DoNotOptimize(steps);
    benchmark::DoNotOptimize(warnings);
  }
}
BENCHMARK(BM_SeriesAndChecks)->Unit(benchmark::kMicrosecond);

// The dock shown offscreen over the long motion; each iteration makes `change` to object i and
// replots (none: nothing changes and nothing is replotted), then paints, as the screen would.
void MeasureDock(benchmark::State& state, void (*change)(brv3::Chart& chart, size_t i)) {
  brv3::Chart chart = LongMotion();
  brv3::CurvesDock dock(chart, nullptr);
  dock.resize(800, 500);
  dock.show();
  dock.Rebuild();
  size_t i = 0;
  for (auto _ : state) {
    if (change) {
      change(chart, i++ % 200);
      dock.Rebuild();
    }
    dock.grab();
  }
}

// A pose changes: the points move.
void BM_DockReplot(benchmark::State& state) {
  MeasureDock(state, [](brv3::Chart& chart, size_t i) { chart.Objects[i].Values[0] ^= 1; });
}
BENCHMARK(BM_DockReplot)->Unit(benchmark::kMillisecond)->Iterations(20);

// A change of shape (a channel gains or loses a gap): the curves are built again.
void BM_DockReshape(benchmark::State& state) {
  MeasureDock(state, [](brv3::Chart& chart, size_t i) {
    uint16_t& word = chart.Objects[i].Values[3];
    word = word == 0 ? 16384 : 0;
  });
}
BENCHMARK(BM_DockReshape)->Unit(benchmark::kMillisecond)->Iterations(20);

// The paint alone, with nothing changed: what a replot costs at the least.
void BM_DockPaint(benchmark::State& state) {
  MeasureDock(state, nullptr);
}
BENCHMARK(BM_DockPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BRV3_OFFSCREEN_BENCHMARK_MAIN()
