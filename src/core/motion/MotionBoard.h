#pragma once

#include <cstdint>
#include <string>

#include "core/util/Bytes.h"

namespace brv3 {

// The board commands that motion and scenario transfer needs. The command set implements it;
// tests use a fake board. Every call is one board exchange (or, for UpdateTableEntry, a
// read-modify-write of one table entry) and reports failure as false with an empty reply.
class MotionBoard {
 public:
  virtual ~MotionBoard() = default;

  static constexpr size_t kTableEntrySize = 42;

  // The 42-byte table entry of a slot (0..84), name bytes as the board holds them (cp932).
  virtual bool ReadTableEntry(int index, Bytes& entry) = 0;
  // Changes one table entry. -1 for count, value24 or code leaves that field unchanged. `date`:
  // empty stamps the current local month, day, hour and minute; a single 0x00 byte leaves the date
  // unchanged; otherwise its first four bytes are the date bytes. `name` is UTF-8; it is always
  // written, converted to cp932 and cut or padded with zero bytes to 32 bytes.
  virtual bool UpdateTableEntry(int index, int count, int32_t value24, const std::string& name,
                                const std::string& date, int32_t code) = 0;
  // One 49-byte pose record; flagA and area become bits 0 and 1 of the flag byte (area 1 = motion
  // memory). Acknowledged.
  virtual bool WritePose(int flagA, int area, int slot, int record, const Bytes& pose) = 0;
  // The 49-byte pose record at (area, slot, record).
  virtual bool ReadPose(int area, int slot, int record, Bytes& pose) = 0;
  // One step of scenario 0..4; motion 255 ends the list. Acknowledged.
  virtual bool WriteScenarioStep(int flagA, int scenario, int step, int motion) = 0;
  // The motion number at one step of a scenario, in reply[0].
  virtual bool ReadScenarioStep(int scenario, int step, Bytes& reply) = 0;
};

}  // namespace brv3
