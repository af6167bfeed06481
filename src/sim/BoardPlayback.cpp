#include "core/motion/ChannelWord.h"
#include "sim/Board.h"

namespace brv3::sim {
namespace {

constexpr int kClassSpeed = 3;
constexpr int kClassStretch = 4;

ChannelWords RecordWords(const Record& r) {
  ChannelWords words{};
  for (int c = 0; c < kChannels; ++c)
    words[c] = static_cast<uint16_t>(r[1 + 2 * c] << 8 | r[2 + 2 * c]);
  return words;
}

}  // namespace

void Board::AdvanceTo(Nanos now) {
  if (now < now_) return;
  if (!player_.Active() && nextTick_ <= now) {
    nextTick_ += ((now - nextTick_) / kTick + 1) * kTick;
  }
  while (nextTick_ <= now) {
    RunTick(nextTick_);
    nextTick_ += kTick;
    if (!player_.Active() && nextTick_ <= now) nextTick_ += ((now - nextTick_) / kTick + 1) * kTick;
  }
  if (working_.modeWord & kModeAnalogReport) {
    if (now - nextAnalogReport_ > 10 * kAnalogReportPeriod) nextAnalogReport_ = now;
    while (nextAnalogReport_ <= now) {
      Bytes report{0xFE};
      for (uint16_t v : player_.Inputs().analog) {
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
               static_cast<uint8_t>(player_.Inputs().remoteCode >> 8),
               static_cast<uint8_t>(player_.Inputs().remoteCode & 0xFF),
               player_.Inputs().transmitter[0],
               player_.Inputs().transmitter[1],
               player_.Inputs().transmitter[2],
               player_.Inputs().transmitter[3],
               0x00};
}

std::vector<Bytes> Board::TakeNotifications() {
  std::vector<Bytes> out(notifications_.begin(), notifications_.end());
  notifications_.clear();
  return out;
}

void Board::InjectRemote(uint16_t code, const std::array<uint8_t, 4>& values, Nanos now) {
  AdvanceTo(now);
  player_.Inputs().remoteCode = code;
  player_.Inputs().transmitter = values;
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

void Board::ApplyPose(const uint8_t* record, Nanos now, bool fromPlayback) {
  MoveServosToPose(servos_, record, now);
  for (int c = 0; c < kChannels; ++c) {
    const uint16_t w = static_cast<uint16_t>(record[1 + 2 * c] << 8 | record[2 + 2 * c]);
    if (w == 0) continue;
    const int wordClass = WordClass(w);
    if (PoseWordDrivesOutput(w)) {
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

void Board::ApplyPose(const uint8_t* record, Nanos now) {
  ApplyPose(record, now, true);
}

const uint8_t* Board::StepRecord(int motion, int step) const {
  const int index = motion * kRecordsPerSlot + step;
  return index < kMotionRecords ? flash_.motions[index].data() : nullptr;
}

void Board::Play(int entry, Nanos now) {
  nextTick_ = now + kTick;
  player_.Play(entry, now);
}

void Board::Stop(Nanos now) {
  player_.Stop();
  servos_.Halt(now);
  // Asleep, the servos are free; what the board holds is the pose it resumes on waking.
  stopPositions_ =
      (working_.modeWord & kModeSleep) ? RecordWords(livePose_) : servos_.Positions(now);
}

void Board::Finished(int entry) {
  if (working_.modeWord & kModePlaybackReport) {
    Bytes report(32, 0x00);
    report[0] = 0xFF;
    report[1] = 0x01;  // one finished playback, in value byte 0
    for (int k = 0; k < kChannels; ++k) report[7 + k] = 0xFF;
    report[7] = static_cast<uint8_t>(entry);
    notifications_.push_back(report);
  }
}

void Board::RunTick(Nanos now) {
  player_.RunTick(now, (working_.modeWord & (kModeSleep | kModePause)) != 0);
}

}  // namespace brv3::sim
