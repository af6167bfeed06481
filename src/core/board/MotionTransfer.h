#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/board/TransferProgress.h"
#include "core/chart/Chart.h"
#include "core/comm/MotionBoard.h"
#include "core/comm/Slot.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/PoseRecord.h"
#include "core/util/Prompter.h"

namespace brv3 {

// How a board action ended.
enum class ActionResult {
  Done,
  Cancelled,      // nothing chosen, a question answered No, or a refusal shown before sending
  CompileFailed,  // the compiler refused the chart (its message was shown)
  NoData,         // Read found the entry empty
  BoardFailed,    // a board command failed
  WakeFailed,  // everything was written and acknowledged; only waking the board afterwards failed
};

// What ReadMotion brings back; RebuildMotionChart turns it into a chart.
struct MotionRead {
  Bytes entry;  // the slot's table entry as read (also when empty), for the motion table's row
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

// Why a motion of `stepCount` steps cannot go to motion slot `slot`: it is no motion slot, the
// motion is longer than a record index can address, or its continuation slots would run past M80
// into the scenario entries. Empty when it can.
std::string CheckMotionSlots(Slot slot, size_t stepCount);

// The continuation slots a motion of `stepCount` steps takes after its head slot.
int ContinuationSlotCount(size_t stepCount);

// Writes a compiled motion into `slot`, which CheckMotionSlots accepted: asks before overwriting
// continuation slots, then writes its table entry with no steps, the entries of its continuation
// slots, one record per step, and last the entry's step count. False at a question answered No or
// the first failed command; an interrupted write leaves the slot empty.
bool WriteMotion(MotionBoard& board, Prompter& prompter, TransferProgress* progress, Slot slot,
                 const MotionCompileResult& compiled, const Chart& chart);

// Reads the motion in motion slot `slot`: Done, NoData for an empty entry, BoardFailed when a
// command fails (then `read` holds no steps; `read.entry` is kept once the entry was read).
ActionResult ReadMotion(MotionBoard& board, Prompter& prompter, TransferProgress* progress,
                        Slot slot, MotionRead& read);

// Writes a compiled scenario into scenario slot `slot`: its entry emptied, the steps, the end
// mark, then the table entry with the step count. An interrupted write leaves the slot empty.
bool WriteScenario(MotionBoard& board, Prompter& prompter, TransferProgress* progress, Slot slot,
                   const ScenarioCompileResult& compiled, const Chart& chart);

// Reads the scenario in scenario slot `slot`. On a failed step the steps read so far stay in
// `read`.
ActionResult ReadScenario(MotionBoard& board, Slot slot, ScenarioRead& read);

}  // namespace brv3
