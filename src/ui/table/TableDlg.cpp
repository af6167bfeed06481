#include "ui/table/TableDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMimeData>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/board/TableActions.h"
#include "core/comm/BoardLink.h"
#include "core/comm/MotionTable.h"
#include "core/comm/TableEntry.h"
#include "ui/app/Glyphs.h"
#include "ui/table/DataDlg.h"

namespace brv3 {

TableListView::TableListView(QWidget* parent) : QTreeWidget(parent) {
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  setUniformRowHeights(true);
}

void TableListView::MakeRowsUniform() {
  QTreeWidgetItem* first = topLevelItem(0);
  if (!first) return;
  // The height rows of Latin and of Japanese text would take, measured with a probe row.
  int height = 0;
  for (const char* name : {"Mg", "漢字かなカナ"}) {
    auto* probe = new QTreeWidgetItem(
        this, QStringList{"M80", QString::fromUtf8(name), "255", "12/31 23:59", "65535"});
    height = std::max(height, sizeHintForRow(indexOfTopLevelItem(probe)));
    delete probe;
  }
  // With uniform row heights the first row's height is every row's.
  first->setSizeHint(0, QSize(columnWidth(0), height));
}

QStringList TableListView::mimeTypes() const {
  return {kMimeType};
}

QMimeData* TableListView::mimeData(const QList<QTreeWidgetItem*>& items) const {
  if (items.isEmpty()) return nullptr;
  QTreeWidgetItem* item = items.first();
  const QString text =
      QString("%1|%2|%3").arg(indexOfTopLevelItem(item)).arg(item->text(0), item->text(1));
  auto* data = new QMimeData;
  data->setData(kMimeType, text.toUtf8());
  data->setText(text);
  return data;
}

TTableDlg::TTableDlg(BoardLink& link, MotionTable& table, TDataDlg& dataDlg, QWidget* mainWindow,
                     QWidget* parent)
    : QDialog(parent), link_(link), table_(table), dataDlg_(dataDlg), mainWindow_(mainWindow) {
  setObjectName("TableDlg");
  setWindowTitle(tr("DataTable"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* bar = new QHBoxLayout;
  readBtn_ = new QToolButton(this);
  readBtn_->setObjectName("MotReadBtn");
  readBtn_->setToolTip(tr("Read"));
  readBtn_->setIcon(Glyph(GlyphKind::Read));
  delBtn_ = new QToolButton(this);
  delBtn_->setObjectName("MotDelBtn");
  delBtn_->setToolTip(tr("Delete"));
  delBtn_->setIcon(Glyph(GlyphKind::Delete));
  bar->addWidget(readBtn_);
  bar->addWidget(delBtn_);
  bar->addStretch();
  layout->addLayout(bar);

  listView_ = new TableListView(this);
  listView_->setObjectName("ListView");
  listView_->setColumnCount(5);
  listView_->setHeaderLabels({tr("No"), tr("Name"), tr("Count"), tr("Date"), tr("Control")});
  listView_->setRootIsDecorated(false);
  listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
  listView_->setSelectionMode(QAbstractItemView::SingleSelection);
  listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Each column as wide as its caption in the user's language needs, at least.
  constexpr int kColumnWidths[] = {40, 200, 50, 100, 60};
  for (int c = 0; c < 5; ++c)
    listView_->setColumnWidth(c,
                              std::max(kColumnWidths[c], listView_->header()->sectionSizeHint(c)));
  layout->addWidget(listView_);
  resize(500, 420);

  connect(readBtn_, &QToolButton::clicked, this, [this] { MotReadBtnClick(); });
  connect(delBtn_, &QToolButton::clicked, this, &TTableDlg::MotDelBtnClick);
  connect(listView_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int) { EditEntry(listView_->indexOfTopLevelItem(item)); });
  ShowRows();
}

namespace {

void FillItem(QTreeWidgetItem* item, const TableRow& row) {
  item->setText(0, QString::fromStdString(row.No));
  item->setText(1, QString::fromStdString(row.Name));
  item->setText(2, QString::fromStdString(row.Count));
  item->setText(3, QString::fromStdString(row.Date));
  item->setText(4, QString::fromStdString(row.Control));
}

}  // namespace

void TTableDlg::ShowRows() {
  listView_->clear();
  for (const TableRow& row : table_.Rows()) FillItem(new QTreeWidgetItem(listView_), row);
  listView_->MakeRowsUniform();
}

void TTableDlg::RowChanged(int index) {
  const auto& rows = table_.Rows();
  if (index < 0 || index >= static_cast<int>(rows.size())) return;
  // The mirror fills missing rows before replacing one, so the list catches up the same way.
  if (listView_->topLevelItemCount() != static_cast<int>(rows.size())) {
    ShowRows();
    return;
  }
  FillItem(listView_->topLevelItem(index), rows[index]);
}

void TTableDlg::SetBusy(bool busy) {
  if (mainWindow_) mainWindow_->setEnabled(!busy);
  setEnabled(!busy);
}

bool TTableDlg::MotReadBtnClick() {
  SetBusy(true);
  // Reading changes nothing on the board, so one lost byte is worth a second try.
  const bool ok = RefreshMotionTable(link_, table_) || RefreshMotionTable(link_, table_);
  ShowRows();
  SetBusy(false);
  return ok;
}

void TTableDlg::MotDelBtnClick() {
  if (deleteAction_) deleteAction_();
}

void TTableDlg::EditEntry(int row) {
  const bool ready = BeginEntryEdit(link_, table_, row);
  RowChanged(row);
  if (!ready) return;
  dataDlg_.ShowEntry(row);
  dataDlg_.exec();
  EndEdit(link_);
}

}  // namespace brv3
