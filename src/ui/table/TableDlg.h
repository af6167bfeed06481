#pragma once

#include <QDialog>
#include <QTreeWidget>
#include <functional>

class QToolButton;

namespace brv3 {

class BoardLink;
class MotionTable;
class TDataDlg;

// The motion table list; a row dragged out carries "row|label|name" for the canvas.
class TableListView : public QTreeWidget {
  Q_OBJECT
 public:
  static constexpr const char* kMimeType = "application/x-brivane3-table-row";
  explicit TableListView(QWidget* parent = nullptr);

  // Every row gets the height of the tallest text a row can hold (Japanese names come from a
  // taller fallback font), so all rows look alike. Called after the rows were rebuilt.
  void MakeRowsUniform();

 protected:
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
};

// "DataTable": the board's 85 motion table entries beside the main window. Refreshes them from
// the board, deletes through the main window's Delete action and opens an entry for editing.
class TTableDlg : public QDialog {
  Q_OBJECT
 public:
  // `mainWindow` is disabled while the table is read.
  TTableDlg(BoardLink& link, MotionTable& table, TDataDlg& dataDlg, QWidget* mainWindow,
            QWidget* parent = nullptr);

  // What the Delete button runs (the main window's Delete).
  void SetDeleteAction(std::function<void()> action) { deleteAction_ = std::move(action); }

  // Rebuilds every row from the table mirror.
  void ShowRows();
  // Row `index` changed in the mirror (a write, read or delete).
  void RowChanged(int index);

  // Reads all 85 entries from the board.
  bool MotReadBtnClick();
  void MotDelBtnClick();
  // The sleep / receiver report / remote input sequence around the data dialog for entry `row`.
  void EditEntry(int row);

  TableListView* ListView() const { return listView_; }

 private:
  void SetBusy(bool busy);

  BoardLink& link_;
  MotionTable& table_;
  TDataDlg& dataDlg_;
  QWidget* mainWindow_;
  TableListView* listView_ = nullptr;
  QToolButton* readBtn_ = nullptr;
  QToolButton* delBtn_ = nullptr;
  std::function<void()> deleteAction_;
};

}  // namespace brv3
