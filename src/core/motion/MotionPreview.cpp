#include "core/motion/MotionPreview.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include "core/motion/ChannelWord.h"

namespace brv3 {
namespace {

constexpr int kRecordsPerSlot = 30;
constexpr int kMemoryRecords = kPlaybackMotionSlots * kRecordsPerSlot;
constexpr int kMaxTableSteps = 255;  // the step count is one byte of the table entry
constexpr Nanos kSecond = 1'000'000'000;
// Bounds what a preview keeps: a motion that plays more than this many steps without repeating
// itself is cut there.
constexpr size_t kMaxFrames = 20000;
constexpr size_t kMaxStepEvents = 200000;

// Board memory holding one motion in one slot; every other slot and every scenario is empty.
class OneMotionMemory : public PlaybackMemory {
 public:
  OneMotionMemory(const std::vector<PoseRecord>& records, int slot) : slot_(slot) {
    const size_t room = static_cast<size_t>(std::max(0, kMemoryRecords - slot * kRecordsPerSlot));
    const size_t count = std::min({records.size(), room, static_cast<size_t>(kMaxTableSteps)});
    bytes_.resize(count * PoseRecord::kSize);
    for (size_t i = 0; i < count; ++i) records[i].PackInto(&bytes_[i * PoseRecord::kSize]);
    count_ = static_cast<int>(records.size() > kMaxTableSteps ? kMaxTableSteps : records.size());
  }
  int StepCount(int motion) const override { return motion == slot_ ? count_ : 0; }
  const uint8_t* StepRecord(int motion, int step) const override {
    if (motion != slot_ || step < 0 || (step + 1) * PoseRecord::kSize > bytes_.size())
      return nullptr;
    return &bytes_[static_cast<size_t>(step) * PoseRecord::kSize];
  }
  int ScenarioMotion(int, int) const override { return kPlaybackScenarioEnd; }

 private:
  int slot_;
  int count_ = 0;
  std::vector<uint8_t> bytes_;
};

class RecordingOutputs : public PlaybackOutputs {
 public:
  explicit RecordingOutputs(const ChannelWords& start) : bank(start) {}
  void ApplyPose(const uint8_t* record, Nanos now) override { MoveServosToPose(bank, record, now); }
  void Finished(int) override {
    finished = true;
    finishedAt = tickNow;
  }
  void StepExecuted(int, int step, Nanos now) override {
    lastStep = step;
    executed = true;
    if (steps.size() < kMaxStepEvents) steps.push_back({static_cast<double>(now) / kSecond, step});
  }

  ServoBank bank;
  bool finished = false;
  Nanos tickNow = 0;
  Nanos finishedAt = 0;
  bool executed = false;
  int lastStep = -1;
  std::vector<MotionPreview::StepEvent> steps;
};

// What decides everything playback does from a free tick on, as bytes to compare and hash.
std::string RepeatKey(const PlaybackModel& model, const ServoBank& bank, Nanos now) {
  const PlaybackModel::State s = model.Snapshot();
  std::string key;
  auto put = [&key](int64_t v) { key.append(reinterpret_cast<const char*>(&v), sizeof v); };
  put(s.scenario);
  put(s.scenarioStep);
  put(s.motion);
  put(s.step);
  for (const auto& call : s.calls)
    for (int v : call) put(v);
  put(-1);
  put(s.registers.loopCounter);
  put(s.registers.compareRegister);
  for (uint16_t v : s.registers.analogReference) put(v);
  for (uint16_t v : bank.Positions(now)) put(v);
  for (uint16_t v : bank.Rests()) put(v);
  return key;
}

}  // namespace

ChannelWords PreviewSettings::FreshBoardOutputs() {
  ChannelWords words{};
  words.fill(kPositionCenter);
  return words;
}

MotionPreview::MotionPreview() {
  frames_.push_back({0, -1, ServoBank(PreviewSettings::FreshBoardOutputs())});
}

MotionPreview::MotionPreview(const std::vector<PoseRecord>& records,
                             const PreviewSettings& settings) {
  const int slot = std::clamp(settings.slot, 0, kPlaybackMotionSlots - 1);
  OneMotionMemory memory(records, slot);
  RecordingOutputs outputs(settings.start);
  PlaybackModel model(memory, outputs);
  model.Inputs() = settings.inputs;
  model.Registers().analogReference = settings.analogReference;
  model.Registers().loopCounter = settings.loopCounter;

  frames_.push_back({0, -1, outputs.bank});
  model.Play(slot, 0);
  const Nanos horizon = static_cast<Nanos>(kPreviewHorizonSeconds) * kSecond;
  std::unordered_map<std::string, Nanos> seen;
  Nanos now = kBoardTick;
  for (; model.Active() && now <= horizon; now += kBoardTick) {
    if (now >= model.WaitUntil() && !outputs.bank.Moving(now)) {
      const auto [it, fresh] = seen.emplace(RepeatKey(model, outputs.bank, now), now);
      if (!fresh) {
        forever_ = true;
        loopStart_ = it->second;
        loopPeriod_ = now - it->second;
        end_ = now;
        break;
      }
    }
    outputs.executed = false;
    outputs.tickNow = now;
    model.RunTick(now);
    if (outputs.executed) {
      if (frames_.size() >= kMaxFrames) break;
      frames_.push_back({now, outputs.lastStep, outputs.bank});
    }
  }
  steps_ = std::move(outputs.steps);
  if (forever_) {
    // Only what ran before the repetition started again.
    std::erase_if(steps_, [this](const StepEvent& e) {
      return e.time * kSecond >= static_cast<double>(end_);
    });
    return;
  }
  if (outputs.finished) {
    end_ = outputs.finishedAt;
    return;
  }
  truncated_ = true;
  end_ = std::min(now, horizon);
}

double MotionPreview::Duration() const {
  return static_cast<double>(end_) / kSecond;
}

double MotionPreview::LoopStart() const {
  return static_cast<double>(loopStart_) / kSecond;
}

double MotionPreview::LoopPeriod() const {
  return static_cast<double>(loopPeriod_) / kSecond;
}

Nanos MotionPreview::Fold(Nanos t) const {
  if (!forever_ || loopPeriod_ <= 0 || t < end_) return t;
  return loopStart_ + (t - loopStart_) % loopPeriod_;
}

PreviewSample MotionPreview::At(double seconds) const {
  PreviewSample sample;
  At(seconds, sample);
  return sample;
}

void MotionPreview::At(double seconds, PreviewSample& out) const {
  const Nanos asked = std::isfinite(seconds) && seconds > 0
                          ? static_cast<Nanos>(std::llround(std::min(seconds, 1e9) * kSecond))
                          : 0;
  const Nanos t = Fold(asked);
  auto it = std::upper_bound(frames_.begin(), frames_.end(), t,
                             [](Nanos v, const Frame& f) { return v < f.time; });
  const Frame& frame = it == frames_.begin() ? frames_.front() : *std::prev(it);
  out.words = frame.bank.Positions(t);
  out.step = frame.step;
  out.finished = !forever_ && !truncated_ && asked >= end_;
}

}  // namespace brv3
