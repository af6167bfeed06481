#include "ui/app/MainBoardButtons.h"

#include <QBrush>
#include <QFontMetrics>
#include <QTreeWidget>

#include "core/board/TableActions.h"
#include "core/comm/Notifications.h"
#include "core/robot/RobotChecks.h"
#include "ui/app/MainMenus.h"
#include "ui/app/MainWindow.h"
#include "ui/app/ToolWindows.h"
#include "ui/app/WindowPlacement.h"
#include "ui/board/ConfigDialogs.h"
#include "ui/board/InputDialogs.h"
#include "ui/board/OptDlg.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"
#include "ui/robot/RobotDock.h"
#include "ui/table/DataDlg.h"
#include "ui/table/TableDlg.h"

namespace brv3 {
namespace {

// A warning's line on the LIST sheet carries the warning's index.
constexpr int kWarningRole = Qt::UserRole;

}  // namespace

MainBoardButtons::MainBoardButtons(TBrivane3& window, Prompter& prompter)
    : BasicBoardButtons(window.Link(), prompter, window.Notifications()),
      window_(window),
      actions_(window.Link(), prompter) {
  // The table mirror hears of every entry the link writes, then the table window.
  window_.Link().SetTableObserver(this);
  actions_.SetTextWidth([this](const std::string& text) {
    const QWidget* canvas = window_.CanvasWidget();
    const QFontMetrics metrics(canvas ? canvas->font() : window_.font());
    return static_cast<int32_t>(metrics.horizontalAdvance(QString::fromStdString(text)));
  });
  window_.Editors().SetMotionTable(&actions_.Table());
  chartReplaced_ = window_.CurrentChart().Changes().Subscribe([this](const ChartChange& change) {
    if (change.kind == ChartChangeKind::Replaced && change.origin == ChangeOrigin::Load)
      chartSlot_.reset();
  });
  // A read the user asks for in a dialog goes through the table window, which then shows it.
  actions_.Lists().SetReader([this] {
    if (tableDlg_) return tableDlg_->MotReadBtnClick();
    return RefreshMotionTable(window_.Link(), actions_.Table()) ||
           RefreshMotionTable(window_.Link(), actions_.Table());
  });
  window_.Editors().SetSlotLists(&actions_.Lists());
  config_ = std::make_unique<ConfigDialogs>(window);
  config_->OptDlg().SetSlotLists(&actions_.Lists());
  warningClicks_ = QObject::connect(window_.Qvb(), &QTreeWidget::itemClicked, window_.Qvb(),
                                    [this](QTreeWidgetItem* item) {
                                      const QVariant index = item->data(0, kWarningRole);
                                      if (index.isValid()) ShowWarning(index.value<size_t>());
                                    });
}

MainBoardButtons::~MainBoardButtons() {
  QObject::disconnect(warningClicks_);
  window_.Link().SetTableObserver(nullptr);
  window_.Editors().SetMotionTable(nullptr);
  window_.Editors().SetSlotLists(nullptr);
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
  // Every configuration window is built here (the analog and transmitter ones live with the
  // object editors, the others with config_).
  return IsToolWindow(button) || BasicBoardButtons::OffersDialog(button);
}

void MainBoardButtons::ShowTableEntry(const Bytes& entry, int index, bool add) {
  actions_.Table().ShowTableEntry(entry, index, add);
  if (tableDlg_) tableDlg_->RowChanged(index);
}

// Shows the table window, or hides it when it shows.
void MainBoardButtons::TableBtnClick() {
  if (!tableDlg_) return;
  if (tableDlg_->isVisible()) {
    tableDlg_->hide();
    return;
  }
  PlaceBesideWindow(*tableDlg_, window_);
  tableDlg_->show();
  tableDlg_->raise();
}

void MainBoardButtons::ShowListing() {
  QTreeWidget* qvb = window_.Qvb();
  QTreeWidget* list = window_.List();
  qvb->clear();
  list->clear();
  // The warnings of the last check head the hexadecimal view, in the colour of a caution; a
  // click on one shows where it is.
  const std::vector<std::string> lines = WarningLines(warnings_);
  for (size_t i = 0; i < lines.size(); ++i) {
    auto* item = new QTreeWidgetItem(qvb, {QString::fromStdString(lines[i])});
    item->setForeground(0, QBrush(QColor(0xB0, 0x50, 0x00)));
    item->setData(0, kWarningRole, QVariant::fromValue(i));
    if (warnings_[i].Object >= 0 || !warnings_[i].Moments.empty())
      item->setToolTip(
          0, QString::fromStdString(Tr("MainBoardButtons", "Click to show where this happens")));
  }
  for (const std::string& note : notes_) {
    auto* item = new QTreeWidgetItem(
        qvb, {QString::fromStdString(Args(Tr("MainBoardButtons", "note: %1"), {note}))});
    item->setForeground(0, QBrush(QColor(0x70, 0x70, 0x70)));
  }
  for (const std::string& row : actions_.HexRows())
    new QTreeWidgetItem(qvb, {QString::fromStdString(row)});
  for (const std::string& line : actions_.Listing())
    new QTreeWidgetItem(list, {QString::fromStdString(line)});
}

BoardKnowledge MainBoardButtons::Knowledge() const {
  BoardKnowledge known;
  known.serialServoMask = window_.Editors().PrmDlg().Editor().SerialServoMask();
  known.emptySlots = actions_.Table().KnownEmptySlots();
  return known;
}

std::string MainBoardButtons::ChartKey() const {
  const std::string& path = window_.Document().Path();
  return path.empty() ? "untitled:" + window_.CurrentChart().Name : path;
}

void MainBoardButtons::CheckBeforeWrite(const Chart& chart) {
  notes_.clear();
  const RobotDock& dock = window_.Editors().Robot();
  const std::shared_ptr<const robot::CheckedRobot>& robot = dock.CheckedModel();
  if (!robot || !dock.UsersRobot()) {
    warnings_ = PreWriteWarnings(chart, Knowledge());
    return;
  }
  warnings_ = robot::CheckChartWithRobot(chart, Knowledge(), robot.get(), &notes_);
}

void MainBoardButtons::ShowWarning(size_t index) {
  if (index >= warnings_.size()) return;
  const ChartWarning warning = warnings_[index];
  Chart& chart = window_.CurrentChart();
  if (chart.ValidObject(warning.Object)) {
    chart.DeselectAll();
    chart.Objects[static_cast<size_t>(warning.Object)].Selected = 1;
    chart.Notify(ChartChangeKind::SelectionChanged);
  }
  RobotDock& robot = window_.Editors().Robot();
  if (!warning.Moments.empty() && robot.CheckedModel()) robot.Seek(warning.Moments.front().From);
}

void MainBoardButtons::CompileBtnClick() {
  const Chart& chart = window_.CurrentChart();
  CheckBeforeWrite(chart);
  actions_.Compile(chart);
  ShowListing();
}

void MainBoardButtons::MotWriteBtnClick() {
  const Chart& chart = window_.CurrentChart();
  const std::optional<Slot> slot = actions_.AskSlot(SlotQuestion::Write, chart.Type);
  if (!slot) return;
  CheckBeforeWrite(chart);
  if (!writeGate_.Allow(Prompts(), ChartKey(), warnings_)) {
    ShowListing();
    return;
  }
  const ActionResult written = actions_.Write(*slot, chart);
  if (written == ActionResult::Done || written == ActionResult::WakeFailed) chartSlot_ = *slot;
  ShowListing();
}

void MainBoardButtons::MotReadBtnClick() {
  const std::optional<Slot> slot = actions_.AskSlot(SlotQuestion::Read);
  if (!slot) return;
  warnings_.clear();
  notes_.clear();
  if (actions_.Read(*slot, window_.CurrentChart()) == ActionResult::Done) chartSlot_ = *slot;
  ShowListing();
}

void MainBoardButtons::MotDelBtnClick() {
  if (const std::optional<Slot> slot = actions_.AskSlot(SlotQuestion::Delete))
    actions_.Delete(*slot);
}

void MainBoardButtons::MotRunBtnClick() {
  const std::optional<Slot> slot = actions_.AskSlot(SlotQuestion::Play);
  if (!slot || actions_.Play(*slot) != ActionResult::Done) return;
  RobotDock& robot = window_.Editors().Robot();
  if (chartSlot_ == slot && robot.isVisible()) {
    robot.Stop();
    robot.Play();
  }
}

void MainBoardButtons::RemoteReportArrived(const RemoteReport& report) {
  if (dataDlg_) dataDlg_->RemoteCodeArrived(report.Code);
  window_.Editors().PropoDlg().ReportArrived(report);
}

void MainBoardButtons::AdBtnClick() {
  window_.Editors().RunAnalogDialog();
}

void MainBoardButtons::OptionMenu3Click() {
  window_.Editors().RunTransmitterDialog();
}

void MainBoardButtons::AnalogReportArrived(const AnalogReport& report) {
  window_.Editors().AdDlg().ReportArrived(report);
}

}  // namespace brv3
