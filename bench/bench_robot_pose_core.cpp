// Core path only, no window: what following a preview costs per frame for a robot model. One
// iteration samples the board's playback of a motion at a moment (the 24 outputs), turns the
// words into joint positions and places every link. Run for the shipped humanoid (20 servo
// joints) and for a chain of 24 servo joints. The target is under 50 us per iteration. After the
// timed loop the benchmark checks that the samples moved the robot and gave finite placements.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "core/motion/ChannelWord.h"
#include "core/motion/MotionPreview.h"
#include "core/robot/Kinematics.h"
#include "core/robot/RobotModel.h"

namespace {

using namespace brv3;

// 24 joints in a chain, each on its own channel.
std::string Chain24() {
  std::string text = "<robot name=\"chain\"><link name=\"l0\"/>";
  for (int i = 1; i <= 24; ++i) {
    const std::string n = std::to_string(i);
    const std::string p = std::to_string(i - 1);
    text += "<link name=\"l" + n + "\"><visual><geometry><box size=\"0.02 0.02 0.05\"/>" +
            "</geometry></visual></link><joint name=\"j" + n + "\" type=\"revolute\"><parent " +
            "link=\"l" + p + "\"/><child link=\"l" + n + "\"/><origin xyz=\"0 0 0.05\" rpy=\"0.1 " +
            "0 0\"/><axis xyz=\"" + (i % 2 ? "0 1 0" : "1 0 0") + "\"/><limit lower=\"-1\" " +
            "upper=\"1\" effort=\"1\" velocity=\"1\"/></joint><transmission name=\"t" + n +
            "\"><type>transmission_interface/SimpleTransmission</type><joint name=\"j" + n +
            "\"/><actuator name=\"CH" + n +
            "\"><mechanicalReduction>650</mechanicalReduction></actuator></transmission>";
  }
  return text + "</robot>";
}

// A motion of 16 poses moving every channel, looping for ever.
std::vector<PoseRecord> Motion() {
  std::vector<PoseRecord> records;
  for (int s = 0; s < 16; ++s) {
    PoseRecord r;
    r.Head = static_cast<uint8_t>(8 + s % 5);
    for (int c = 0; c < kChannels; ++c)
      r.Values[c] = static_cast<uint16_t>(kPositionCenter + 600 * std::sin(0.4 * s + c));
    records.push_back(r);
  }
  PoseRecord jump;
  jump.Head = 1;
  jump.Values.fill(kWordJumpBase);
  records.push_back(jump);
  return records;
}

void Run(benchmark::State& state, const robot::RobotLoadResult& loaded) {
  if (!loaded.model) {
    state.SkipWithError(loaded.error.c_str());
    return;
  }
  const robot::RobotModel& model = *loaded.model;
  const MotionPreview preview(Motion());
  PreviewSample sample;
  robot::JointPositions joints = robot::RestJointPositions(model);
  std::vector<robot::Transform> links;
  double t = 0;
  const robot::Transform rest = robot::ForwardKinematics(model, joints).back();
  double moved = 0;
  for (auto _ : state) {
    t += 0.0167;
    preview.At(t, sample);
    joints = robot::JointPositionsFromPose(model, sample.words, joints);
    robot::ForwardKinematics(model, joints, links);
    benchmark::DoNotOptimize(links.data());
    const robot::Vec3& p = links.back().position;
    moved = std::max(moved, std::abs(p.x - rest.position.x) + std::abs(p.y - rest.position.y) +
                                std::abs(p.z - rest.position.z));
  }
  bool finite = true;
  for (const robot::Transform& l : links)
    finite = finite && std::isfinite(l.position.x + l.position.y + l.position.z);
  if (!preview.RunsForever() || links.size() != model.links.size() || !finite || moved <= 1e-4)
    state.SkipWithError("the samples did not move the robot");
  state.counters["links"] = static_cast<double>(model.links.size());
  state.counters["servo_joints"] = static_cast<double>(model.channels.size());
}

void BM_CoreOnly_PreviewSampleAndKinematics_Humanoid(benchmark::State& state) {
  Run(state, robot::LoadRobotModel(BRV3_ROBOTS_DIR "/humanoid.urdf"));
}
BENCHMARK(BM_CoreOnly_PreviewSampleAndKinematics_Humanoid)->Unit(benchmark::kMicrosecond);

void BM_CoreOnly_PreviewSampleAndKinematics_Chain24(benchmark::State& state) {
  Run(state, robot::LoadRobotModelFromString(Chain24(), "chain"));
}
BENCHMARK(BM_CoreOnly_PreviewSampleAndKinematics_Chain24)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
