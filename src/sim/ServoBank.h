#pragma once

#include <array>
#include <cstdint>

#include "core/chart/Chart.h"

namespace brv3::sim {

using Nanos = int64_t;

// The 24 outputs. A channel holding a servo position (1 .. 0x7FFF) glides linearly to a new
// position over the move's duration; any other word (levels, FREE, SET1..3) takes effect at once.
class ServoBank {
 public:
  explicit ServoBank(const ChannelWords& start);

  uint16_t Position(int channel, Nanos now) const;
  ChannelWords Positions(Nanos now) const;
  void Move(int channel, uint16_t target, Nanos now, Nanos duration);
  void Set(int channel, uint16_t word);
  // Holds every channel where it is now.
  void Halt(Nanos now);
  bool Moving(Nanos now) const;

 private:
  struct Track {
    uint16_t from = 0;
    uint16_t to = 0;
    Nanos start = 0;
    Nanos duration = 0;
  };
  std::array<Track, kChannels> tracks_{};
};

inline bool IsServoPosition(uint16_t word) {
  return word >= 1 && word <= 0x7FFF;
}

}  // namespace brv3::sim
