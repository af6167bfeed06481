#include "core/board/BoardActions.h"

#include "core/board/SleepScope.h"
#include "core/board/SpanningMotions.h"
#include "core/board/TableActions.h"
#include "core/comm/WindowMessages.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/Translate.h"

namespace brv3 {

int32_t FixedTextWidth(const std::string& text) {
  int32_t chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return chars * 8;
}

BoardActions::BoardActions(BoardLink& link, Prompter& prompter)
    : link_(link),
      prompter_(prompter),
      board_(link),
      // Reading changes nothing on the board, so one lost byte is worth a second try.
      lists_(table_, prompter,
             [this] {
               return RefreshMotionTable(link_, table_) || RefreshMotionTable(link_, table_);
             }),
      textWidth_(FixedTextWidth) {
  link_.SetTableObserver(&table_);
}

BoardActions::~BoardActions() {
  link_.SetTableObserver(nullptr);
}

void BoardActions::SetTextWidth(TextWidth textWidth) {
  textWidth_ = textWidth ? std::move(textWidth) : TextWidth(FixedTextWidth);
}

std::optional<Slot> BoardActions::AskSlot(SlotQuestion question, uint8_t chartType) {
  bool keepIndex = false;
  const bool scenariosOnly = question == SlotQuestion::Write && chartType == kScenarioChart;
  switch (question) {
    case SlotQuestion::Write:
      selection_.SelectCaption = Tr("BoardActions", "Write to QVB-3");
      selection_.SelectPrompt = Tr("BoardActions", "Select QVB-3 memory location");
      break;
    case SlotQuestion::Read:
      selection_.SelectCaption = Tr("BoardActions", "Read from QVB-3");
      selection_.SelectPrompt = Tr("BoardActions", "Select");
      break;
    case SlotQuestion::Delete:
      selection_.SelectCaption = Tr("BoardActions", "Delete");
      selection_.SelectPrompt = Tr("BoardActions", "Select data to be deleted");
      break;
    case SlotQuestion::Play:
      selection_.SelectCaption = Tr("BoardActions", "Play");
      selection_.SelectPrompt = Tr("BoardActions", "Select the motion or scenario to play");
      keepIndex = true;
      break;
  }
  const auto fill = [this, question, scenariosOnly] {
    std::string items;
    if (question != SlotQuestion::Write || !scenariosOnly) table_.MotionListText(items);
    if (question != SlotQuestion::Write || scenariosOnly) table_.ScenarioListText(items);
    selection_.SelectItems = std::move(items);
    selection_.SelectNote = lists_.Note();
  };
  fill();
  selection_.ReadTable = [this, fill] {
    const bool read = lists_.ReadOnRequest();
    fill();
    return read;
  };
  if (!keepIndex) selection_.SelectIndex = -1;
  const bool chosen = prompter_.NumberSelectDialog(selection_);
  selection_.ReadTable = nullptr;
  if (!chosen || selection_.SelectIndex < 0) return std::nullopt;
  if (question == SlotQuestion::Write)
    return scenariosOnly ? Slot::Scenario(selection_.SelectIndex)
                         : Slot::Motion(selection_.SelectIndex);
  return Slot::FromIndex(selection_.SelectIndex);
}

bool BoardActions::SleepOn() {
  if (!link_.SetSleep(ModeSwitch::On)) return false;
  prompter_.ShowStatus(Tr("BoardActions", "Sleep on"));
  return true;
}

ActionResult BoardActions::Compile(const Chart& chart) {
  if (chart.Type == kScenarioChart) {
    ScenarioCompileResult compiled = CompileScenarioChart(chart);
    if (!compiled.ok) {
      ShowCompileFailure(prompter_, compiled.failure);
      return ActionResult::CompileFailed;
    }
    hexRows_ = std::move(compiled.hexRows);
    prompter_.ShowStatus(compiled.status);
    return ActionResult::Done;
  }
  MotionCompileResult compiled = CompileMotionChart(chart);
  if (!compiled.ok) {
    ShowCompileFailure(prompter_, compiled.failure);
    return ActionResult::CompileFailed;
  }
  listing_ = std::move(compiled.listing);
  hexRows_ = std::move(compiled.hexRows);
  prompter_.ShowStatus(compiled.status);
  if (!compiled.warning.empty())
    prompter_.MsgBox(MsgKind::Warning, MsgButtons::Ok, compiled.warning);
  return ActionResult::Done;
}

std::optional<Slot> OwningMotion(MotionBoard& board, Slot slot, bool& failed) {
  failed = false;
  if (!slot.IsMotion()) return std::nullopt;
  Bytes bytes;
  if (!board.ReadTableEntry(slot.Index(), bytes)) {
    failed = true;
    return std::nullopt;
  }
  const std::optional<TableEntry> entry = TableEntry::Decode(bytes);
  if (!entry || entry->Count != 0 || entry->Code != TableEntry::kNoCode ||
      entry->Date != std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF})
    return std::nullopt;
  const std::string name = EntryNameText(*entry);
  const size_t colon = name.find(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::optional<Slot> owner = Slot::Parse(name.substr(0, colon));
  if (!owner || !owner->IsMotion() || owner->Index() >= slot.Index()) return std::nullopt;
  if (!board.ReadTableEntry(owner->Index(), bytes)) {
    failed = true;
    return std::nullopt;
  }
  const std::optional<TableEntry> head = TableEntry::Decode(bytes);
  if (!head || head->Count == 0 ||
      owner->Index() + ContinuationSlotCount(head->Count) < slot.Index())
    return std::nullopt;
  return owner;
}

bool BoardActions::DeleteEntry(Slot slot) {
  const int index = slot.Index();
  if (!slot.IsMotion()) {
    if (!link_.ClearTableEntry(index)) return false;
    return link_.WriteScenarioStep(slot.Number(), 0, 255);
  }
  Bytes bytes;
  if (!board_.ReadTableEntry(index, bytes)) return false;
  const std::optional<TableEntry> head = TableEntry::Decode(bytes);
  const int continuations = head ? ContinuationSlotCount(head->Count) : 0;
  if (!link_.ClearTableEntry(index)) return false;
  Bytes endRecord(PoseRecord::kSize, 0xFF);
  endRecord[0] = 0x01;
  if (!link_.WritePose(PoseArea::Memory, index, 0, endRecord)) return false;
  // Its continuation entries go with it, so that none is left naming a motion no longer there.
  for (int i = index + 1; i <= index + continuations && i < kMotionSlots; ++i) {
    if (!board_.ReadTableEntry(i, bytes)) return false;
    const std::optional<TableEntry> entry = TableEntry::Decode(bytes);
    if (entry && IsContinuationMark(*entry, index) && !link_.ClearTableEntry(i)) return false;
  }
  return true;
}

ActionResult BoardActions::FreeContinuationSlot(Slot slot) {
  bool failed = false;
  const std::optional<Slot> owner = OwningMotion(board_, slot, failed);
  if (failed) return ActionResult::BoardFailed;
  if (!owner) return ActionResult::Done;
  // Its remnant would read on into steps written here, so the whole motion goes.
  Bytes bytes;
  std::string name;
  if (board_.ReadTableEntry(owner->Index(), bytes))
    if (const std::optional<TableEntry> head = TableEntry::Decode(bytes))
      name = EntryNameText(*head);
  const std::string question = Args(Tr("BoardActions",
                                       "%1 holds the continuation of %2 %3.\r\n"
                                       "%2 will be deleted first. Do you agree with this"),
                                    {slot.Label(), owner->Label(), name});
  if (prompter_.MsgBox(MsgKind::Question, MsgButtons::YesNo, question) != IdYes)
    return ActionResult::Cancelled;
  if (!DeleteEntry(*owner)) return ActionResult::BoardFailed;
  return ActionResult::Done;
}

ActionResult BoardActions::Write(Slot slot, const Chart& chart) {
  if ((chart.Type == kScenarioChart) != slot.IsScenario()) return ActionResult::Cancelled;
  return slot.IsScenario() ? WriteScenarioChart(slot, chart) : WriteMotionChart(slot, chart);
}

ActionResult BoardActions::WriteMotionChart(Slot slot, const Chart& chart) {
  MotionCompileResult compiled = CompileMotionChart(chart);
  if (!compiled.ok) {
    ShowCompileFailure(prompter_, compiled.failure);
    return ActionResult::CompileFailed;
  }
  listing_ = std::move(compiled.listing);
  hexRows_ = compiled.hexRows;
  prompter_.ShowStatus(compiled.status);
  // A motion the slots cannot hold is refused before the board is put to sleep.
  if (std::string refusal = CheckMotionSlots(slot, compiled.records.size()); !refusal.empty()) {
    prompter_.MsgBox(MsgKind::Error, MsgButtons::Ok, refusal);
    return ActionResult::Cancelled;
  }
  if (const ActionResult freed = FreeContinuationSlot(slot); freed != ActionResult::Done)
    return freed;
  if (!SleepOn()) return ActionResult::BoardFailed;
  const int before = board_.CommandCount();
  return FinishWrite(WriteMotion(board_, prompter_, progress_, slot, compiled, chart), before);
}

ActionResult BoardActions::WriteScenarioChart(Slot slot, const Chart& chart) {
  ScenarioCompileResult compiled = CompileScenarioChart(chart);
  if (!compiled.ok) {
    ShowCompileFailure(prompter_, compiled.failure);
    return ActionResult::CompileFailed;
  }
  hexRows_ = compiled.hexRows;
  prompter_.ShowStatus(compiled.status);
  if (!SleepOn()) return ActionResult::BoardFailed;
  const int before = board_.CommandCount();
  return FinishWrite(WriteScenario(board_, prompter_, progress_, slot, compiled, chart), before);
}

ActionResult BoardActions::FinishWrite(bool written, int commandsBefore) {
  if (!written) {
    // A failed command leaves the board asleep; a question answered No sent nothing, and then
    // there is no reason to keep the robot limp.
    if (board_.CommandCount() != commandsBefore) return ActionResult::BoardFailed;
    if (link_.SetSleep(ModeSwitch::Off)) prompter_.ShowStatus(Tr("BoardActions", "Sleep off"));
    return ActionResult::Cancelled;
  }
  // Every step and entry was acknowledged: a wake that fails does not undo the write, and saying
  // "failed" would send the user to write again what is already stored. Waking changes nothing
  // stored, so it is tried once more first.
  if (!WakeBoard(link_)) {
    prompter_.ShowStatus(WakeFailedStatus(link_.LastFault()));
    return ActionResult::WakeFailed;
  }
  prompter_.ShowStatus(Tr("BoardActions", "Sleep off"));
  prompter_.ShowStatus(Tr("BoardActions", "Write successful"));
  return ActionResult::Done;
}

ActionResult BoardActions::Read(Slot slot, Chart& chart) {
  // The views are emptied first: an empty or unreadable entry must not look like the rows of
  // whatever was compiled or read before.
  listing_.clear();
  hexRows_.clear();
  if (!SleepOn()) return ActionResult::BoardFailed;
  const int index = slot.Index();
  ActionResult result;
  if (slot.IsScenario()) {
    ScenarioRead read;
    result = ReadScenario(board_, slot, read);
    if (!read.entry.empty()) table_.ShowTableEntry(read.entry, index, false);
    if (result != ActionResult::Done) {
      prompter_.ShowStatus(Tr("BoardActions", "No data"));
      const LinkFault fault = link_.LastFault();
      if (link_.SetSleep(ModeSwitch::Off)) link_.RestoreFault(fault);
      return result;
    }
    hexRows_ = read.hexRows;
    prompter_.ShowStatus(Tr("BoardActions", "Read successful"));
    Chart rebuilt = chart;
    RebuildScenarioChart(rebuilt, read, board_, textWidth_);
    chart = std::move(rebuilt);
  } else {
    MotionRead read;
    result = ReadMotion(board_, prompter_, progress_, slot, read);
    if (!read.entry.empty()) table_.ShowTableEntry(read.entry, index, false);
    if (result != ActionResult::Done) {
      prompter_.ShowStatus(result == ActionResult::NoData ? Tr("BoardActions", "No Data")
                                                          : Tr("BoardActions", "Read failed"));
      const LinkFault fault = link_.LastFault();
      if (link_.SetSleep(ModeSwitch::Off)) link_.RestoreFault(fault);
      return result;
    }
    hexRows_ = read.hexRows;
    prompter_.ShowStatus(Tr("BoardActions", "Read successful"));
    Chart rebuilt = chart;
    rebuilt.ClearChart();
    rebuilt.Type = kMotionChart;
    RebuildMotionChart(rebuilt, read);
    chart = std::move(rebuilt);
  }
  if (!link_.SetSleep(ModeSwitch::Off)) return ActionResult::BoardFailed;
  prompter_.ShowStatus(Tr("BoardActions", "Sleep off"));
  prompter_.ShowStatus(Tr("BoardActions", "Reading succeeded"));
  return ActionResult::Done;
}

ActionResult BoardActions::Delete(Slot slot) {
  if (prompter_.MsgBox(MsgKind::Question, MsgButtons::YesNo, Tr("BoardActions", "OK to delete?")) !=
      IdYes)
    return ActionResult::Cancelled;
  if (const ActionResult freed = FreeContinuationSlot(slot); freed != ActionResult::Done)
    return freed;
  if (!DeleteEntry(slot)) return ActionResult::BoardFailed;
  prompter_.ShowStatus(Tr("BoardActions", "Delete successful"));
  return ActionResult::Done;
}

ActionResult BoardActions::Play(Slot slot) {
  if (!link_.PlayMotion(slot)) return ActionResult::BoardFailed;
  prompter_.ShowStatus(Tr("BoardActions", "Sending the Play command"));
  return ActionResult::Done;
}

bool StopPlayback(BoardLink& link) {
  return link.StopMotion();
}

bool TogglePause(BoardLink& link) {
  return link.SetMotionEnable(ModeSwitch::Toggle);
}

bool DispatchWindowMessage(uint32_t message, int64_t w, int64_t l,
                           const std::function<void(int64_t w, int64_t l)>& play,
                           const std::function<void(int index)>& choosePort) {
  if (message == kPlayMessage) {
    if (!play) return false;
    play(w, l);
    return true;
  }
  if (message != kSelectPortMessage) return false;
  const std::optional<int> index = SelectPortMessageIndex(w, l);
  if (!index || !choosePort) return false;
  choosePort(*index);
  return true;
}

std::string WakeFailedStatus(LinkFault fault) {
  return Args(Tr("BoardActions",
                 "Write successful, but the board did not wake up (%1); it is still asleep"),
              {LinkFaultText(fault)});
}

void ShowPlaybackReport(Prompter& prompter, const PlaybackReport& report) {
  for (const std::string& line : report.Lines()) prompter.ShowStatus(line);
}

}  // namespace brv3
