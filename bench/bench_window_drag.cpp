// The whole editor window (offscreen platform: widgets, event loop, docks, serial component)
// with SYNC ticked and the position editor open, against qvb3-sim --baud-pacing on a
// pseudo-terminal. A feeder thread posts mouse moves to CH1's slider at 4 kHz, three times
// faster than the line can carry live frames, for two seconds, then the release; the editor's
// frames are counted in the simulator's trace.
//   BM_WindowDrag/OBJECTS/DOCK: a chart of OBJECTS Position objects open (1 or 255 wired in a
//   loop), the Curves dock shown (1) or hidden (0).
// Each repetition is a pair, run back to back so that both see the same machine: first the
// plainest host on a second simulator of its own (a frame whenever one is due, blocking reads and
// writes on the raw descriptor, moves that come during a send dropped), then the editor's drag.
// Counters: frames_per_s = the editor's live frames on the trace per second of the drag
// (simulator's clock); floor_frames_per_s = the same for the plain host; floor_share = the
// first / the second, of the same pair; frames = live frames seen. Medians over the repetitions
// are reported too: one pair on a shared 2-core machine swings by a fifth.
// The benchmark fails when no frame reached either trace or the chart did not take the release.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "BenchCharts.h"
#include "OffscreenBenchMain.h"
#include "PacedSim.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/Frame.h"
#include "core/util/Prompter.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"

namespace {

using Clock = std::chrono::steady_clock;
using brv3::bench::PacedSim;

constexpr auto kMoveSpacing = std::chrono::microseconds(250);  // 4 kHz
constexpr auto kDragLength = std::chrono::seconds(2);

// Live frames for CH1 (FE 00 00 ...) the host sent, and the span of their trace times.
struct TraceFrames {
  int frames = 0;
  double first = 0, last = 0;
  double PerSecond() const { return last > first ? (frames - 1) / (last - first) : 0; }
};

TraceFrames CountLiveFrames(const std::string& tracePath, double after) {
  std::ifstream in(tracePath);
  static const std::regex live("(^| )FE 00 00 ");
  TraceFrames out;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    double seconds = 0;
    std::string direction;
    fields >> seconds >> direction;
    if (direction != ">" || seconds < after) continue;
    const std::string bytes = line.substr(line.find('>') + 1);
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), live);
         it != std::sregex_iterator(); ++it) {
      if (out.frames++ == 0) out.first = seconds;
      out.last = seconds;
    }
  }
  return out;
}

double LastTraceTime(const std::string& tracePath) {
  std::ifstream in(tracePath);
  std::string line;
  double last = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    double seconds = 0;
    if (fields >> seconds) last = seconds;
  }
  return last;
}

// BRV3_BENCH_TRACE_COPY=FILE keeps the simulator's trace of the last editor case in FILE and
// the floor's in FILE.floor, to look at the time between frames.
void CopyTrace(const std::string& trace, const std::string& suffix) {
  if (const char* keep = getenv("BRV3_BENCH_TRACE_COPY"))
    std::filesystem::copy_file(trace, keep + suffix,
                               std::filesystem::copy_options::overwrite_existing);
}

void WaitUntil(Clock::time_point t) {
  while (Clock::now() < t) {
    const auto left = t - Clock::now();
    if (left > std::chrono::microseconds(200)) std::this_thread::sleep_for(left / 2);
  }
}

QPoint HandleCentre(const QSlider& slider) {
  QStyleOptionSlider option;
  option.initFrom(&slider);
  option.orientation = slider.orientation();
  option.minimum = slider.minimum();
  option.maximum = slider.maximum();
  option.sliderPosition = slider.sliderPosition();
  option.sliderValue = slider.value();
  return slider.style()
      ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider)
      .center();
}

QMouseEvent* MouseEvent(QSlider* slider, QEvent::Type type, QPoint at, Qt::MouseButton button,
                        Qt::MouseButtons buttons) {
  const QPointF local(at);
  return new QMouseEvent(type, local, slider->mapToGlobal(local), button, buttons, {});
}

// The plainest host on its own simulator: opened once, dragged once per repetition.
class FloorHost {
 public:
  explicit FloorHost(const std::string& trace) : trace_(trace), sim_("window-floor", trace) {
    fd_ = open(sim_.Link().c_str(), O_RDWR | O_NOCTTY);
    if (fd_ < 0) return;
    termios settings{};
    tcgetattr(fd_, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd_, TCSANOW, &settings);
  }
  ~FloorHost() {
    if (fd_ >= 0) close(fd_);
    CopyTrace(trace_, ".floor");
  }
  bool Open() const { return fd_ >= 0; }

  // The newest move that has fallen due goes out; the ones during the send are dropped.
  TraceFrames Drag() {
    const double after = LastTraceTime(trace_);
    const Clock::time_point begin = Clock::now();
    Clock::time_point nextMove = begin;
    int moves = 0;
    while (Clock::now() < begin + kDragLength) {
      WaitUntil(nextMove);
      while (Clock::now() >= nextMove) {
        nextMove += kMoveSpacing;
        ++moves;
      }
      const uint16_t word = static_cast<uint16_t>(16000 + moves % 700);
      const uint8_t attention = brv3::kAttention;
      uint8_t answer = 0;
      brv3::Bytes frame = {0xFE,
                           0x00,
                           0x00,
                           0x01,
                           static_cast<uint8_t>(word >> 8),
                           static_cast<uint8_t>(word & 0xFF)};
      brv3::AppendChecksum(frame);
      if (write(fd_, &attention, 1) != 1 || read(fd_, &answer, 1) != 1 ||
          write(fd_, frame.data(), frame.size()) != static_cast<ssize_t>(frame.size()))
        return {};
    }
    tcdrain(fd_);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the trace catches up
    return CountLiveFrames(trace_, after);
  }

