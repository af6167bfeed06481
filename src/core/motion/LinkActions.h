#pragma once

#include <array>
#include <optional>

#include "core/motion/LinkBoard.h"
#include "core/motion/LinkCommand.h"
#include "core/motion/PoseRecord.h"
#include "core/motion/ServoRange.h"

namespace brv3 {

using ChannelRanges = std::array<ServoRange, kChannels>;

// The pose that Increment Link makes from the object's words: byte 0 = 1, each channel's word
// as its link command gives it in `direction`.
PoseRecord BuildLinkIncrement(const ChannelTexts& commands, const ChannelWords& values,
                              const ChannelRanges& ranges, int direction);

// Increment Link: the new words for the object, or nullopt when nothing may change (with `board`
// given, the pose is sent first and a failed WritePose keeps the object as it was). Pass no board
// when Sync is off.
std::optional<ChannelWords> IncrementLink(const ChannelTexts& commands, const ChannelWords& values,
                                          const ChannelRanges& ranges, int direction,
                                          LinkBoard* board);

// True when a channel whose entry is exactly "TCH" is free (0x8002) in `pose`.
bool SnapshotCaptures(const ChannelTexts& commands, const PoseRecord& pose);

enum class SnapshotMode { Release, Capture };

struct SnapshotResult {
  SnapshotMode mode = SnapshotMode::Release;
  // The record to load into the editor and the object; nullopt when a board exchange of capture
  // mode failed and nothing may change.
  std::optional<PoseRecord> load;
  bool sent = false;  // release mode: whether WritePose of the released pose succeeded
};

// Snapshot on the pose the editor holds (`pose`, byte 0 = the SpeedBar position). Capture mode
// sends the capture words, reads the measured positions and keeps them for the channels that were
// free; release mode frees every "TCH" channel and sends the result.
SnapshotResult Snapshot(const ChannelTexts& commands, const PoseRecord& pose, LinkBoard& board);

}  // namespace brv3
