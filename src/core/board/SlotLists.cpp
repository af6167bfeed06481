#include "core/board/SlotLists.h"

#include "core/comm/MotionTable.h"
#include "core/util/Prompter.h"

namespace brv3 {

SlotLists::SlotLists(const MotionTable& table, Prompter& prompter, std::function<bool()> read)
    : table_(table), prompter_(prompter), read_(std::move(read)) {}

std::vector<std::string> SlotLists::Items() const {
  std::vector<std::string> items;
  items.reserve(kTableEntries);
  for (int slot = 0; slot < kTableEntries; ++slot) items.push_back(table_.SlotItemText(slot));
  return items;
}

std::string SlotLists::Note() const {
  const int unread = table_.UnreadRows();
  if (unread == 0) return std::string();
  return std::string(unread == kTableEntries
                         ? "The motion table has not been read from the board yet"
                         : "Some rows of the motion table have not been read from the board") +
         ": a slot marked (not read) may hold a motion or a scenario.";
}

bool SlotLists::ReadOnRequest() {
  if (prompter_.MsgBox(MsgKind::Question, MsgButtons::YesNo, kQuestion) != IdYes) return false;
  return Read();
}

bool SlotLists::Read() {
  if (read_ && read_()) return true;
  prompter_.ShowStatus(kReadFailed);
  return false;
}

}  // namespace brv3
