#pragma once

#include "sim/BoardMemory.h"

namespace brv3::test {

// A board whose serial servos are CH1 and CH24, whose SVL channels CH1 and CH2 hold records
// (short ones, and a long one on CH1), with list mode on (so the SVL list opens without waiting
// for a power cycle), CH2's trim moved and an alarm motion set.
inline sim::FlashMemory BoardWithSvlRecords() {
  sim::FlashMemory flash = sim::FlashMemory::Defaults();
  flash.ssvMask = {0x01, 0x00, 0x80};
  flash.svlMask = {0x03, 0x00, 0x00};
  flash.trim[1] = 17000;
  flash.modeWord = 0x4000;
  flash.alarmMotion = {85, 0x01, 0x87};
  for (auto& r : flash.svlShort)
    r = {0x5A, 1, 1, 1, 1, 1, 1, 0, 0x06, 0xD6, 0x04, 0xB0, 75, 1, 1, 1, 1};
  flash.svlLong[0].fill(0x30);
  flash.svlLong[0][7] = 0x0C;
  return flash;
}

}  // namespace brv3::test
