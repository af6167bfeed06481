#pragma once

#include <string>

#include "core/comm/BoardLink.h"
#include "core/comm/MotionBoard.h"
#include "core/motion/LinkBoard.h"

namespace brv3 {

// Lets the command set serve the motion transfer and the link actions, checking reply sizes.
// Counts the board exchanges started, so a caller can tell a refusal (nothing sent) from a failed
// command.
class BoardMotionAdapter final : public MotionBoard, public LinkBoard {
 public:
  explicit BoardMotionAdapter(BoardLink& link) : link_(link) {}

  bool ReadTableEntry(int index, Bytes& entry) override;
  bool UpdateTableEntry(int index, int count, int value24, const std::string& name,
                        const EntryDate& date, int code) override;
  bool WritePose(PoseArea area, int slot, int record, const Bytes& pose) override;
  bool ReadPose(PoseArea area, int slot, int record, Bytes& pose) override;
  bool WriteScenarioStep(int scenario, int step, int motion) override;
  bool ReadScenarioStep(int scenario, int step, Bytes& reply) override;

  // The live pose buffer (area 0, slot 0, record 0).
  bool WritePose(const PoseRecord& record) override;
  bool ReadServoPositions(Bytes& positions) override;

  int CommandCount() const { return commands_; }

 private:
  BoardLink& link_;
  int commands_ = 0;
};

}  // namespace brv3
