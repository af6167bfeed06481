#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/board/TransferProgress.h"
#include "core/comm/TableEntry.h"
#include "core/motion/PoseRecord.h"

namespace brv3 {

class BoardLink;

// One table entry of a backup and what a restore writes for it.
struct RestoreEntry {
  int index = 0;
  TableEntry entry;
  std::string file;
  std::vector<PoseRecord> records;  // motions
  std::vector<uint8_t> motions;     // scenarios
};

enum class RestoreOutcome {
  NotAsleep,  // the board could not be put to sleep; nothing was written
  Failed,     // a write or a read back failed (the board is woken)
  Differs,    // everything was written, but some slots read back differently (woken)
  NotWoken,   // everything was written and read back the same; only the wake failed
  Done,
};

struct RestoreResult {
  RestoreOutcome outcome = RestoreOutcome::Failed;
  int differ = 0;     // slots that read back differently
  bool woken = true;  // false when the board could not be woken afterwards
};

// Writes a backup's slots onto the board, asleep: first the entries of motions that would run on
// into the restored slots are emptied, then every entry about to be written, then the steps,
// the scenario lists and the entries; last everything is read back and compared. A restore that
// stops half-way so leaves empty slots, never an old entry over new steps. `plan` is sorted by
// slot. Each problem is told to `note` as one line; steps written and read back go to
// `progress` (2 x the steps in all).
RestoreResult RestoreSlots(BoardLink& link, const std::vector<RestoreEntry>& plan,
                           TransferProgress& progress,
                           const std::function<void(const std::string& line)>& note);

}  // namespace brv3
