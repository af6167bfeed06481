#pragma once

#include <string>

#include "core/comm/BoardLink.h"
#include "core/comm/TableEntry.h"
#include "core/util/Bytes.h"

namespace brv3 {

// The board commands that motion and scenario transfer needs. The command set implements it;
// tests use a fake board. Every call is one board exchange (or, for UpdateTableEntry, a
// read-modify-write of one table entry) and reports failure as false with an empty reply; replies
// carry no checksum byte.
class MotionBoard {
 public:
  virtual ~MotionBoard() = default;

  static constexpr size_t kTableEntrySize = TableEntry::kSize;

  // The 42-byte table entry of a table index (0..84), name bytes as the board holds them (cp932).
  virtual bool ReadTableEntry(int index, Bytes& entry) = 0;
  // Changes one table entry. -1 for count, value24 or code leaves that field unchanged. `name` is
  // UTF-8; it is always written, converted to cp932 and cut or padded to 32 bytes.
  virtual bool UpdateTableEntry(int index, int count, int value24, const std::string& name,
                                const EntryDate& date, int code) = 0;
  // One 49-byte pose record. Acknowledged.
  virtual bool WritePose(PoseArea area, int slot, int record, const Bytes& pose) = 0;
  // The 49-byte pose record at (area, slot, record).
  virtual bool ReadPose(PoseArea area, int slot, int record, Bytes& pose) = 0;
  // One step of scenario 0..4; motion 255 ends the list. Acknowledged.
  virtual bool WriteScenarioStep(int scenario, int step, int motion) = 0;
  // The motion number at one step of a scenario, in reply[0].
  virtual bool ReadScenarioStep(int scenario, int step, Bytes& reply) = 0;
};

}  // namespace brv3
