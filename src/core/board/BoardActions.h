#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/board/ChartRebuild.h"
#include "core/board/MotionTransfer.h"
#include "core/board/SlotLists.h"
#include "core/board/TransferProgress.h"
#include "core/chart/Chart.h"
#include "core/comm/BoardLink.h"
#include "core/comm/BoardMotionAdapter.h"
#include "core/comm/MotionTable.h"
#include "core/comm/Notifications.h"
#include "core/comm/Slot.h"
#include "core/util/Prompter.h"

namespace brv3 {

// The slot questions of the number-selection dialog.
enum class SlotQuestion { Write, Read, Delete, Play };

// The main window's board actions on a slot the caller chose: each one a fixed sequence of board
// commands reported through the prompter's status line and, step by step, through the progress
// receiver. The editor asks the selection dialog first (AskSlot); the command line names the slot.
class BoardActions {
 public:
  // Makes the motion table follow every table entry the link writes.
  BoardActions(BoardLink& link, Prompter& prompter);
  // Leaves the link without a table observer.
  ~BoardActions();
  BoardActions(const BoardActions&) = delete;
  BoardActions& operator=(const BoardActions&) = delete;

  MotionTable& Table() { return table_; }
  const MotionTable& Table() const { return table_; }
  // The slot lists' view of the table, with the offer to read it (by default read here; the
  // editor reads it through its table window).
  SlotLists& Lists() { return lists_; }
  // The listing (`List`) and the hexadecimal view (`Qvb`, the LIST sheet).
  const std::vector<std::string>& Listing() const { return listing_; }
  const std::vector<std::string>& HexRows() const { return hexRows_; }
  // Measures MOT object names when a scenario is read; a fixed width per character by default.
  void SetTextWidth(TextWidth textWidth);
  // Told after every step written or read; null for none.
  void SetProgress(TransferProgress* progress) { progress_ = progress; }

  // The number-selection dialog for `question` over the motion table's rows: Write offers the
  // motion or the scenario entries by `chartType`, the others all 85. Play starts from the entry
  // chosen last time. While rows were never read the dialog says so and offers to read the table.
  // nullopt when nothing was chosen.
  std::optional<Slot> AskSlot(SlotQuestion question, uint8_t chartType = kMotionChart);

  ActionResult Compile(const Chart& chart);
  // Compiles `chart` and writes it into `slot` (a motion chart into M1..M80, a scenario into
  // S1..S5; anything else is Cancelled with nothing sent).
  ActionResult Write(Slot slot, const Chart& chart);
  // Reads `slot` and replaces `chart` by what was read; a failed read leaves `chart` as it was.
  ActionResult Read(Slot slot, Chart& chart);
  // Asks "OK to delete?", then empties the entry and ends its steps at once.
  ActionResult Delete(Slot slot);
  ActionResult Play(Slot slot);

 private:
  bool SleepOn();
  ActionResult WriteMotionChart(Slot slot, const Chart& chart);
  ActionResult WriteScenarioChart(Slot slot, const Chart& chart);
  ActionResult FinishWrite(bool written, int commandsBefore);
  // A slot holding another motion's continuation is overwritten only after asking: on Yes that
  // motion is deleted first. Done when the slot is free to use (after deleting or when it belongs
  // to no other motion).
  ActionResult FreeContinuationSlot(Slot slot);
  bool DeleteEntry(Slot slot);

  BoardLink& link_;
  Prompter& prompter_;
  BoardMotionAdapter board_;
  MotionTable table_;
  SlotLists lists_;
  NumberSelectState selection_;
  std::vector<std::string> listing_;
  std::vector<std::string> hexRows_;
  TextWidth textWidth_;
  TransferProgress* progress_ = nullptr;
};

// Hands a window message on: 0x8000 (play an entry or send the extended serial frame) to `play`,
// 0x8001 (select a port) with a valid port list index to `choosePort`. Other numbers and indexes
// are ignored. True when the message was handed on.
bool DispatchWindowMessage(uint32_t message, int64_t w, int64_t l,
                           const std::function<void(int64_t w, int64_t l)>& play,
                           const std::function<void(int index)>& choosePort);

// The motion whose continuation slot `slot` is, as the board's table says: the slot's entry is a
// continuation mark ("M5:name", no steps, no date, no code) and that motion's steps still reach
// into it. nullopt for any other slot; `failed` tells a table entry that could not be read.
std::optional<Slot> OwningMotion(MotionBoard& board, Slot slot, bool& failed);

// Stop, and Pause (which resumes a paused playback).
bool StopPlayback(BoardLink& link);
bool TogglePause(BoardLink& link);

// The status line of a write whose data is stored but whose final wake failed.
std::string WakeFailedStatus(LinkFault fault);

// A playback report shows one status line per finished entry.
void ShowPlaybackReport(Prompter& prompter, const PlaybackReport& report);

// The width of a text at 8 pixels per character, for callers without a font.
int32_t FixedTextWidth(const std::string& text);

}  // namespace brv3
