#include "core/comm/BoardLink.h"
#include "core/motion/ChannelWord.h"
#include "core/util/Translate.h"

namespace brv3 {

namespace {

uint16_t WordOf(const Bytes& reply) {
  return static_cast<uint16_t>((reply[0] << 8) | reply[1]);
}

// Positions and held words (free, speed and stretch values) become "free" while the board sleeps.
bool FreedInSleep(uint16_t w) {
  return (w >= 1 && w <= 0x7FFF) || (w >= kWordFree && w <= 0x8106);
}

}  // namespace

bool BoardLink::ChangeModeBit(Area area, uint16_t mask, ModeSwitch change, bool toggles) {
  if (change == ModeSwitch::Toggle && !toggles) return false;
  Bytes reply;
  if (!ReadModeWord(area, reply)) return false;
  uint16_t word = WordOf(reply);
  switch (change) {
    case ModeSwitch::On:
      word |= mask;
      break;
    case ModeSwitch::Off:
      word &= static_cast<uint16_t>(~mask);
      break;
    case ModeSwitch::Toggle:
      word ^= mask;
      break;
  }
  return WriteModeWord(area, word);
}

bool BoardLink::SetSleep(ModeSwitch sleep) {
  Bytes reply;
  if (!ReadModeWord(Area::Working, reply)) return false;
  uint16_t word = WordOf(reply);
  const bool on =
      sleep == ModeSwitch::On || (sleep == ModeSwitch::Toggle && (word & kModeSleep) == 0);
  if (on) return SleepOn(word | kModeSleep);
  word &= static_cast<uint16_t>(~kModeSleep);
  if (!WriteModeWord(Area::Working, word)) return false;
  ShowPanel(1, Tr("ModeWord", "RUN"));
  return true;
}

// Frees the servos through the live pose buffer, sets the sleep bit, then puts the held pose
// back so that the board resumes it on waking.
bool BoardLink::SleepOn(uint16_t word) {
  Bytes pose;
  if (!ReadPose(PoseArea::Live, 0, 0, pose)) return false;
  pose[0] = 1;
  const Bytes saved = pose;
  for (int c = 0; c < kChannels; ++c) {
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
  ShowPanel(1, Tr("ModeWord", "Sleep"));
  return true;
}

bool BoardLink::SetMotionEnable(ModeSwitch enable) {
  return ChangeModeBit(Area::Working, kModePause, enable);
}

bool BoardLink::SetReceiverReport(ModeSwitch report) {
  return ChangeModeBit(Area::Working, kModeReceiverReport, report);
}

bool BoardLink::SetRemoteInput(ModeSwitch input) {
  return ChangeModeBit(Area::Working, kModeRemoteInput, input, false);
}

bool BoardLink::SetAnalogReport(ModeSwitch report) {
  return ChangeModeBit(Area::Working, kModeAnalogReport, report);
}

bool BoardLink::SetSvlMode(ModeSwitch mode) {
  return ChangeModeBit(Area::Stored, kModeServoList, mode, false);
}

}  // namespace brv3
