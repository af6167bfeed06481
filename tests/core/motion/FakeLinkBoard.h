#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/motion/LinkBoard.h"
#include "core/util/Prompter.h"
#include "support/ScriptedPrompter.h"

namespace brv3::test {

// A board that records the poses written and serves scripted results.
class FakeLinkBoard : public LinkBoard {
 public:
  bool writeResult = true;
  bool readResult = true;
  Bytes positions = Bytes(48, 0);
  std::vector<PoseRecord> written;
  int reads = 0;

  bool WritePose(const PoseRecord& record) override {
    written.push_back(record);
    return writeResult;
  }
  bool ReadServoPositions(Bytes& out) override {
    ++reads;
    if (!readResult) return false;
    out = positions;
    return true;
  }
  void SetPosition(int channel, uint16_t word) {
    positions[static_cast<size_t>(2 * (channel - 1))] = static_cast<uint8_t>(word >> 8);
    positions[static_cast<size_t>(2 * (channel - 1) + 1)] = static_cast<uint8_t>(word & 0xFF);
  }
};

}  // namespace brv3::test
