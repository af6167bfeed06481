#include "core/motion/PlaybackModel.h"

#include <cstdlib>

#include "core/motion/ChannelWord.h"

namespace brv3 {
namespace {

constexpr size_t kMaxCallDepth = 16;
constexpr int kMaxSteps = 256;

constexpr int kClassSetCounter = 6;
constexpr int kClassLoopBranch = 7;
constexpr int kClassSetRegister = 8;
constexpr int kClassSlotJump = 36;
constexpr int kClassSlotCall = 37;
constexpr int kClassReturn = 38;

ChannelWords RecordWords(const uint8_t* r) {
  ChannelWords words{};
  for (int c = 0; c < kChannels; ++c)
    words[c] = static_cast<uint16_t>(r[1 + 2 * c] << 8 | r[2 + 2 * c]);
  return words;
}

// The word that carries a jump or branch target: channel 24's, else the first word of a class
// of that kind.
uint16_t TargetWord(const ChannelWords& words, uint8_t type) {
  if (WordClassType(WordClass(words[kChannels - 1])) == type) return words[kChannels - 1];
  for (uint16_t w : words) {
    if (WordClassType(WordClass(w)) == type) return w;
  }
  return words[kChannels - 1];
}

}  // namespace

void MoveServosToPose(ServoBank& servos, const uint8_t* record, Nanos now) {
  const Nanos duration = record[0] * kBoardTick;
  for (int c = 0; c < kChannels; ++c) {
    const uint16_t w = static_cast<uint16_t>(record[1 + 2 * c] << 8 | record[2 + 2 * c]);
    if (w != 0 && PoseWordDrivesOutput(w)) servos.Move(c, w, now, duration);
  }
}

bool PlaybackModel::State::operator==(const State&) const = default;

PlaybackModel::PlaybackModel(const PlaybackMemory& memory, PlaybackOutputs& outputs)
    : memory_(memory), outputs_(outputs) {
  TakeAnalogReferences();
}

void PlaybackModel::TakeAnalogReferences() {
  for (int i = 0; i < 3; ++i) registers_.analogReference[i] = inputs_.analog[i + 1];
}

PlaybackModel::State PlaybackModel::Snapshot() const {
  State s;
  s.scenario = player_.scenario;
  s.scenarioStep = player_.scenarioStep;
  s.motion = player_.motion;
  s.step = player_.step;
  for (const CallFrame& f : player_.calls)
    s.calls.push_back({f.scenario, f.scenarioStep, f.motion, f.step});
  s.registers = registers_;
  return s;
}

void PlaybackModel::Play(int entry, Nanos now) {
  player_ = Player{};
  player_.active = true;
  player_.entry = entry;
  player_.waitUntil = now;
  if (!StartEntry(entry) && player_.active) Finish();
}

void PlaybackModel::Stop() {
  player_.active = false;
  player_.calls.clear();
}

bool PlaybackModel::StartEntry(int entry) {
  if (entry < kPlaybackMotionSlots) return StartMotion(entry);
  player_.scenario = entry - kPlaybackMotionSlots;
  player_.scenarioStep = 0;
  NextScenarioMotion();
  return player_.active;
}

bool PlaybackModel::StartMotion(int motion) {
  if (motion < 0 || motion >= kPlaybackMotionSlots || memory_.StepCount(motion) == 0) return false;
  player_.motion = motion;
  player_.step = 0;
  return true;
}

void PlaybackModel::NextScenarioMotion() {
  if (player_.scenario >= 0 && player_.scenario < kPlaybackScenarios) {
    while (player_.scenarioStep < kPlaybackScenarioSteps) {
      const int m = memory_.ScenarioMotion(player_.scenario, player_.scenarioStep);
      if (m == kPlaybackScenarioEnd) break;
      if (StartMotion(m)) return;
      ++player_.scenarioStep;
    }
  }
  Finish();
}

void PlaybackModel::EndMotion() {
  if (!player_.calls.empty()) {
    const CallFrame frame = player_.calls.back();
    player_.calls.pop_back();
    player_.scenario = frame.scenario;
    player_.scenarioStep = frame.scenarioStep;
    player_.motion = frame.motion;
    player_.step = frame.step;
    return;
  }
  if (player_.scenario >= 0) {
    ++player_.scenarioStep;
    NextScenarioMotion();
    return;
  }
  Finish();
}

void PlaybackModel::Finish() {
  player_.active = false;
  player_.calls.clear();
  outputs_.Finished(player_.entry);
}

void PlaybackModel::RunTick(Nanos now, bool held) {
  if (!player_.active) return;
  if (held) {
    player_.waitUntil += kBoardTick;
    return;
  }
  for (int budget = kUntimedStepsPerTick; budget > 0 && player_.active && now >= player_.waitUntil;
       --budget) {
    ExecuteStep(now);
  }
}

void PlaybackModel::ExecuteStep(Nanos now) {
  const int motion = player_.motion;
  const int step = player_.step;
  const uint8_t* record = step < kMaxSteps ? memory_.StepRecord(motion, step) : nullptr;
  if (step >= memory_.StepCount(motion) || !record) {
    EndMotion();
    return;
  }
  outputs_.StepExecuted(motion, step, now);
  const ChannelWords words = RecordWords(record);
  switch (DeriveType(words)) {
    case kEndStep:
      EndMotion();
      break;
    case kJumpStep:
      player_.step = WordBase(TargetWord(words, kJumpStep)).operand;
      break;
    case kCompare: {
      const uint16_t w = TargetWord(words, kCompare);
      const int target = WordBase(w).operand;
      player_.step = BranchTaken(WordClass(w)) ? target : player_.step + 1;
      break;
    }
    case kSet:
      ++player_.step;
      ApplySetStep(words);
      break;
    case kMix:
      ++player_.step;
      break;
    default:
      outputs_.ApplyPose(record, now);
      player_.waitUntil = now + record[0] * kBoardTick;
      ++player_.step;
      break;
  }
}

void PlaybackModel::ApplySetStep(const ChannelWords& words) {
  bool counterSet = false;
  bool registerSet = false;
  for (uint16_t w : words) {
    const int wordClass = WordClass(w);
    const int operand = WordBase(w).operand;
    if (wordClass == kClassSetCounter && !counterSet) {
      registers_.loopCounter = static_cast<uint8_t>(operand);
      counterSet = true;
    } else if (wordClass == kClassSetRegister && !registerSet) {
      registers_.compareRegister = operand - 1023;
      registerSet = true;
    } else if (wordClass >= 26 && wordClass <= 28) {
      registers_.analogReference[wordClass - 26] = inputs_.analog[wordClass - 25];
    }
  }
  // At most one change of flow per step: the first slot jump, call or return found.
  for (uint16_t w : words) {
    const int wordClass = WordClass(w);
    const int operand = WordBase(w).operand;
    if (wordClass == kClassSlotJump || wordClass == kClassSlotCall) {
      if (wordClass == kClassSlotCall) {
        if (player_.calls.size() >= kMaxCallDepth) return;
        player_.calls.push_back(
            {player_.scenario, player_.scenarioStep, player_.motion, player_.step});
      }
      if (!StartEntry(operand) && player_.active) EndMotion();
      return;
    }
    if (wordClass == kClassReturn) {
      EndMotion();
      return;
    }
  }
}

bool PlaybackModel::BranchTaken(int wordClass) {
  const int compare = registers_.compareRegister;
  switch (wordClass) {
    case kClassLoopBranch:
      if (registers_.loopCounter == 0) return false;
      --registers_.loopCounter;
      return true;
    case 9:
    case 10:
    case 11: {
      const int i = wordClass - 9;
      return std::abs(static_cast<int>(inputs_.analog[i + 1]) - registers_.analogReference[i]) >
             compare;
    }
    case 15:
    case 16:
    case 17:
    case 18:
      return inputs_.transmitter[wordClass - 15] > compare;
    case 34:
      return inputs_.remoteCode == compare;
    case 35:
      return compare > 0 && (inputs_.remoteCode & compare) != 0;
    default:
      return false;
  }
}

}  // namespace brv3
