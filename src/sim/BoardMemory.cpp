#include "sim/BoardMemory.h"

#include "core/motion/ChannelWord.h"

namespace brv3::sim {

Entry EmptyEntry() {
  Entry entry{};
  for (int i = 4; i <= 9; ++i) entry[i] = 0xFF;
  return entry;
}

FlashMemory FlashMemory::Defaults() {
  FlashMemory flash;
  flash.table.fill(EmptyEntry());
  Record erased;
  erased.fill(0xFF);
  flash.motions.fill(erased);
  for (auto& scenario : flash.scenarios) scenario.fill(kScenarioEnd);
  flash.trim.fill(kPositionCenter);
  flash.home.fill(kPositionCenter);
  flash.startMotions = {kNoMotion, kNoMotion};
  // No low-voltage motion, threshold 6.0 V (raw 391) as a board leaves the factory: a raw 0
  // would read as 0.0 V, below anything the editor can set.
  flash.alarmMotion = {kNoMotion, 0x01, 0x87};
  return flash;
}

WorkingSettings WorkingSettings::From(const FlashMemory& flash) {
  WorkingSettings working;
  working.modeWord = flash.modeWord;
  working.trim = flash.trim;
  working.adSettings = flash.adSettings;
  working.mixTables = flash.mixTables;
  working.adCalibration = flash.adCalibration;
  working.propo = flash.propo;
  return working;
}

}  // namespace brv3::sim
