#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/comm/BoardLink.h"
#include "core/comm/TableEntry.h"
#include "core/util/Bytes.h"

namespace brv3 {

// The host's mirror of the board's motion table: one row per entry, in index order. It starts
// with 85 empty rows; the table window shows it and the selection lists are built from it.
class MotionTable : public TableEntryObserver {
 public:
  MotionTable();

  const std::vector<TableRow>& Rows() const { return rows_; }
  // The entry bytes a row was made from (42 bytes).
  const std::vector<Bytes>& Entries() const { return entries_; }
  void Clear();

  // add = true appends a row; otherwise row `index` is replaced. Missing rows before `index` are
  // filled with empty entries first, so a row can always be replaced.
  void ShowTableEntry(const Bytes& entry, int index, bool add) override;
  // A refresh that stopped early: the rows it did not read are added as unknown ("?"), so the
  // table and the selection lists still hold M1..M80 and S1..S5.
  void FillUnknownRows();
  // The entries the board reported empty (no steps); a row never read from the board counts as
  // not empty, since nothing is known of it.
  std::array<bool, kTableEntries> KnownEmptySlots() const;
  // False for a row the board's bytes were never shown in (read, written or deleted) this run.
  bool RowRead(int index) const;
  // How many of the 85 rows were never read.
  int UnreadRows() const;
  // What a slot list shows for slot `index` (0 ... 84): "No Name Date" as the table window's row,
  // or "M3 (not read)" while the row was never read, which an empty slot never reads as.
  std::string SlotItemText(int index) const;

  // Appends a comma and a quoted "No Name Date" item for each motion row (0 ... 79) or scenario
  // row (80 ... 84); a leading comma of the result is removed.
  void MotionListText(std::string& text) const;
  void ScenarioListText(std::string& text) const;

 private:
  void ListText(std::string& text, int first, int last) const;

  std::vector<Bytes> entries_;
  std::vector<TableRow> rows_;
  std::vector<uint8_t> known_;  // 1 for a row the board's bytes were shown in
};

}  // namespace brv3
