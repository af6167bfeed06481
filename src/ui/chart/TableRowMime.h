#pragma once

#include <QString>
#include <optional>
#include <string>

class QMimeData;

namespace brv3 {

// A row of the motion table's list `ListView` being dragged onto the canvas. The drag carries
// the MIME type below with the UTF-8 text "row|label|name": the row index (0-based: 0..79 are
// the motions M1..M80, 80..84 the scenarios), the row's caption ("M4") and its Name column
// ("WALK"). The name is the rest of the text and may itself hold "|".
inline constexpr const char* kTableRowMimeType = "application/x-brivane3-table-row";

struct TableRowDrag {
  int row = -1;
  std::string label;
  std::string name;
};

// The MIME data the motion table puts on a drag of `row` (the caller owns it).
QMimeData* MakeTableRowMime(const TableRowDrag& drag);
// The dragged row, or nothing when the data is not a table row or is malformed.
std::optional<TableRowDrag> ReadTableRowMime(const QMimeData& data);

}  // namespace brv3
