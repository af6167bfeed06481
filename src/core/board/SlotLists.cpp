#include "core/board/SlotLists.h"

#include "core/comm/MotionTable.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"

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
  if (unread == kTableEntries)
    return Tr("SlotLists",
              "The motion table has not been read from the board yet: a slot marked (not read) "
              "may hold a motion or a scenario.");
  return Tr("SlotLists",
            "Some rows of the motion table have not been read from the board: a slot marked (not "
            "read) may hold a motion or a scenario.");
}

bool SlotLists::ReadOnRequest() {
  if (prompter_.MsgBox(MsgKind::Question, MsgButtons::YesNo, Tr("SlotLists", kQuestion)) != IdYes)
    return false;
  return Read();
}

bool SlotLists::Read() {
  if (read_ && read_()) return true;
  prompter_.ShowStatus(Tr("SlotLists", kReadFailed));
  return false;
}

}  // namespace brv3
