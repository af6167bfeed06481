#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/chart/Chart.h"
#include "core/motion/LinkBoard.h"
#include "core/motion/PoseRecord.h"

namespace brv3 {

// The three bytes of a channel mask: byte 0 bit 0 = channel 1 ... byte 2 bit 7 = channel 24.
using ChannelMask = std::array<uint8_t, 3>;
// One byte per channel, channel 1 first (the board's speed and stretch tables).
using ChannelBytes = std::array<uint8_t, kChannels>;

inline bool MaskHasChannel(const ChannelMask& mask, int channel) {
  return channel >= 1 && channel <= kChannels &&
         (mask[static_cast<size_t>((channel - 1) / 8)] >> ((channel - 1) % 8) & 1) != 0;
}

// What the position editor asks of the board, typed. Every call is one exchange and reports a
// failure as false or nullopt; SetServoLive awaits no reply.
class PoseEditorBoard : public LinkBoard {
 public:
  // `channel` 1..24; mode byte 1.
  virtual void SetServoLive(int channel, uint16_t word) = 0;
  // The live pose buffer (area 0, slot 0, record 0).
  virtual std::optional<PoseRecord> ReadLivePose() = 0;
  virtual std::optional<ChannelMask> ReadSerialServoMask() = 0;
  virtual std::optional<ChannelBytes> ReadSpeedTable() = 0;
  virtual std::optional<ChannelBytes> ReadStretchTable() = 0;
  virtual bool WriteHomePosition(const ChannelWords& words) = 0;
  virtual bool ToggleSleep() = 0;
};

}  // namespace brv3
