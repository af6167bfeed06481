#pragma once

#include <functional>

#include "core/comm/BoardLink.h"
#include "core/util/Bytes.h"

namespace brv3 {

// Where Go to home / trim position sends the robot: home is the pose the servos held when the
// board stopped; trim is the same with every servo position replaced by the centre, 16384.
enum class RestPose { Home, Trim };

// Puts the board to sleep, stops playback, reads the stop positions and sends the pose (speed
// 100) to the live pose buffer; `load`, if given, then receives the 49-byte record that was sent
// (the position editor takes it as the object's pose). Finally enables motion again and wakes
// the board. Returns false when a step the sequence depends on failed, or when enabling motion or
// waking the board failed (the board may then still sleep).
bool GoToRestPose(BoardLink& link, RestPose kind,
                  const std::function<void(const Bytes& record)>& load = {});

// The 49-byte record sent for `kind` from the 48 stop-position bytes.
Bytes RestPoseRecord(const Bytes& stopWords, RestPose kind);

}  // namespace brv3
