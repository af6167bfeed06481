#include "core/comm/MotionTable.h"

#include "core/util/Translate.h"

namespace brv3 {

MotionTable::MotionTable() {
  const Bytes empty = EmptyTableEntry();
  for (int i = 0; i < kTableEntries; ++i) ShowTableEntry(empty, i, true);
  known_.assign(rows_.size(), 0);
}

void MotionTable::Clear() {
  entries_.clear();
  rows_.clear();
  known_.clear();
}

void MotionTable::ShowTableEntry(const Bytes& entry, int index, bool add) {
  Bytes bytes = entry;
  if (bytes.size() < TableEntry::kSize) bytes = EmptyTableEntry();
  bytes.resize(TableEntry::kSize);
  if (add) {
    if (rows_.size() >= static_cast<size_t>(kTableEntries)) return;
    rows_.push_back(FormatTableRow(bytes, static_cast<int>(rows_.size())));
    entries_.push_back(std::move(bytes));
    known_.push_back(1);
    return;
  }
  if (index < 0 || index >= kTableEntries) return;
  while (static_cast<int>(rows_.size()) <= index) {
    rows_.push_back(FormatTableRow(EmptyTableEntry(), static_cast<int>(rows_.size())));
    entries_.push_back(EmptyTableEntry());
    known_.push_back(0);
  }
  rows_[index] = FormatTableRow(bytes, index);
  entries_[index] = std::move(bytes);
  known_[index] = 1;
}

void MotionTable::FillUnknownRows() {
  while (rows_.size() < static_cast<size_t>(kTableEntries)) {
    TableRow row = FormatTableRow(EmptyTableEntry(), static_cast<int>(rows_.size()));
    row.Name = row.Count = row.Date = row.Control = "?";
    rows_.push_back(std::move(row));
    entries_.push_back(EmptyTableEntry());
    known_.push_back(0);
  }
}

std::array<bool, kTableEntries> MotionTable::KnownEmptySlots() const {
  std::array<bool, kTableEntries> empty{};
  for (size_t i = 0; i < empty.size() && i < entries_.size(); ++i) {
    if (!known_[i]) continue;
    const std::optional<TableEntry> entry = TableEntry::Decode(entries_[i]);
    empty[i] = !entry || entry->Count == 0;
  }
  return empty;
}

bool MotionTable::RowRead(int index) const {
  return index >= 0 && static_cast<size_t>(index) < known_.size() && known_[index] != 0;
}

int MotionTable::UnreadRows() const {
  int unread = 0;
  for (int i = 0; i < kTableEntries; ++i) unread += RowRead(i) ? 0 : 1;
  return unread;
}

std::string MotionTable::SlotItemText(int index) const {
  if (index < 0 || index >= kTableEntries) return std::string();
  if (!RowRead(index)) return Args(Tr("MotionTable", "%1 (not read)"), {Slot::LabelOf(index)});
  const TableRow& row = rows_[static_cast<size_t>(index)];
  return row.No + " " + row.Name + " " + row.Date;
}

void MotionTable::ListText(std::string& text, int first, int last) const {
  for (int i = first; i <= last && i < kTableEntries; ++i) {
    // A quote inside a name is doubled so the list still splits into the right items.
    std::string item = SlotItemText(i);
    for (size_t at = item.find('"'); at != std::string::npos; at = item.find('"', at + 2)) {
      item.insert(at, 1, '"');
    }
    text += ",\"" + item + "\"";
  }
  if (!text.empty() && text[0] == ',') text.erase(0, 1);
}

void MotionTable::MotionListText(std::string& text) const {
  ListText(text, 0, 79);
}

void MotionTable::ScenarioListText(std::string& text) const {
  ListText(text, 80, 84);
}

}  // namespace brv3
