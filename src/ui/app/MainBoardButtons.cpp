#include "ui/app/MainBoardButtons.h"

#include <QTreeWidget>

#include "core/comm/Notifications.h"
#include "ui/app/MainWindow.h"
#include "ui/board/ConfigDialogs.h"
#include "ui/board/OptDlg.h"
#include "ui/table/DataDlg.h"
#include "ui/table/TableDlg.h"

namespace brv3 {

MainBoardButtons::MainBoardButtons(TBrivane3& window, Prompter& prompter)
    : BasicBoardButtons(window.Link(), prompter, window.Notifications()),
      window_(window),
      actions_(window.Link(), prompter, window.CurrentChart()) {
  // The table mirror hears of every entry the link writes, then the table window.
  window_.Link().SetTableObserver(this);
  config_ = std::make_unique<ConfigDialogs>(window);
  config_->OptDlg().SetTableRows([this] { return actions_.Table().Rows(); });
}

MainBoardButtons::~MainBoardButtons() {
  window_.Link().SetTableObserver(nullptr);
}

void MainBoardButtons::HomeBtnClick() {
  config_->HomeBtnClick();
}

void MainBoardButtons::OptionBtnClick() {
  config_->OptionBtnClick();
}

void MainBoardButtons::SVLBtnClick() {
  config_->SVLBtnClick();
}

bool MainBoardButtons::OffersDialog(std::string_view button) const {
  return config_->Offers(button) || BasicBoardButtons::OffersDialog(button);
}

void MainBoardButtons::ShowTableEntry(const Bytes& entry, int index, bool add) {
  actions_.Table().ShowTableEntry(entry, index, add);
  if (tableDlg_) tableDlg_->RowChanged(index);
}

void MainBoardButtons::TableBtnClick() {
  if (!tableDlg_) return;
  if (!tableDlg_->isVisible()) {
    // Beside the main window's right edge.
    const QRect frame = window_.frameGeometry();
    tableDlg_->move(frame.right() + 1, frame.top());
  }
  tableDlg_->show();
  tableDlg_->raise();
}

void MainBoardButtons::ShowListing() {
  QTreeWidget* qvb = window_.Qvb();
  QTreeWidget* list = window_.List();
  qvb->clear();
  list->clear();
  for (const std::string& row : actions_.HexRows())
    new QTreeWidgetItem(qvb, {QString::fromStdString(row)});
  for (const std::string& line : actions_.Listing())
    new QTreeWidgetItem(list, {QString::fromStdString(line)});
}

void MainBoardButtons::CompileBtnClick() {
  actions_.Compile();
  ShowListing();
}

void MainBoardButtons::MotWriteBtnClick() {
  actions_.Write();
  ShowListing();
}

void MainBoardButtons::MotReadBtnClick() {
  const ActionResult result = actions_.Read();
  if (result == ActionResult::Cancelled) return;
  ShowListing();
  emit window_.ChartChanged();
}

void MainBoardButtons::MotDelBtnClick() {
  actions_.Delete();
}

void MainBoardButtons::MotRunBtnClick() {
  actions_.Play();
}

void MainBoardButtons::PlayMessage(int64_t w, int64_t l) {
  actions_.PlayMessage(w, l);
}

void MainBoardButtons::RemoteReportArrived(const RemoteReport& report) {
  if (dataDlg_) dataDlg_->RemoteCodeArrived(report.Code);
}

}  // namespace brv3
