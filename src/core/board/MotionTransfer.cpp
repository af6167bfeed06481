#include "core/board/MotionTransfer.h"

#include "core/comm/TableEntry.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

// A table entry of the right size, or false.
bool ReadEntry(MotionBoard& board, int index, Bytes& entry) {
  entry.clear();
  if (!board.ReadTableEntry(index, entry) || entry.size() < TableEntry::kSize) {
    entry.clear();
    return false;
  }
  entry.resize(TableEntry::kSize);
  return true;
}

void Report(TransferProgress* progress, size_t done, size_t total) {
  if (progress) progress->Step(static_cast<int>(done), static_cast<int>(total));
}

// The slot's table entry into `read` (entry, name, code) and its step count; NoData for an empty
// slot.
template <class Read>
ActionResult ReadHead(MotionBoard& board, Slot slot, Read& read, int& count) {
  Bytes entryBytes;
  if (!ReadEntry(board, slot.Index(), entryBytes)) return ActionResult::BoardFailed;
  read.entry = entryBytes;
  const TableEntry entry = *TableEntry::Decode(entryBytes);
  count = entry.Count;
  if (count == 0) return ActionResult::NoData;
  read.name = EntryNameText(entry);
  read.ctrl = entry.Code;
  return ActionResult::Done;
}

}  // namespace

int ContinuationSlotCount(size_t stepCount) {
  if (stepCount == 0) return 0;
  return static_cast<int>((stepCount + kRecordsPerSlot - 1) / kRecordsPerSlot) - 1;
}

std::string CheckMotionSlots(Slot slot, size_t stepCount) {
  if (!slot.IsMotion())
    return Args(Tr("MotionTransfer", "%1 is no motion slot; the motion slots are M1 to M80"),
                {slot.Label()});
  if (stepCount > static_cast<size_t>(kMaxMotionSteps))
    return Args(Tr("MotionTransfer",
                   "This motion has %1 steps; a motion of more than %2 steps cannot be written "
                   "to the board"),
                {std::to_string(stepCount), std::to_string(kMaxMotionSteps)});
  const int last = slot.Index() + ContinuationSlotCount(stepCount);
  if (last >= kMotionSlots)
    return Args(Tr("MotionTransfer",
                   "A motion of %1 steps written to %2 needs the slots up to M%3, but the last "
                   "motion slot is M80"),
                {std::to_string(stepCount), slot.Label(), std::to_string(last + 1)});
  return {};
}

bool WriteMotion(MotionBoard& board, Prompter& prompter, TransferProgress* progress, Slot slot,
                 const MotionCompileResult& compiled, const Chart& chart) {
  const size_t n = compiled.records.size();
  if (!compiled.ok || n == 0 || !slot.IsMotion()) return false;
  const int head = slot.Index();
  const int continuations = ContinuationSlotCount(n);
  if (continuations > 0) {
    std::string names;
    for (int k = 1; k <= continuations; ++k) {
      if (k > 1) names += ",";
      names += Slot::LabelOf(head + k);
    }
    const std::string question =
        Args(Tr("MotionTransfer",
                "As the data to input are more than thirty\r\nThe data of %1 would be deleted. "
                "Do you agree with this"),
             {names});
    if (prompter.MsgBox(MsgKind::Question, MsgButtons::YesNo, question) != IdYes) return false;
  }
  // A Ctrl outside 16 bits would read as "leave unchanged" (-1) or be cut anyway.
  const int ctrl = chart.Ctrl & 0xFFFF;
  // The entry claims no steps until every step was acknowledged, so a write that stops part-way
  // leaves an empty slot, never new steps mixed with old ones.
  if (!board.UpdateTableEntry(head, 0, 0, chart.Name, EntryDate::Now(), ctrl)) return false;
  const EntryDate noDate = EntryDate::Given({0xFF, 0xFF, 0xFF, 0xFF});
  for (int k = 1; k <= continuations; ++k)
    if (!board.UpdateTableEntry(head + k, 0, 0, slot.Label() + ":" + chart.Name, noDate,
                                TableEntry::kNoCode))
      return false;
  prompter.ShowStatus(Tr("MotionTransfer", "PCT is written"));
  const std::string written = Tr("MotionTransfer", "Writing of %1 is done");
  for (size_t i = 0; i < n; ++i) {
    if (!board.WritePose(PoseArea::Memory, head, static_cast<int>(i), compiled.records[i].Pack()))
      return false;
    prompter.ShowStatus(Args(written, {std::to_string(i + 1)}));
    Report(progress, i + 1, n);
  }
  return board.UpdateTableEntry(head, static_cast<int>(n), -1, chart.Name, EntryDate::Keep(), -1);
}

