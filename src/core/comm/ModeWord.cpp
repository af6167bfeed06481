#include "core/comm/BoardLink.h"
#include "core/motion/ChannelWord.h"

namespace brv3 {

namespace {

constexpr uint16_t kSleepBit = 0x0001;
constexpr uint16_t kMotionEnableBit = 0x0002;
constexpr uint16_t kReceiverReportBit = 0x0004;
constexpr uint16_t kRemoteInputBit = 0x0020;
constexpr uint16_t kAnalogReportBit = 0x0100;
constexpr uint16_t kSvlModeBit = 0x4000;
constexpr int kNoMode = -1;

uint16_t WordOf(const Bytes& reply) {
  return static_cast<uint16_t>((reply[0] << 8) | reply[1]);
}

// Positions and held words (free, speed and stretch values) become "free" while the board sleeps.
bool FreedInSleep(uint16_t w) {
  return (w >= 1 && w <= 0x7FFF) || (w >= kWordFree && w <= 0x8106);
}

}  // namespace

bool BoardLink::ChangeModeBit(Area area, uint16_t mask, int setMode, int clearMode, int toggleMode,
                              int mode) {
  // kNoMode stands for a missing toggle; it must not match a caller's -1.
  if (mode < 0 || (mode != setMode && mode != clearMode && mode != toggleMode)) return false;
  Bytes reply;
  if (!ReadModeWord(area, reply)) return false;
  uint16_t word = WordOf(reply);
  if (mode == setMode) {
    word |= mask;
  } else if (mode == clearMode) {
    word &= static_cast<uint16_t>(~mask);
  } else {
    word ^= mask;
  }
  return WriteModeWord(area, word);
}

bool BoardLink::SetSleep(int mode) {
  if (mode < 0 || mode > 2) return false;
  Bytes reply;
  if (!ReadModeWord(Area::Working, reply)) return false;
  uint16_t word = WordOf(reply);
  const bool on = mode == 0 || (mode == 2 && (word & kSleepBit) == 0);
  if (on) return SleepOn(word | kSleepBit);
  word &= static_cast<uint16_t>(~kSleepBit);
  if (!WriteModeWord(Area::Working, word)) return false;
  ShowPanel(1, "RUN");
  return true;
}

// Frees the servos through the live pose buffer, sets the sleep bit, then puts the held pose
// back so that the board resumes it on waking.
bool BoardLink::SleepOn(uint16_t word) {
  Bytes pose;
  if (!ReadPose(PoseArea::Live, 0, 0, pose)) return false;
  pose[0] = 1;
  const Bytes saved = pose;
  for (int c = 0; c < kChannelCount; ++c) {
    const size_t at = 1 + 2 * static_cast<size_t>(c);
    const uint16_t w = static_cast<uint16_t>((pose[at] << 8) | pose[at + 1]);
    if (FreedInSleep(w)) {
      pose[at] = static_cast<uint8_t>(kWordFree >> 8);
      pose[at + 1] = static_cast<uint8_t>(kWordFree & 0xFF);
    }
  }
  if (!WritePose(PoseArea::Live, 0, 0, pose)) return false;
  if (!WriteModeWord(Area::Working, word)) return false;
  if (!WritePose(PoseArea::Live, 0, 0, saved)) return false;
  ShowPanel(1, "Sleep");
  return true;
}

bool BoardLink::SetMotionEnable(int mode) {
  return ChangeModeBit(Area::Working, kMotionEnableBit, 0, 1, 2, mode);
}

bool BoardLink::SetReceiverReport(int mode) {
  return ChangeModeBit(Area::Working, kReceiverReportBit, 1, 0, 2, mode);
}

bool BoardLink::SetRemoteInput(int mode) {
  return ChangeModeBit(Area::Working, kRemoteInputBit, 0, 1, kNoMode, mode);
}

bool BoardLink::SetAnalogReport(int mode) {
  return ChangeModeBit(Area::Working, kAnalogReportBit, 0, 1, 2, mode);
}

bool BoardLink::SetSvlMode(int mode) {
  return ChangeModeBit(Area::Stored, kSvlModeBit, 0, 1, kNoMode, mode);
}

}  // namespace brv3
