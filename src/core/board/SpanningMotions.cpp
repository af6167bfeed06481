#include "core/board/SpanningMotions.h"

#include <algorithm>

#include "core/board/MotionTransfer.h"
#include "core/comm/Slot.h"

namespace brv3 {

bool IsContinuationMark(const TableEntry& entry, int owner) {
  if (entry.Count != 0 || entry.Code != TableEntry::kNoCode ||
      entry.Date != std::array<uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF})
    return false;
  const std::string prefix = Slot::LabelOf(owner) + ":";
  return EntryNameText(entry).compare(0, prefix.size(), prefix) == 0;
}

std::vector<SpanningMotion> MotionsReachingInto(const std::vector<TableEntry>& motions,
                                                const std::vector<bool>& written) {
  std::vector<SpanningMotion> found;
  const int slots = static_cast<int>(std::min(motions.size(), written.size()));
  auto isWritten = [&](int i) { return i < slots && written[static_cast<size_t>(i)]; };
  for (int head = 0; head < slots; ++head) {
    const TableEntry& entry = motions[static_cast<size_t>(head)];
    if (entry.Count == 0 || isWritten(head)) continue;
    const int last = std::min(head + ContinuationSlotCount(entry.Count), slots - 1);
    bool reaches = false;
    for (int i = head + 1; i <= last; ++i) reaches = reaches || isWritten(i);
    if (!reaches) continue;
    SpanningMotion motion{head, EntryNameText(entry), {}};
    for (int i = head + 1; i <= last; ++i)
      if (!isWritten(i) && IsContinuationMark(motions[static_cast<size_t>(i)], head))
        motion.marks.push_back(i);
    found.push_back(std::move(motion));
  }
  return found;
}

}  // namespace brv3