ActionResult ReadMotion(MotionBoard& board, Prompter& prompter, TransferProgress* progress,
                        Slot slot, MotionRead& read) {
  read = {};
  if (!slot.IsMotion()) return ActionResult::Cancelled;
  int n = 0;
  if (const ActionResult head = ReadHead(board, slot, read, n); head != ActionResult::Done)
    return head;
  const std::string readDone = Tr("MotionTransfer", "Reading of %1 is done");
  for (int i = 0; i < n; ++i) {
    Bytes reply;
    std::optional<PoseRecord> record;
    if (board.ReadPose(PoseArea::Memory, slot.Index(), i, reply))
      record = PoseRecord::Unpack(reply);
    if (!record) {
      read.steps.clear();
      read.hexRows.clear();
      return ActionResult::BoardFailed;
    }
    read.hexRows.push_back(ReadHexRow(i + 1, *record));
    read.steps.push_back(*record);
    prompter.ShowStatus(Args(readDone, {std::to_string(i + 1)}));
    Report(progress, static_cast<size_t>(i + 1), static_cast<size_t>(n));
  }
  return ActionResult::Done;
}

bool WriteScenario(MotionBoard& board, Prompter& prompter, TransferProgress* progress, Slot slot,
                   const ScenarioCompileResult& compiled, const Chart& chart) {
  size_t n = compiled.motions.size();
  if (!compiled.ok || n == 0 || !slot.IsScenario()) return false;
  if (n >= 200) {
    if (prompter.MsgBox(MsgKind::Question, MsgButtons::YesNo,
                        Tr("MotionTransfer",
                           "We can't write the motion data\r\nmore than 200. "
                           "Please understand us.")) != IdYes)
      return false;
    n = 199;
  }
  const int scenario = slot.Number();
  // An entry that still claims the old steps would read back a mix once the first step changed.
  if (!board.UpdateTableEntry(slot.Index(), 0, -1, chart.Name, EntryDate::Keep(), -1)) return false;
  const std::string written = Tr("MotionTransfer", "Writing of %1 is done");
  for (size_t k = 0; k < n; ++k) {
    if (!board.WriteScenarioStep(scenario, static_cast<int>(k), compiled.motions[k])) return false;
    prompter.ShowStatus(Args(written, {std::to_string(k + 1)}));
    Report(progress, k + 1, n);
  }
  if (!board.WriteScenarioStep(scenario, static_cast<int>(n), 255)) return false;
  return board.UpdateTableEntry(slot.Index(), static_cast<int>(n), -1, chart.Name, EntryDate::Now(),
                                -1);
}

ActionResult ReadScenario(MotionBoard& board, Slot slot, ScenarioRead& read) {
  read = {};
  if (!slot.IsScenario()) return ActionResult::Cancelled;
  int n = 0;
  if (const ActionResult head = ReadHead(board, slot, read, n); head != ActionResult::Done)
    return head;
  for (int i = 0; i < n; ++i) {
    Bytes reply;
    if (!board.ReadScenarioStep(slot.Number(), i, reply) || reply.empty())
      return ActionResult::BoardFailed;
    read.motions.push_back(reply[0]);
    // A step naming no motion slot still shows its number.
    read.hexRows.push_back(reply[0] < kMotionSlots ? Slot::LabelOf(reply[0])
                                                   : "M" + std::to_string(reply[0] + 1));
  }
  return ActionResult::Done;
}

}  // namespace brv3
