#pragma once

#include <QDialog>
#include <QTreeWidget>
#include <functional>

#include "core/board/ServoList.h"

class QPushButton;

namespace brv3 {

class BoardLink;
class ChannelLook;
class Prompter;
class TSVLDlg;
class TSVLPrm;

// The list of records: rows are dragged onto rows of the same list only.
class SvlListWidget : public QTreeWidget {
  Q_OBJECT
 public:
  explicit SvlListWidget(TSVLDlg& owner, QWidget* parent);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  int TargetRow(const QPoint& pos) const;
  TSVLDlg& owner_;
};

// The serial-servo list: SVL mode on while it is open, off again whenever it closes.
class TSVLDlg : public QDialog {
  Q_OBJECT
 public:
  TSVLDlg(BoardLink& link, Prompter& prompter, QWidget* parent = nullptr);
  ~TSVLDlg() override;

  void SetLook(const ChannelLook* look) { look_ = look; }
  // The parameter dialog is shown through this hook (default: modally); tests replace it.
  void SetShowParameters(std::function<void(TSVLPrm&)> show) { showPrm_ = std::move(show); }

  bool Run();
  bool Prepare();

  void SioReadBtnClick();
  // Double click on row `row` (0..23).
  void EditRow(int row);
  // Dragging row `from` onto row `to` (0..23): allowed, and the copy itself.
  bool CanDrop(int from, int to) const;
  void DropRow(int from, int to);

  ServoList& List() { return *list_; }

 protected:
  void done(int result) override;

 private:
  void ShowRows();
  void SetBusy(bool busy);

  BoardLink& link_;
  Prompter& prompter_;
  const ChannelLook* look_ = nullptr;
  std::unique_ptr<ServoList> list_;
  SvlListWidget* tree_ = nullptr;
  QPushButton* readBtn_ = nullptr;
  TSVLPrm* prm_ = nullptr;
  std::function<void(TSVLPrm&)> showPrm_;
};

}  // namespace brv3
