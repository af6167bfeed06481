#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/chart/Chart.h"
#include "core/motion/MotionBoard.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/PoseRecord.h"
#include "core/util/Prompter.h"

namespace brv3 {

// What ReadMotion brings back; RebuildMotionChart turns it into a chart.
struct MotionRead {
  Bytes entry;  // the slot's table entry, for the motion table's row
  std::string name;
  int32_t ctrl = kNoCtrl;
  std::vector<PoseRecord> steps;
  std::vector<std::string> hexRows;  // read format
};

// What ReadScenario brings back; RebuildScenarioChart turns it into a chart.
struct ScenarioRead {
  Bytes entry;
  std::string name;
  int32_t ctrl = kNoCtrl;
  std::vector<uint8_t> motions;
  std::vector<std::string> hexRows;  // "M12" per step
};

// Why a motion of `stepCount` steps cannot go to motion slot `slot` (0..79): the slot does not
// exist, the motion is longer than a record index can address, or its continuation slots would
// run past M80 into the scenario entries. Empty when it can.
std::string CheckMotionSlots(int slot, size_t stepCount);

// The continuation slots a motion of `stepCount` steps takes after its head slot.
int ContinuationSlotCount(size_t stepCount);

// The name field of a table entry (bytes 10..41 up to the first zero byte), as UTF-8.
std::string TableEntryName(const Bytes& entry);
// The remote-control code of a table entry (bytes 8..9, high byte first).
int32_t TableEntryCtrl(const Bytes& entry);

// Writes a compiled motion into `slot`: its table entry, the entries of its continuation slots
// (after asking), then one record per step. False at the first refusal or failed command;
// refusals are shown as messages before anything is sent.
bool WriteMotion(MotionBoard& board, Prompter& prompter, int slot,
                 const MotionCompileResult& compiled, const Chart& chart);

// Reads the motion in `slot`. False when the slot is empty or a command fails; then `read` holds
// no steps.
bool ReadMotion(MotionBoard& board, Prompter& prompter, int slot, MotionRead& read);

// Writes a compiled scenario into `slot` (80..84): the steps, the end mark, then the table entry.
bool WriteScenario(MotionBoard& board, Prompter& prompter, int slot,
                   const ScenarioCompileResult& compiled, const Chart& chart);

// Reads the scenario in `slot` (80..84). On a failed step the steps read so far stay in `read`.
bool ReadScenario(MotionBoard& board, int slot, ScenarioRead& read);

}  // namespace brv3
