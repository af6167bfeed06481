// Core path only: the whole robot check of a motion before a write (or after an edit): joint
// limits at every step and self-collision at every step and every board tick between steps, for
// the shipped humanoid. The motion has 255 steps (254 poses and the jump back to the first): a
// sway of every servo within its limits, 5 to 30 ticks a pose (about 44 s of playback, 4,400
// samples), with a knee bent the wrong way and the legs crossed every 50 poses. The target is
// under 100 ms. After the timed loop the benchmark checks that the check found the knee and the
// crossed legs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "BenchCharts.h"
#include "core/motion/ChannelWord.h"
#include "core/robot/RobotChecks.h"

namespace {

using namespace brv3;

uint16_t Word(double radians) {
  return static_cast<uint16_t>(kPositionCenter + std::lround(radians * 650));
}

Chart Gait() {
  Chart chart = bench::BigChart(254);
  for (int i = 0; i < 254; ++i) {
    ChartObject& o = chart.Objects[static_cast<size_t>(i)];
    o.Head = static_cast<uint8_t>(5 + i % 26);
    const double phase = 0.35 * i;
    for (int c = 0; c < kChannels; ++c) o.Values[static_cast<size_t>(c)] = kPositionCenter;
    o.Values[0] = Word(0.4 * std::sin(phase));         // head yaw
    o.Values[1] = Word(0.2 * std::sin(phase));         // waist yaw
    o.Values[2] = Word(-0.3 + 0.3 * std::sin(phase));  // shoulder pitch
    o.Values[3] = Word(0.3 + 0.1 * std::cos(phase));   // shoulder roll, out
    o.Values[4] = Word(-0.6 - 0.3 * std::sin(phase));  // elbow
    o.Values[5] = Word(-0.3 - 0.3 * std::sin(phase));
    o.Values[6] = Word(-0.3 - 0.1 * std::cos(phase));
    o.Values[7] = Word(-0.6 + 0.3 * std::sin(phase));
    for (int leg = 0; leg < 2; ++leg) {
      const double s = std::sin(phase + leg * 3.14159);
      const int base = 8 + leg * 6;
      o.Values[static_cast<size_t>(base + 2)] = Word(-0.4 + 0.3 * s);  // hip pitch
      o.Values[static_cast<size_t>(base + 3)] = Word(0.7 - 0.3 * s);   // knee
      o.Values[static_cast<size_t>(base + 4)] = Word(-0.3 + 0.1 * s);  // ankle pitch
    }
    if (i % 50 == 20) o.Values[11] = Word(-0.2);  // the left knee bent the wrong way
    if (i % 50 == 40) {                           // the legs crossed
      o.Values[9] = Word(-0.4);
      o.Values[15] = Word(0.4);
    }
  }
  return chart;
}

void BM_CoreOnly_RobotCheck_255Steps_Humanoid(benchmark::State& state) {
  robot::RobotLoadResult loaded = robot::LoadRobotModel(BRV3_ROBOTS_DIR "/humanoid.urdf");
  if (!loaded.model) {
    state.SkipWithError(loaded.error.c_str());
    return;
  }
  const robot::DisabledCollisionsResult disabled =
      robot::LoadDisabledCollisionsBeside(*loaded.model);
  if (!disabled.pairs) {
    state.SkipWithError(disabled.error.c_str());
    return;
  }
  const Chart chart = Gait();
  const MotionCompileResult compiled = CompileMotionChart(chart);
  if (!compiled.ok || compiled.steps.size() != 255) {
    state.SkipWithError("the motion did not compile to 255 steps");
    return;
  }
  robot::RobotCheckResult result;
  for (auto _ : state) {
    result = robot::CheckRobotMotion(*loaded.model, *disabled.pairs, chart, compiled);
    benchmark::DoNotOptimize(result.warnings.data());
  }
  int limits = 0;
  int crossed = 0;
  for (const ChartWarning& w : result.warnings) {
    limits += w.Text.find("l_knee at -0.20 rad is beyond") != std::string::npos;
    crossed += w.Text.find("foot hits") != std::string::npos;
  }
  if (limits != 5 || crossed == 0) state.SkipWithError("the check missed the knee or the legs");
  state.counters["warnings"] = static_cast<double>(result.warnings.size());
  state.counters["playback_s"] = MotionPreview(compiled.records).Duration();
}
BENCHMARK(BM_CoreOnly_RobotCheck_255Steps_Humanoid)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
