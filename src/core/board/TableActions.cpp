#include "core/board/TableActions.h"

namespace brv3 {

bool RefreshMotionTable(BoardLink& link, MotionTable& table) {
  table.Clear();
  const auto fail = [&table] {
    table.FillUnknownRows();
    return false;
  };
  if (!link.SetSleep(ModeSwitch::On)) return fail();
  for (int i = 0; i < kTableEntries; ++i) {
    Bytes reply;
    if (!link.ReadTableEntry(i, reply)) return fail();
    table.ShowTableEntry(reply, i, true);
  }
  return link.SetSleep(ModeSwitch::Off);
}

bool BeginEntryEdit(BoardLink& link, MotionTable& table, int index) {
  if (index < 0 || index >= kTableEntries) return false;
  if (!link.SetSleep(ModeSwitch::On) || !link.SetReceiverReport(ModeSwitch::On)) return false;
  Bytes entry;
  if (!link.ReadTableEntry(index, entry)) return false;
  table.ShowTableEntry(entry, index, false);
  if (!link.SetReceiverReport(ModeSwitch::Off) || !link.SetSleep(ModeSwitch::Off)) return false;
  return link.SetRemoteInput(ModeSwitch::Off);
}

bool BeginChartEdit(BoardLink& link) {
  return link.SetRemoteInput(ModeSwitch::Off);
}

void EndEdit(BoardLink& link) {
  link.SetRemoteInput(ModeSwitch::On);
}

std::optional<uint16_t> CaptureRemoteCode(BoardLink& link) {
  Bytes reply;
  if (!link.ReadRemoteCode(reply) || reply.size() < 3) return std::nullopt;
  return static_cast<uint16_t>((reply[1] << 8) | reply[2]);
}

bool SaveEntryEdit(BoardLink& link, int index, const std::string& nameUtf8, int32_t code) {
  return link.UpdateTableEntry(index, -1, 0, nameUtf8, EntryDate::Keep(), code);
}

bool CancelEntryEdit(BoardLink& link) {
  return link.SetReceiverReport(ModeSwitch::Off);
}

}  // namespace brv3
