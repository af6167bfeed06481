#include <cstdlib>

#include "core/motion/ChannelWord.h"
#include "sim/Board.h"

namespace brv3::sim {
namespace {

constexpr int kUntimedStepsPerTick = 64;
constexpr size_t kMaxCallDepth = 16;
constexpr int kMaxSteps = 256;

constexpr int kClassSpeed = 3;
constexpr int kClassStretch = 4;
constexpr int kClassSetCounter = 6;
constexpr int kClassLoopBranch = 7;
constexpr int kClassSetRegister = 8;
constexpr int kClassSlotJump = 36;
constexpr int kClassSlotCall = 37;
constexpr int kClassReturn = 38;

ChannelWords RecordWords(const Record& r) {
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

void Board::AdvanceTo(Nanos now) {
  if (now < now_) return;
  if (!player_.active && nextTick_ <= now) {
    nextTick_ += ((now - nextTick_) / kTick + 1) * kTick;
  }
  while (nextTick_ <= now) {
    RunTick(nextTick_);
    nextTick_ += kTick;
    if (!player_.active && nextTick_ <= now) nextTick_ += ((now - nextTick_) / kTick + 1) * kTick;
  }
  if (working_.modeWord & kModeAnalogReport) {
    if (now - nextAnalogReport_ > 10 * kAnalogReportPeriod) nextAnalogReport_ = now;
    while (nextAnalogReport_ <= now) {
      Bytes report{0xFE};
      for (uint16_t v : analog_) {
        report.push_back(static_cast<uint8_t>((v >> 7) & 0x7F));
        report.push_back(static_cast<uint8_t>(v & 0x7F));
      }
      report.push_back(0x00);
      notifications_.push_back(report);
      nextAnalogReport_ += kAnalogReportPeriod;
    }
  }
  if (working_.modeWord & kModeReceiverReport) {
    if (now - nextRemoteReport_ > 10 * kRemoteReportPeriod) nextRemoteReport_ = now;
    while (nextRemoteReport_ <= now) {
      notifications_.push_back(RemoteReport());
      nextRemoteReport_ += kRemoteReportPeriod;
    }
  }
  now_ = now;
}

Bytes Board::RemoteReport() const {
  return Bytes{0xFD,
               0x00,
               static_cast<uint8_t>(remoteCode_ >> 8),
               static_cast<uint8_t>(remoteCode_ & 0xFF),
               transmitter_[0],
               transmitter_[1],
               transmitter_[2],
               transmitter_[3],
               0x00};
}

std::vector<Bytes> Board::TakeNotifications() {
  std::vector<Bytes> out(notifications_.begin(), notifications_.end());
  notifications_.clear();
  return out;
}

void Board::InjectRemote(uint16_t code, const std::array<uint8_t, 4>& values, Nanos now) {
  AdvanceTo(now);
  remoteCode_ = code;
  transmitter_ = values;
  if (working_.modeWord & kModeReceiverReport) {
    notifications_.push_back(RemoteReport());
  }
  if ((working_.modeWord & kModeRemotePlay) && code != 0xFFFF) {
    for (int e = 0; e < kTableEntries; ++e) {
      const Entry& entry = flash_.table[e];
      if (entry[0] != 0 && (entry[8] << 8 | entry[9]) == code) {
        Play(e, now);
        break;
      }
    }
  }
}

void Board::ApplyPose(const Record& record, Nanos now, bool fromPlayback) {
  const Nanos duration = record[0] * kTick;
  const ChannelWords words = RecordWords(record);
  for (int c = 0; c < kChannels; ++c) {
    const uint16_t w = words[c];
    if (w == 0) continue;
    const int wordClass = WordClass(w);
    if (IsServoPosition(w) || (w >= kWordL && w <= 0x8005)) {
      servos_.Move(c, w, now, duration);
      if (fromPlayback) {
        livePose_[1 + 2 * c] = record[1 + 2 * c];
        livePose_[2 + 2 * c] = record[2 + 2 * c];
      }
    } else if (wordClass == kClassSpeed) {
      speedTable_[c] = static_cast<uint8_t>(WordBase(w).operand);
    } else if (wordClass == kClassStretch) {
      stretchTable_[c] = static_cast<uint8_t>(WordBase(w).operand);
    }
  }
}

void Board::Play(int entry, Nanos now) {
  player_ = Player{};
  player_.active = true;
  player_.entry = entry;
  player_.waitUntil = now;
  nextTick_ = now + kTick;
  if (!StartEntry(entry, now) && player_.active) Finish();
}

void Board::Stop(Nanos now) {
  player_.active = false;
  player_.calls.clear();
  servos_.Halt(now);
  // Asleep, the servos are free; what the board holds is the pose it resumes on waking.
  stopPositions_ =
      (working_.modeWord & kModeSleep) ? RecordWords(livePose_) : servos_.Positions(now);
}

bool Board::StartEntry(int entry, Nanos) {
  if (entry < kMotionSlots) return StartMotion(entry);
  player_.scenario = entry - kMotionSlots;
  player_.scenarioStep = 0;
  NextScenarioMotion();
  return player_.active;
}

bool Board::StartMotion(int motion) {
  if (motion < 0 || motion >= kMotionSlots || MotionCount(motion) == 0) return false;
  player_.motion = motion;
  player_.step = 0;
  return true;
}

void Board::NextScenarioMotion() {
  const auto& list = flash_.scenarios[player_.scenario];
  while (player_.scenarioStep < kScenarioSteps) {
    const uint8_t m = list[player_.scenarioStep];
    if (m == kScenarioEnd) break;
    if (StartMotion(m)) return;
    ++player_.scenarioStep;
  }
  Finish();
}

void Board::EndMotion() {
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

void Board::Finish() {
  player_.active = false;
  player_.calls.clear();
  if (working_.modeWord & kModePlaybackReport) {
    Bytes report(32, 0x00);
    report[0] = 0xFF;
    report[1] = 0x01;  // one finished playback, in value byte 0
    for (int k = 0; k < kChannels; ++k) report[7 + k] = 0xFF;
    report[7] = static_cast<uint8_t>(player_.entry);
    notifications_.push_back(report);
  }
}

void Board::RunTick(Nanos now) {
  if (!player_.active) return;
  if (working_.modeWord & (kModeSleep | kModePause)) {
    player_.waitUntil += kTick;
    return;
  }
  for (int budget = kUntimedStepsPerTick; budget > 0 && player_.active && now >= player_.waitUntil;
       --budget) {
    ExecuteStep(now);
  }
}

void Board::ExecuteStep(Nanos now) {
  const int index = player_.motion * kRecordsPerSlot + player_.step;
  if (player_.step >= MotionCount(player_.motion) || player_.step >= kMaxSteps ||
      index >= kMotionRecords) {
    EndMotion();
    return;
  }
  const Record& record = flash_.motions[index];
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
      player_.step = BranchTaken(WordClass(w), target) ? target : player_.step + 1;
      break;
    }
    case kSet:
      ++player_.step;
      ApplySetStep(words, now);
      break;
    case kMix:
      ++player_.step;
      break;
    default:
      ApplyPose(record, now, true);
      player_.waitUntil = now + record[0] * kTick;
      ++player_.step;
      break;
  }
}

void Board::ApplySetStep(const ChannelWords& words, Nanos now) {
  bool counterSet = false;
  bool registerSet = false;
  for (uint16_t w : words) {
    const int wordClass = WordClass(w);
    const int operand = WordBase(w).operand;
    if (wordClass == kClassSetCounter && !counterSet) {
      loopCounter_ = static_cast<uint8_t>(operand);
      counterSet = true;
    } else if (wordClass == kClassSetRegister && !registerSet) {
      compareRegister_ = operand - 1023;
      registerSet = true;
    } else if (wordClass >= 26 && wordClass <= 28) {
      analogReference_[wordClass - 26] = analog_[wordClass - 25];
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
      if (!StartEntry(operand, now) && player_.active) EndMotion();
      return;
    }
    if (wordClass == kClassReturn) {
      EndMotion();
      return;
    }
  }
}

bool Board::BranchTaken(int wordClass, int) {
  switch (wordClass) {
    case kClassLoopBranch:
      if (loopCounter_ == 0) return false;
      --loopCounter_;
      return true;
    case 9:
    case 10:
    case 11: {
      const int i = wordClass - 9;
      return std::abs(static_cast<int>(analog_[i + 1]) - analogReference_[i]) > compareRegister_;
    }
    case 15:
    case 16:
    case 17:
    case 18:
      return transmitter_[wordClass - 15] > compareRegister_;
    case 34:
      return remoteCode_ == compareRegister_;
    case 35:
      return compareRegister_ > 0 && (remoteCode_ & compareRegister_) != 0;
    default:
      return false;
  }
}

}  // namespace brv3::sim
