#include "core/motion/RestPose.h"

#include "core/motion/ChannelWord.h"

namespace brv3 {

namespace {

constexpr uint8_t kRestSpeed = 100;

bool IsServoPosition(uint16_t word) {
  return word >= 1 && word <= 0x7FFF;
}

}  // namespace

Bytes RestPoseRecord(const Bytes& stopWords, RestPose kind) {
  Bytes record(49, 0);
  record[0] = kRestSpeed;
  for (size_t i = 0; i < 48 && i + 1 < stopWords.size(); i += 2) {
    uint16_t word = static_cast<uint16_t>(stopWords[i] << 8 | stopWords[i + 1]);
    if (kind == RestPose::Trim && IsServoPosition(word))
      word = kPositionCenter;  // the trim's centre
    record[1 + i] = static_cast<uint8_t>(word >> 8);
    record[2 + i] = static_cast<uint8_t>(word & 0xFF);
  }
  return record;
}

bool GoToRestPose(BoardLink& link, RestPose kind,
                  const std::function<void(const Bytes& record)>& load) {
  if (!link.SetSleep(ModeSwitch::On)) return false;
  Bytes stop;
  if (!link.StopMotion() || !link.ReadStopPositions(stop) || stop.size() < 48) return false;
  const Bytes record = RestPoseRecord(stop, kind);
  // A refused pose still leaves the board asleep; waking it below is what matters.
  link.WritePose(PoseArea::Live, 0, 0, record);
  if (load) load(record);
  return link.SetMotionEnable(ModeSwitch::Off) && link.SetSleep(ModeSwitch::Off);
}

}  // namespace brv3
