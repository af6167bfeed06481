#include "core/board/RestoreSequence.h"

#include <algorithm>

#include "core/board/MotionTransfer.h"
#include "core/board/SleepScope.h"
#include "core/board/SpanningMotions.h"
#include "core/comm/BoardLink.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

using Note = std::function<void(const std::string& line)>;

// Empties the table entries of every slot whose steps are about to be written (a motion's
// continuation slots too), so that a restore that stops half-way leaves those slots empty
// rather than an old entry standing over new steps.
bool ClearWrittenEntries(BoardLink& link, const std::vector<RestoreEntry>& plan, const Note& note) {
  const Bytes empty = EmptyTableEntry();
  for (const RestoreEntry& r : plan) {
    int last = r.index;
    if (!r.records.empty())
      last = std::min(r.index + ContinuationSlotCount(r.records.size()), kMotionSlots - 1);
    else if (r.motions.empty())
      continue;
    for (int i = r.index; i <= last; ++i) {
      if (!link.WriteTableEntry(i, empty)) {
        note(Args(Tr("RestoreSequence", "Emptying the table entry of %1 failed"),
                  {Slot::LabelOf(i)}));
        return false;
      }
    }
  }
  return true;
}

// Empties the entry of every motion that starts outside the slots about to be written but whose
// steps reach into them (and its continuation entries), so that it cannot read on into the
// restored steps, whether the restore completes or stops half-way.
bool EmptySpanningMotions(BoardLink& link, const std::vector<RestoreEntry>& plan,
                          const Note& note) {
  std::vector<bool> written(kMotionSlots, false);
  for (const RestoreEntry& r : plan) {
    if (r.records.empty() || r.index >= kMotionSlots) continue;
    const int last = std::min(r.index + ContinuationSlotCount(r.records.size()), kMotionSlots - 1);
    for (int i = r.index; i <= last; ++i) written[static_cast<size_t>(i)] = true;
  }
  std::vector<TableEntry> motions;
  for (int i = 0; i < kMotionSlots; ++i) {
    Bytes bytes;
    std::optional<TableEntry> entry;
    if (link.ReadTableEntry(i, bytes)) entry = TableEntry::Decode(bytes);
    if (!entry) {
      note(Args(Tr("RestoreSequence", "Reading the table entry of %1 failed: %2"),
                {Slot::LabelOf(i), LinkFaultText(link.LastFault())}));
      return false;
    }
    motions.push_back(*entry);
  }
  const Bytes empty = EmptyTableEntry();
  for (const SpanningMotion& m : MotionsReachingInto(motions, written)) {
    std::vector<int> entries{m.head};
    entries.insert(entries.end(), m.marks.begin(), m.marks.end());
    for (int i : entries) {
      if (!link.WriteTableEntry(i, empty)) {
        note(Args(Tr("RestoreSequence", "Emptying the table entry of %1 failed"),
                  {Slot::LabelOf(i)}));
        return false;
      }
    }
    note(Args(Tr("RestoreSequence", "%1 %2 reached into the restored slots; its entry was emptied"),
              {Slot::LabelOf(m.head), m.name}));
  }
  return true;
}

bool WriteRecords(BoardLink& link, const std::vector<RestoreEntry>& plan,
                  TransferProgress& progress, const Note& note) {
  int done = 0, total = 0;
  for (const RestoreEntry& r : plan) total += 2 * static_cast<int>(r.records.size());
  for (const RestoreEntry& r : plan) {
    for (size_t k = 0; k < r.records.size(); ++k) {
      if (!link.WritePose(PoseArea::Memory, r.index, static_cast<int>(k), r.records[k].Pack())) {
        note(Args(Tr("RestoreSequence", "Writing step %1 of %2 failed"),
                  {std::to_string(k + 1), Slot::LabelOf(r.index)}));
        return false;
      }
      progress.Step(++done, total);
    }
  }
  return true;
}

