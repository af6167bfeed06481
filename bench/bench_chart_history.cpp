// What one undoable edit costs on a chart of 10,000 objects and 10,000 wires: a new step (a copy
// of the chart before, cut down to what changed), a move merged into a running drag (no copy), a
// dialog's checked edit (copy, comparison and cut), and undo with redo (swaps of the changed
// objects). kept_steps and stored_MB say how many small steps the memory budget holds.
#include <benchmark/benchmark.h>

#include "BenchCharts.h"
#include "core/chart/ChartHistory.h"

namespace {

bool MoveFirst(brv3::Chart& chart) {
  ++chart.Objects[0].Left;
  return true;
}

const brv3::ChartChange kMoved{brv3::ChartChangeKind::ObjectsChanged, {}, brv3::ChangeOrigin::Edit};

void BM_NewStep(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(static_cast<int>(state.range(0)));
  brv3::ChartHistory history(chart);
  for (auto _ : state) benchmark::DoNotOptimize(history.Apply("Move", MoveFirst, kMoved));
  state.counters["kept_steps"] = static_cast<double>(history.UndoCount());
  state.counters["stored_MB"] = static_cast<double>(history.StoredBytes()) / (1 << 20);
}
BENCHMARK(BM_NewStep)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_MergedDragMove(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(static_cast<int>(state.range(0)));
  brv3::ChartHistory history(chart);
  const auto drag = history.NewGesture();
  for (auto _ : state) benchmark::DoNotOptimize(history.Apply("Move", MoveFirst, kMoved, drag));
}
BENCHMARK(BM_MergedDragMove)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_CheckedEdit(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(static_cast<int>(state.range(0)));
  brv3::ChartHistory history(chart);
  for (auto _ : state)
    benchmark::DoNotOptimize(history.ApplyChecked(
        "Properties", [](brv3::Chart& c) { MoveFirst(c); }, kMoved));
}
BENCHMARK(BM_CheckedEdit)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State& state) {
  brv3::Chart chart = brv3::bench::BigChart(static_cast<int>(state.range(0)));
  brv3::ChartHistory history(chart);
  history.Apply("Move", MoveFirst, kMoved);
  for (auto _ : state) {
    history.Undo();
    history.Redo();
  }
}
BENCHMARK(BM_UndoRedo)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
