#include "sim/ServoBank.h"

#include "core/motion/ChannelWord.h"

namespace brv3::sim {

ServoBank::ServoBank(const ChannelWords& start) {
  for (int c = 0; c < kChannels; ++c) {
    tracks_[c] = Track{start[c], start[c], 0, 0};
    rest_[c] = IsServoPosition(start[c]) ? start[c] : kPositionCenter;
  }
}

uint16_t ServoBank::Position(int channel, Nanos now) const {
  const Track& t = tracks_[channel];
  if (t.duration <= 0 || now >= t.start + t.duration) return t.to;
  if (now <= t.start) return t.from;
  const int64_t span = static_cast<int64_t>(t.to) - t.from;
  const int64_t done = now - t.start;
  // Rounded to the nearest step; both ends are servo positions, so the result is one too.
  const int64_t offset =
      (span * done * 2 + (span >= 0 ? t.duration : -t.duration)) / (2 * t.duration);
  return static_cast<uint16_t>(t.from + offset);
}

ChannelWords ServoBank::Positions(Nanos now) const {
  ChannelWords words{};
  for (int c = 0; c < kChannels; ++c) words[c] = Position(c, now);
  return words;
}

ChannelWords ServoBank::Measured(Nanos now) const {
  ChannelWords words = Positions(now);
  for (int c = 0; c < kChannels; ++c)
    if (words[c] == kWordFree) words[c] = rest_[c];
  return words;
}

bool ServoBank::MoveByHand(int channel, uint16_t position) {
  if (channel < 0 || channel >= kChannels || tracks_[channel].to != kWordFree ||
      !IsServoPosition(position))
    return false;
  rest_[channel] = position;
  return true;
}

void ServoBank::Move(int channel, uint16_t target, Nanos now, Nanos duration) {
  // A freed servo is picked up where it rests.
  uint16_t from = Position(channel, now);
  if (from == kWordFree) from = rest_[channel];
  if (!IsServoPosition(from) || !IsServoPosition(target) || duration <= 0) {
    Set(channel, target);
    // Let go halfway through a glide, the servo rests where the glide had brought it.
    if (target == kWordFree && IsServoPosition(from)) rest_[channel] = from;
    return;
  }
  tracks_[channel] = Track{from, target, now, duration};
}

void ServoBank::Set(int channel, uint16_t word) {
  // A servo let go keeps the place it had reached; a freed servo keeps its resting place.
  const Track& t = tracks_[channel];
  if (word == kWordFree && IsServoPosition(t.to)) rest_[channel] = t.to;
  tracks_[channel] = Track{word, word, 0, 0};
}

void ServoBank::Halt(Nanos now) {
  for (int c = 0; c < kChannels; ++c) Set(c, Position(c, now));
}

}  // namespace brv3::sim
