#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/motion/ChannelWord.h"
#include "core/motion/MotionPreview.h"
#include "core/motion/PlaybackModel.h"

namespace brv3 {
namespace {

constexpr uint16_t kSetCounter = 33287;      // + count
constexpr uint16_t kLoopBranch = 33543;      // + target step
constexpr uint16_t kSetRegister = 39942;     // + value + 1023
constexpr uint16_t kAnalog1Compare = 35846;  // + target step
constexpr uint16_t kSlotJump = 57349;        // + entry
constexpr uint16_t kSlotCall = 57434;        // + entry
constexpr uint16_t kReturn = 57519;

// A step whose 24 words are all `word` (as the compiler writes jumps, Set and Compare steps).
PoseRecord Step(uint8_t head, uint16_t word) {
  PoseRecord r;
  r.Head = head;
  r.Values.fill(word);
  return r;
}
// A pose moving channel 1 only; the other channels are not driven.
PoseRecord Ch1(uint8_t speed, uint16_t word) {
  PoseRecord r;
  r.Head = speed;
  r.Values[0] = word;
  return r;
}
PoseRecord End() {
  return Step(1, kWordEnd);
}

std::vector<int> StepsRun(const MotionPreview& preview) {
  std::vector<int> steps;
  for (const auto& e : preview.Steps()) steps.push_back(e.step);
  return steps;
}

TEST(MotionPreview, PosesGlideOverTheirTicksAndEndStopsPlayback) {
  const MotionPreview preview({Ch1(10, 20000), Ch1(5, 12000), End()});
  // Play at 0, the first step at the first tick (10 ms), 100 ms then 50 ms of movement.
  EXPECT_DOUBLE_EQ(preview.Duration(), 0.16);
  EXPECT_FALSE(preview.RunsForever());
  EXPECT_EQ(preview.At(0).words[0], kPositionCenter);
  EXPECT_EQ(preview.At(0.005).step, -1);
  EXPECT_EQ(preview.At(0.06).words[0], (16384 + 20000) / 2);
  EXPECT_EQ(preview.At(0.06).step, 0);
  EXPECT_EQ(preview.At(0.11).words[0], 20000);
  EXPECT_EQ(preview.At(0.135).words[0], 16000);
  EXPECT_EQ(preview.At(0.135).step, 1);
  EXPECT_FALSE(preview.At(0.15).finished);
  const PreviewSample end = preview.At(0.16);
  EXPECT_TRUE(end.finished);
  EXPECT_EQ(end.step, 2);
  EXPECT_EQ(end.words[0], 12000);
  EXPECT_EQ(preview.At(99).words[0], 12000);
  EXPECT_EQ(preview.At(0.06).words[1], kPositionCenter);  // never driven
  EXPECT_EQ(StepsRun(preview), (std::vector<int>{0, 1, 2}));
}

TEST(MotionPreview, JumpsAndLoopCounterBranches) {
  // A jump over a pose skips it.
  const MotionPreview jump({Step(1, kWordJumpBase + 2), Ch1(1, 1234), Ch1(1, 0x2000), End()});
  EXPECT_EQ(StepsRun(jump), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(jump.At(1).words[0], 0x2000);
  EXPECT_DOUBLE_EQ(jump.Duration(), 0.02);

  // Counter 2, two 100 ms poses, branch back while the counter is not 0: six poses.
  const std::vector<PoseRecord> loop{Step(1, kSetCounter + 2), Ch1(10, 0x1000), Ch1(10, 0x2000),
                                     Step(1, kLoopBranch + 1), End()};
  const MotionPreview counted(loop);
  EXPECT_DOUBLE_EQ(counted.Duration(), 0.01 + 0.6);
  EXPECT_EQ(StepsRun(counted), (std::vector<int>{0, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4}));

  // Without the Set step the branch reads the counter the board starts with.
  const std::vector<PoseRecord> bare{Ch1(10, 0x1000), Ch1(10, 0x2000), Step(1, kLoopBranch + 0),
                                     End()};
  EXPECT_DOUBLE_EQ(MotionPreview(bare).Duration(), 0.21);
  PreviewSettings settings;
  settings.loopCounter = 3;
  EXPECT_DOUBLE_EQ(MotionPreview(bare, settings).Duration(), 0.81);
}

TEST(MotionPreview, ComparesReadTheInputsTheUserSets) {
  // Register 100; analog 1 compared with its reference taken at power-on: branch to the 0x3000
  // pose when it moved by more than 100.
  const std::vector<PoseRecord> motion{Step(1, kSetRegister + 100 + 1023),
                                       Step(1, kAnalog1Compare + 4),
                                       Ch1(1, 0x1000),
                                       End(),
                                       Ch1(1, 0x3000),
                                       End()};
  EXPECT_EQ(MotionPreview(motion).At(1).words[0], 0x1000);
  PreviewSettings settings;
  settings.inputs.analog = {650, 500, 0, 0};
  EXPECT_EQ(MotionPreview(motion, settings).At(1).words[0], 0x3000);
  settings.analogReference = {450, 0, 0};
  EXPECT_EQ(MotionPreview(motion, settings).At(1).words[0], 0x1000);
  // A Set step that takes the reference now makes the same reading no change at all.
  std::vector<PoseRecord> retaken = motion;
  retaken.insert(retaken.begin(), Step(1, 65268));
  retaken[2].Values.fill(kAnalog1Compare + 5);  // the branch target moved one on
  settings.analogReference = {0, 0, 0};
  EXPECT_EQ(MotionPreview(retaken, settings).At(1).words[0], 0x1000);
}

TEST(MotionPreview, RemoteCodeBranch) {
  constexpr uint16_t kRemoteEquals = 39430;  // class 34, + target step
  const std::vector<PoseRecord> motion{Step(1, kSetRegister + 0x20 + 1023),
                                       Step(1, kRemoteEquals + 4),
                                       Ch1(1, 0x1000),
                                       End(),
                                       Ch1(1, 0x3000),
                                       End()};
  EXPECT_EQ(MotionPreview(motion).At(1).words[0], 0x1000);
  PreviewSettings settings;
  settings.inputs.remoteCode = 0x20;
  EXPECT_EQ(MotionPreview(motion, settings).At(1).words[0], 0x3000);
}

TEST(MotionPreview, AMotionThatLoopsForeverRepeatsItsPeriod) {
  const MotionPreview preview({Ch1(10, 0x1000), Ch1(10, 0x2000), Step(1, kWordJumpBase + 0)});
  ASSERT_TRUE(preview.RunsForever());
  EXPECT_FALSE(preview.Truncated());
  EXPECT_DOUBLE_EQ(preview.LoopPeriod(), 0.2);
  EXPECT_GE(preview.Duration(), preview.LoopStart() + preview.LoopPeriod());
  for (double t : {0.03, 0.12, 0.17, 0.205}) {
    const PreviewSample early = preview.At(t + 0.2);
    for (int k : {7, 500, 18000}) {
      const PreviewSample later = preview.At(t + 0.2 * k);
      EXPECT_EQ(later.words, early.words) << t << " " << k;
      EXPECT_EQ(later.step, early.step);
      EXPECT_FALSE(later.finished);
    }
  }
  // A loop of jumps alone takes no board time per step but never ends either.
  const MotionPreview spin({Step(1, kWordJumpBase + 0)});
  EXPECT_TRUE(spin.RunsForever());
  EXPECT_EQ(spin.At(5).words[0], kPositionCenter);
}

TEST(MotionPreview, EmptyAndOddInput) {
  const MotionPreview none;
  EXPECT_DOUBLE_EQ(none.Duration(), 0);
  EXPECT_EQ(none.At(1).words[0], kPositionCenter);
  const MotionPreview empty(std::vector<PoseRecord>{});
  EXPECT_DOUBLE_EQ(empty.Duration(), 0);
  EXPECT_TRUE(empty.At(0).finished);
  const MotionPreview one({Ch1(3, 9000), End()});
  for (double t : {-1.0, std::nan(""), 1e300, -1e300}) {
    const PreviewSample s = one.At(t);
    EXPECT_TRUE(s.words[0] == kPositionCenter || s.words[0] == 9000) << t;
  }
  // A motion with no END runs off its last step and ends there.
  const MotionPreview open({Ch1(3, 9000)});
  EXPECT_DOUBLE_EQ(open.Duration(), 0.04);
}

// Board memory with a few motion slots, for calls and slot jumps.
class SlotMemory : public PlaybackMemory {
 public:
  void Put(int slot, const std::vector<PoseRecord>& steps) {
    auto& bytes = slots_[slot];
    bytes.resize(steps.size() * PoseRecord::kSize);
    for (size_t i = 0; i < steps.size(); ++i) steps[i].PackInto(&bytes[i * PoseRecord::kSize]);
  }
  int StepCount(int motion) const override {
    const auto it = slots_.find(motion);
    return it == slots_.end() ? 0 : static_cast<int>(it->second.size() / PoseRecord::kSize);
  }
  const uint8_t* StepRecord(int motion, int step) const override {
    const auto it = slots_.find(motion);
    return it == slots_.end() ? nullptr : &it->second[step * PoseRecord::kSize];
  }
  int ScenarioMotion(int scenario, int index) const override {
    return scenario == 0 && index < static_cast<int>(scenario_.size()) ? scenario_[index]
                                                                       : kPlaybackScenarioEnd;
  }
  std::vector<int> scenario_;

 private:
  std::map<int, std::vector<uint8_t>> slots_;
};

class Trace : public PlaybackOutputs {
 public:
  void ApplyPose(const uint8_t* record, Nanos now) override {
    poses.push_back({record[2] | record[1] << 8, static_cast<int>(now / kBoardTick)});
  }
  void Finished(int entry) override { finished.push_back(entry); }
  std::vector<std::pair<int, int>> poses;  // channel 1's word, tick
  std::vector<int> finished;
};

void RunTicks(PlaybackModel& model, int ticks) {
  for (int t = 1; t <= ticks; ++t) model.RunTick(t * kBoardTick);
}

TEST(PlaybackModel, CallsReturnAndSlotJumps) {
  SlotMemory memory;
  memory.Put(0, {Ch1(2, 1000), Step(1, kSlotCall + 3), Ch1(2, 2000), End()});
  memory.Put(3, {Ch1(2, 3000), Step(1, kReturn), Ch1(2, 9999), End()});
  memory.Put(5, {Step(1, kSlotJump + 3), Ch1(2, 9999), End()});
  memory.Put(6, {Step(1, kSlotCall + 40), Ch1(2, 4000), Step(1, kSlotJump + 41), Ch1(2, 9999)});
  Trace trace;
  PlaybackModel model(memory, trace);

  model.Play(0, 0);
  RunTicks(model, 20);
  EXPECT_EQ(trace.poses, (std::vector<std::pair<int, int>>{{1000, 1}, {3000, 3}, {2000, 5}}));
  EXPECT_EQ(trace.finished, std::vector<int>{0});
  EXPECT_FALSE(model.Active());

  // A slot jump goes on in the other motion and never comes back.
  trace = {};
  model.Play(5, 0);
  RunTicks(model, 20);
  EXPECT_EQ(trace.poses, (std::vector<std::pair<int, int>>{{3000, 1}}));
  EXPECT_EQ(trace.finished, std::vector<int>{5});

  // A call of an empty slot does nothing; a jump to one ends the motion.
  trace = {};
  model.Play(6, 0);
  RunTicks(model, 20);
  EXPECT_EQ(trace.poses, (std::vector<std::pair<int, int>>{{4000, 1}}));
  EXPECT_EQ(trace.finished, std::vector<int>{6});
}

TEST(PlaybackModel, ScenariosStopAndHeldTicks) {
  SlotMemory memory;
  memory.Put(1, {Ch1(3, 1000), End()});
  memory.Put(2, {Ch1(3, 2000), End()});
  memory.scenario_ = {1, 7, 2};  // slot 7 is empty and skipped
  Trace trace;
  PlaybackModel model(memory, trace);
  model.Play(kPlaybackMotionSlots, 0);
  RunTicks(model, 20);
  EXPECT_EQ(trace.poses, (std::vector<std::pair<int, int>>{{1000, 1}, {2000, 4}}));
  EXPECT_EQ(trace.finished, std::vector<int>{kPlaybackMotionSlots});

  // Held ticks (pause, sleep) push the wait back; Stop ends without a report.
  trace = {};
  model.Play(1, 0);
  model.RunTick(kBoardTick);
  model.RunTick(2 * kBoardTick, true);
  model.RunTick(3 * kBoardTick, true);
  model.RunTick(4 * kBoardTick);
  EXPECT_TRUE(model.Active());
  model.RunTick(5 * kBoardTick);
  model.RunTick(6 * kBoardTick);
  EXPECT_FALSE(model.Active());
  model.Play(2, 0);
  model.RunTick(kBoardTick);
  model.Stop();
  RunTicks(model, 10);
  EXPECT_EQ(trace.finished, std::vector<int>{1});
  // A slot jump to an empty scenario ends playback.
  memory.Put(4, {Step(1, kSlotJump + 84), Ch1(1, 5)});
  model.Play(4, 0);
  RunTicks(model, 5);
  EXPECT_FALSE(model.Active());
}

}  // namespace
}  // namespace brv3
