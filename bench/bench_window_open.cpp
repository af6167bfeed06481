// Opening a big chart in the whole editor window (offscreen platform): File > Open's path from
// the file to a window that takes input again.
//   BM_WindowOpen/OBJECTS/DOCK: a chart of OBJECTS wired Position objects (6000 x 4000 canvas),
//   the Curves dock shown (1) or hidden (0).
// Time: from the call until the event loop turns again (a zero timer posted after the call
// fires), which is when the window answers the user. Counters: settle_ms = until the work the
// open left behind (deferred redraws, the curves) is done as well; cpu_ms = the process's CPU
// time for the whole of it; peak_rss_mb = the peak resident memory while opening (the peak is
// reset before each open); painted = canvas pixels that are not background in the shown part,
// so an open that paints nothing cannot report a figure.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <string>

#include "BenchCharts.h"
#include "OffscreenBenchMain.h"
#include "core/chart/ChartFiles.h"
#include "core/util/Prompter.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasWidget.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The kernel's high-water mark of resident memory, reset by writing 5 to clear_refs.
void ResetPeakRss() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakRssMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmHWM:") {
      double kb = 0;
      status >> kb;
      return kb / 1024;
    }
    status.ignore(1 << 12, '\n');
  }
  return 0;
}

// Runs the event loop in windows of `window` until one costs the process under 5 % of its
// length in CPU (nothing left to do but idle timers), or `limit` passes.
void Settle(std::chrono::milliseconds window, std::chrono::seconds limit) {
  const Clock::time_point end = Clock::now() + limit;
  while (Clock::now() < end) {
    const double cpu = CpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(window, &loop, &QEventLoop::quit);
    loop.exec();
    if (CpuSeconds() - cpu < 0.05 * std::chrono::duration<double>(window).count()) return;
  }
}

int PaintedPixels(brv3::CanvasWidget& canvas) {
  const QImage shot = canvas.grab(QRect(0, 0, 600, 400)).toImage();
  const QRgb background = shot.pixel(shot.width() - 1, shot.height() - 1);
  int painted = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) painted += shot.pixel(x, y) != background;
  return painted;
}

void BM_WindowOpen(benchmark::State& state) {
  const int objects = static_cast<int>(state.range(0));
  const bool dock = state.range(1) != 0;
  QTemporaryDir dir;
  setenv("BRV3_CONFIG_DIR", dir.path().toLocal8Bit().constData(), 1);
  const QString path = dir.filePath("big.QVB");
  brv3::SilentPrompter prompter;
  if (!brv3::SaveChartFile(brv3::bench::BigChart(objects), path.toStdString(), prompter)) {
    state.SkipWithError("cannot write the chart");
    return;
  }
  double settleMs = 0, cpuMs = 0, peakMb = 0;
  int painted = 0;
  for (auto _ : state) {
    state.PauseTiming();
    brv3::TBrivane3 window(dir.filePath("BRV3.ini").toStdString());
    window.resize(1400, 900);
    window.show();
    window.findChild<QAction*>("ViewCurvesAction")->setChecked(dock);
    Settle(std::chrono::milliseconds(100), std::chrono::seconds(5));
    ResetPeakRss();
    const double cpu0 = CpuSeconds();
    state.ResumeTiming();

    const Clock::time_point start = Clock::now();
    const bool opened = window.OpenChart(path);
    bool turned = false;
    QTimer::singleShot(0, [&turned] { turned = true; });
    while (!turned) QApplication::processEvents(QEventLoop::WaitForMoreEvents);

    state.PauseTiming();
    if (!opened || window.CurrentChart().ObjectCount() != objects) {
      state.SkipWithError("the chart did not open whole");
      return;
    }
    Settle(std::chrono::milliseconds(200), std::chrono::seconds(120));
    settleMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    cpuMs = (CpuSeconds() - cpu0) * 1000;
    peakMb = PeakRssMegabytes();
    painted = PaintedPixels(*window.Canvas());
    window.History().MarkClean();
    state.ResumeTiming();
  }
  if (painted == 0) state.SkipWithError("the canvas painted nothing");
  state.counters["settle_ms"] = settleMs;
  state.counters["cpu_ms"] = cpuMs;
  state.counters["peak_rss_mb"] = peakMb;
  state.counters["painted"] = painted;
}
BENCHMARK(BM_WindowOpen)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"objects", "dock"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BRV3_OFFSCREEN_BENCHMARK_MAIN()
