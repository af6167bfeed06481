#include "core/motion/LinkActions.h"

namespace brv3 {
namespace {

constexpr size_t kPositionBytes = 2 * kChannels;

bool IsTouch(const std::string& entry) {
  return entry == "TCH";
}

}  // namespace

PoseRecord BuildLinkIncrement(const ChannelTexts& commands, const ChannelWords& values,
                              const ChannelRanges& ranges, int direction) {
  PoseRecord record;
  record.Head = 1;
  for (size_t c = 0; c < kChannels; ++c)
    record.Values[c] = ApplyLinkCommand(commands[c], values[c], direction, ranges[c]);
  return record;
}

std::optional<ChannelWords> IncrementLink(const ChannelTexts& commands, const ChannelWords& values,
                                          const ChannelRanges& ranges, int direction,
                                          LinkBoard* board) {
  PoseRecord record = BuildLinkIncrement(commands, values, ranges, direction);
  if (board && !board->WritePose(record)) return std::nullopt;
  return record.Values;
}

bool SnapshotCaptures(const ChannelTexts& commands, const PoseRecord& pose) {
  for (size_t c = 0; c < kChannels; ++c)
    if (IsTouch(commands[c]) && pose.Values[c] == kWordFree) return true;
  return false;
}

SnapshotResult Snapshot(const ChannelTexts& commands, const PoseRecord& pose, LinkBoard& board) {
  SnapshotResult result;
  if (!SnapshotCaptures(commands, pose)) {
    PoseRecord released = pose;
    for (size_t c = 0; c < kChannels; ++c)
      if (IsTouch(commands[c])) released.Values[c] = kWordFree;
    result.load = released;
    result.sent = board.WritePose(released);
    return result;
  }
  result.mode = SnapshotMode::Capture;
  PoseRecord capture = pose;
  capture.Head = 1;
  for (size_t c = 0; c < kChannels; ++c)
    if (IsTouch(commands[c])) capture.Values[c] = kWordCapture;
  if (!board.WritePose(capture)) return result;
  result.sent = true;
  Bytes measured;
  if (!board.ReadServoPositions(measured) || measured.size() < kPositionBytes) return result;
  PoseRecord taken;
  taken.Head = pose.Head;
  for (size_t c = 0; c < kChannels; ++c) {
    if (pose.Values[c] != kWordFree)
      taken.Values[c] = pose.Values[c];
    else
      taken.Values[c] = static_cast<uint16_t>(measured[2 * c] << 8 | measured[2 * c + 1]);
  }
  result.load = taken;
  return result;
}

}  // namespace brv3
