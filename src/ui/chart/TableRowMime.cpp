#include "ui/chart/TableRowMime.h"

#include <QMimeData>

namespace brv3 {

QMimeData* MakeTableRowMime(const TableRowDrag& drag) {
  auto* data = new QMimeData;
  const std::string text = std::to_string(drag.row) + "|" + drag.label + "|" + drag.name;
  data->setData(kTableRowMimeType, QByteArray::fromStdString(text));
  return data;
}

std::optional<TableRowDrag> ReadTableRowMime(const QMimeData& data) {
  if (!data.hasFormat(kTableRowMimeType)) return std::nullopt;
  const QString text = QString::fromUtf8(data.data(kTableRowMimeType));
  const qsizetype first = text.indexOf('|');
  const qsizetype second = first < 0 ? -1 : text.indexOf('|', first + 1);
  if (second < 0) return std::nullopt;
  bool ok = false;
  const int row = text.left(first).trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  TableRowDrag drag;
  drag.row = row;
  drag.label = text.mid(first + 1, second - first - 1).toStdString();
  drag.name = text.mid(second + 1).toStdString();
  return drag;
}

}  // namespace brv3