 private:
  std::string trace_;
  PacedSim sim_;
  int fd_ = -1;
};

void BM_WindowDrag(benchmark::State& state) {
  const int objects = static_cast<int>(state.range(0));
  const bool dock = state.range(1) != 0;
  QTemporaryDir dir;
  FloorHost floor(dir.filePath("floor.log").toStdString());
  if (!floor.Open()) {
    state.SkipWithError("cannot open the floor simulator's terminal");
    return;
  }
  const std::string trace = dir.filePath("trace.log").toStdString();
  PacedSim sim("window-drag", trace);
  setenv("BRV3_COM1", sim.Link().c_str(), 1);
  setenv("BRV3_CONFIG_DIR", dir.path().toLocal8Bit().constData(), 1);

  brv3::Chart chart = brv3::bench::BigChart(objects);
  chart.CanvasWidth = 1200;
  chart.CanvasHeight = 800;
  const std::string chartPath = dir.filePath("drag.QVB").toStdString();
  brv3::SilentPrompter prompter;
  if (!brv3::SaveChartFile(chart, chartPath, prompter)) {
    state.SkipWithError("cannot write the chart");
    return;
  }

  brv3::TBrivane3 window(dir.filePath("BRV3.ini").toStdString());
  window.resize(1400, 900);
  window.show();
  window.ChoosePort(1);
  if (!window.OpenChart(QString::fromStdString(chartPath))) {
    state.SkipWithError("cannot open the chart");
    return;
  }
  window.findChild<QAction*>("ViewCurvesAction")->setChecked(dock);
  window.findChild<QCheckBox*>("Sync")->setChecked(true);
  // The window settles (activation, first paint) before the editor opens over it.
  for (const Clock::time_point t = Clock::now() + std::chrono::milliseconds(300); Clock::now() < t;)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  window.Canvas()->OpenObjectDialog(0, brv3::kPosition);
  for (const Clock::time_point t = Clock::now() + std::chrono::milliseconds(300); Clock::now() < t;)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  auto* slider = window.Editors().PrmDlg().findChild<QSlider*>("Scroll1");
  if (!slider || !slider->isVisible()) {
    state.SkipWithError("the position editor did not show CH1's slider");
    return;
  }

  for (auto _ : state) {
    const TraceFrames floorSeen = floor.Drag();
    if (floorSeen.frames < 2) {
      state.SkipWithError("no frames of the plain host reached its simulator");
      return;
    }
    const QPoint start = HandleCentre(*slider);
    const double after = LastTraceTime(trace);
    // The events are made here, on the window's thread; the feeder only posts them when due,
    // as a display server queues input whatever the program is doing.
    // Back and forth over the middle half of the groove, one pixel a move: every move is a new
    // value, so every frame the line can carry has something to send.
    const int sweep = slider->width() / 2;
    std::vector<QMouseEvent*> moves;
    const int count = static_cast<int>(kDragLength / kMoveSpacing);
    for (int i = 0; i < count; ++i) {
      const int phase = i % (2 * sweep);
      const int dx = phase < sweep ? phase : 2 * sweep - phase;
      moves.push_back(MouseEvent(slider, QEvent::MouseMove, start + QPoint(dx - sweep / 2, 0),
                                 Qt::NoButton, Qt::LeftButton));
    }
    QMouseEvent* release = MouseEvent(slider, QEvent::MouseButtonRelease,
                                      start + QPoint(sweep / 4, 0), Qt::LeftButton, Qt::NoButton);
    QCoreApplication::postEvent(slider, MouseEvent(slider, QEvent::MouseButtonPress, start,
                                                   Qt::LeftButton, Qt::LeftButton));
    QApplication::processEvents();
    std::atomic<bool> fed{false};
    std::thread feeder([&] {
      Clock::time_point next = Clock::now();
      // Sleeping, not spinning: the feeder must not take a core from the program it measures.
      for (QMouseEvent* move : moves) {
        std::this_thread::sleep_until(next);
        QCoreApplication::postEvent(slider, move);
        next += kMoveSpacing;
      }
      QCoreApplication::postEvent(slider, release);
      fed = true;
    });
    while (!fed) QApplication::processEvents(QEventLoop::AllEvents, 5);
    feeder.join();
    // The release and its frame.
    const Clock::time_point settle = Clock::now() + std::chrono::milliseconds(300);
    while (Clock::now() < settle) QApplication::processEvents(QEventLoop::AllEvents, 5);

    const TraceFrames seen = CountLiveFrames(trace, after);
    if (seen.frames < 2) {
      state.SkipWithError("no live frames reached the simulator");
      return;
    }
    if (window.CurrentChart().Objects[0].Values[0] != slider->value()) {
      state.SkipWithError("the chart did not take the released position");
      return;
    }
    state.SetIterationTime(seen.last - seen.first);
    state.counters["frames"] = seen.frames;
    state.counters["frames_per_s"] = seen.PerSecond();
    state.counters["floor_frames_per_s"] = floorSeen.PerSecond();
    state.counters["floor_share"] = seen.PerSecond() / floorSeen.PerSecond();
  }
  CopyTrace(trace, "");
  window.Editors().PrmDlg().hide();
  window.History().MarkClean();
}
BENCHMARK(BM_WindowDrag)
    ->ArgsProduct({{1, 255}, {0, 1}})
    ->ArgNames({"objects", "dock"})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BRV3_OFFSCREEN_BENCHMARK_MAIN()
