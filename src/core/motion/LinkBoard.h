#pragma once

#include "core/motion/PoseRecord.h"
#include "core/util/Bytes.h"

namespace brv3 {

// What link actions need of the board: the live pose buffer and the measured servo positions.
// False on any failed exchange.
class LinkBoard {
 public:
  virtual ~LinkBoard() = default;
  virtual bool WritePose(const PoseRecord& record) = 0;
  // Fills `positions` with the 24 measured positions, 48 bytes, high byte first.
  virtual bool ReadServoPositions(Bytes& positions) = 0;
};

}  // namespace brv3
