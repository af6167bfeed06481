#pragma once

#include <array>
#include <cstdint>

#include "core/chart/Chart.h"

namespace brv3::sim {

using Nanos = int64_t;

// The 24 outputs. A channel holding a servo position (1 .. 0x7FFF) glides linearly to a new
// position over the move's duration; any other word (levels, FREE, SET1..3) takes effect at once.
// A freed servo stays where it was until a hand moves it, and its sensor reports that place.
class ServoBank {
 public:
  explicit ServoBank(const ChannelWords& start);

  // The word each output holds (FREE for a freed servo).
  uint16_t Position(int channel, Nanos now) const;
  ChannelWords Positions(Nanos now) const;
  // What the servos' sensors report: the output's position, and for a freed servo the place it
  // rests at.
  ChannelWords Measured(Nanos now) const;
  // Moves a freed servo by hand to `position`; false when the servo is not free or the position
  // is no servo position.
  bool MoveByHand(int channel, uint16_t position);
  void Move(int channel, uint16_t target, Nanos now, Nanos duration);
  void Set(int channel, uint16_t word);
  // Holds every channel where it is now.
  void Halt(Nanos now);

 private:
  struct Track {
    uint16_t from = 0;
    uint16_t to = 0;
    Nanos start = 0;
    Nanos duration = 0;
  };
  std::array<Track, kChannels> tracks_{};
  std::array<uint16_t, kChannels> rest_{};  // the last position of each servo
};

inline bool IsServoPosition(uint16_t word) {
  return word >= 1 && word <= 0x7FFF;
}

}  // namespace brv3::sim