bool WriteScenarios(BoardLink& link, const std::vector<RestoreEntry>& plan, const Note& note) {
  for (const RestoreEntry& r : plan) {
    if (r.index < kScenarioFirstSlot || r.motions.empty()) continue;
    const int scenario = r.index - kScenarioFirstSlot;
    bool ok = true;
    for (size_t k = 0; ok && k < r.motions.size(); ++k)
      ok = link.WriteScenarioStep(scenario, static_cast<int>(k), r.motions[k]);
    if (!ok || !link.WriteScenarioStep(scenario, static_cast<int>(r.motions.size()), 255)) {
      note(Args(Tr("RestoreSequence", "Writing %1 failed"), {Slot::LabelOf(r.index)}));
      return false;
    }
  }
  return true;
}

bool WriteEntries(BoardLink& link, const std::vector<RestoreEntry>& plan, const Note& note) {
  for (const RestoreEntry& r : plan) {
    if (!link.WriteTableEntry(r.index, r.entry.Encode())) {
      note(Args(Tr("RestoreSequence", "Writing the table entry of %1 failed"),
                {Slot::LabelOf(r.index)}));
      return false;
    }
  }
  return true;
}

// Reads everything back and counts the slots that differ from the backup in `differ`. False when
// the board stops answering.
bool Verify(BoardLink& link, const std::vector<RestoreEntry>& plan, TransferProgress& progress,
            const Note& note, int& differ) {
  const std::string stepUnread = Tr("RestoreSequence", "Reading back step %1 of %2 failed");
  const std::string stepDiffers = Tr("RestoreSequence", "%1: step %2 reads back differently");
  int done = 0, total = 0;
  for (const RestoreEntry& r : plan) total += static_cast<int>(r.records.size());
  for (const RestoreEntry& r : plan) {
    const std::string label = Slot::LabelOf(r.index);
    Bytes back;
    bool same = true;
    if (!link.ReadTableEntry(r.index, back)) {
      note(Args(Tr("RestoreSequence", "Reading back the table entry of %1 failed"), {label}));
      return false;
    }
    if (TableEntry::Decode(back) != r.entry) {
      note(Args(Tr("RestoreSequence", "%1: the table entry reads back differently"), {label}));
      same = false;
    }
    for (size_t k = 0; k < r.records.size(); ++k) {
      if (!link.ReadPose(PoseArea::Memory, r.index, static_cast<int>(k), back)) {
        note(Args(stepUnread, {std::to_string(k + 1), label}));
        return false;
      }
      if (same && PoseRecord::Unpack(back) != r.records[k]) {
        note(Args(stepDiffers, {label, std::to_string(k + 1)}));
        same = false;
      }
      progress.Step(total + ++done, 2 * total);
    }
    for (size_t k = 0; k < r.motions.size(); ++k) {
      if (!link.ReadScenarioStep(r.index - kScenarioFirstSlot, static_cast<int>(k), back)) {
        note(Args(stepUnread, {std::to_string(k + 1), label}));
        return false;
      }
      if (same && back[0] != r.motions[k]) {
        note(Args(stepDiffers, {label, std::to_string(k + 1)}));
        same = false;
      }
    }
    if (!same) ++differ;
  }
  return true;
}

}  // namespace

RestoreResult RestoreSlots(BoardLink& link, const std::vector<RestoreEntry>& plan,
                           TransferProgress& progress, const Note& note) {
  RestoreResult result;
  SleepScope sleep(link);
  if (!sleep.Begin()) {
    note(Args(Tr("RestoreSequence", "The board could not be put to sleep: %1"),
              {LinkFaultText(link.LastFault())}));
    result.outcome = RestoreOutcome::NotAsleep;
    return result;
  }
  const bool written = EmptySpanningMotions(link, plan, note) &&
                       ClearWrittenEntries(link, plan, note) &&
                       WriteRecords(link, plan, progress, note) &&
                       WriteScenarios(link, plan, note) && WriteEntries(link, plan, note);
  if (!written || !Verify(link, plan, progress, note, result.differ)) {
    result.outcome = RestoreOutcome::Failed;
    return result;
  }
  result.woken = sleep.End();
  result.outcome = result.differ > 0 ? RestoreOutcome::Differs
                   : result.woken    ? RestoreOutcome::Done
                                     : RestoreOutcome::NotWoken;
  return result;
}

}  // namespace brv3
