#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/comm/BoardLink.h"
#include "core/comm/MotionTable.h"

namespace brv3 {

// Reads all 85 entries with the board asleep: SetSleep on, ReadTableEntry 0 ... 84 (rows appended
// to `table` as they arrive, stopping at the first failure), SetSleep off once all were read.
// True when every step succeeded; a failed refresh leaves the rows read so far and the board
// asleep.
bool RefreshMotionTable(BoardLink& link, MotionTable& table);

// The motion table window's entry edit, around the data dialog for entry `index` (0 ... 84):
// sleep, receiver report on, the entry read into its table row, receiver report off, wake, then
// the remote input switched over to the dialog. False (and no dialog) at the first failure.
bool BeginEntryEdit(BoardLink& link, MotionTable& table, int index);
// The open chart's name and code are edited with the remote input switched over the same way.
bool BeginChartEdit(BoardLink& link);
// After the dialog closed, however it closed: the remote input back to the board.
void EndEdit(BoardLink& link);

// The remote-control code the board received last; nullopt when it cannot be read.
std::optional<uint16_t> CaptureRemoteCode(BoardLink& link);
// Writes the edited name and code into entry `index`, keeping its count and date; code -1 keeps
// the code too.
bool SaveEntryEdit(BoardLink& link, int index, const std::string& nameUtf8, int32_t code);
// The dialog was cancelled: the receiver report goes off.
bool CancelEntryEdit(BoardLink& link);

}  // namespace brv3
