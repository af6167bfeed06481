// The robot view drawing the shipped robot with OpenGL (on a machine without a GPU: Mesa's
// software renderer, behind a private X server when there is no display).
//   BM_RobotFrame: a new pose (every joint moved), its link placements, and the frame drawn and
//   read back (goal: under 16 ms, one frame at 60 Hz).
//   BM_RobotFrameSamePose: the frame alone, nothing moved.
// Give another robot description as the first argument.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/PrivateDisplay.h"
#include "ui/robot/RobotPoser.h"
#include "ui/robot/RobotView.h"

namespace {

std::string robotFile;

void MeasureFrames(benchmark::State& state, bool move) {
  brv3::robot::RobotLoadResult loaded = brv3::robot::LoadRobotModel(robotFile);
  if (!loaded.model) {
    state.SkipWithError(loaded.error.c_str());
    return;
  }
  auto model = std::make_shared<const brv3::robot::RobotModel>(std::move(*loaded.model));
  brv3::RobotPoser poser(model);
  brv3::RobotView view;
  view.resize(640, 480);
  view.show();
  view.SetModel(model, poser.Links());
  if (!view.Drawing()) {
    state.SkipWithError(view.Message().toStdString().c_str());
    return;
  }
  // The view starts drawing once the event loop has shown it; the first frame builds the shaders.
  QElapsedTimer started;
  started.start();
  while (view.Grab().isNull() && started.elapsed() < 20000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  if (view.Grab().isNull()) {
    state.SkipWithError("the view drew nothing");
    return;
  }
  brv3::ChannelWords words{};
  int i = 0;
  for (auto _ : state) {
    if (move) {
      ++i;
      for (size_t c = 0; c < words.size(); ++c)
        words[c] =
            static_cast<uint16_t>(16384 + ((i * 37 + static_cast<int>(c) * 101) % 800) - 400);
      poser.Pose(words);
      view.Place(poser.Links());
    }
    QImage frame = view.Grab();
    if (frame.isNull()) state.SkipWithError("a frame was not drawn");
    benchmark::DoNotOptimize(frame);
  }
}

void BM_RobotFrame(benchmark::State& state) {
  MeasureFrames(state, true);
}
BENCHMARK(BM_RobotFrame)->Unit(benchmark::kMillisecond)->Iterations(100);

void BM_RobotFrameSamePose(benchmark::State& state) {
  MeasureFrames(state, false);
}
BENCHMARK(BM_RobotFrameSamePose)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  brv3::platform::PrivateDisplay display;
  if (qEnvironmentVariableIsEmpty("DISPLAY")) {
    std::string error;
    if (!display.Start(error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    qputenv("DISPLAY", QByteArray::fromStdString(display.Name()));
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  robotFile = argc > 1 ? argv[1] : brv3::DefaultRobotFile();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
