#include "ui/table/DataDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/board/TableActions.h"
#include "core/chart/Chart.h"
#include "core/chart/ChartHistory.h"
#include "core/comm/BoardLink.h"
#include "core/comm/MotionTable.h"
#include "core/comm/TableEntry.h"
#include "ui/app/ShownTexts.h"

namespace brv3 {

TDataDlg::TDataDlg(BoardLink& link, MotionTable& table, ChartHistory& history, QWidget* parent)
    : QDialog(parent), link_(link), table_(table), history_(history) {
  setObjectName("DataDlg");
  setWindowTitle(tr("DataDialog"));
  auto* grid = new QGridLayout(this);
  auto* label1 = new QLabel(tr("Data name"), this);
  label1->setObjectName("Label1");
  motName_ = new QLineEdit(this);
  motName_->setObjectName("MotName");
  motName_->setMinimumWidth(220);
  auto* label2 = new QLabel(tr("Remote Control Code"), this);
  label2->setObjectName("Label2");
  cntEdit_ = new QLineEdit(this);
  cntEdit_->setObjectName("CntEdit");
  auto* capture = new QPushButton(tr("Capture"), this);
  capture->setObjectName("Button3");
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName("Button2");
  grid->addWidget(label1, 0, 0);
  grid->addWidget(motName_, 0, 1, 1, 2);
  grid->addWidget(label2, 1, 0);
  grid->addWidget(cntEdit_, 1, 1);
  grid->addWidget(capture, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 2, 0, 1, 3);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(capture, &QPushButton::clicked, this, &TDataDlg::CaptureClick);
  connect(ok, &QPushButton::clicked, this, &TDataDlg::OkClick);
  connect(cancel, &QPushButton::clicked, this, &TDataDlg::CancelClick);
}

void TDataDlg::ShowEntry(int index) {
  index_ = index;
  if (index < 0) {
    const Chart& chart = history_.GetChart();
    // The name a new chart carries is shown in the user's language; left as shown, it stays.
    motName_->setText(ChartNameText(chart.Name));
    cntEdit_->setText(QString::number(chart.Ctrl));
    return;
  }
  const auto& rows = table_.Rows();
  if (index < static_cast<int>(rows.size())) {
    motName_->setText(QString::fromStdString(rows[index].Name));
    cntEdit_->setText(QString::fromStdString(rows[index].Control));
  } else {
    const TableRow empty = FormatTableRow(EmptyTableEntry(), index);
    motName_->setText(QString::fromStdString(empty.Name));
    cntEdit_->setText(QString::fromStdString(empty.Control));
  }
}

void TDataDlg::ShowForChart() {
  ShowEntry(-1);
  BeginChartEdit(link_);
  exec();
  EndEdit(link_);
}

void TDataDlg::RemoteCodeArrived(uint16_t code) {
  cntEdit_->setText(QString::number(code));
}

std::string TDataDlg::CleanName(const std::string& name) {
  std::string clean = name;
  for (char& c : clean)
    if (c == ',' || c == '"') c = ' ';
  return clean;
}

int32_t TDataDlg::CodeFromText(const QString& text, int32_t fallback) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  // -1 would mean "keep" to the board update and larger values do not fit the entry's 16 bits.
  if (!ok || value < 0 || value > 0xFFFF) return fallback;
  return value;
}

void TDataDlg::CaptureClick() {
  if (const std::optional<uint16_t> code = CaptureRemoteCode(link_))
    cntEdit_->setText(QString::number(*code));
}

void TDataDlg::OkClick() {
  if (!motName_->text().isEmpty())
    motName_->setText(QString::fromStdString(CleanName(motName_->text().toStdString())));
  const std::string chartName = history_.GetChart().Name;
  const std::string name = index_ < 0 && motName_->text() == ChartNameText(chartName)
                               ? chartName
                               : motName_->text().toStdString();
  const int32_t chartCode = history_.GetChart().Ctrl;
  if (index_ < 0) {
    const int32_t code = CodeFromText(cntEdit_->text(), chartCode);
    history_.ApplyChecked(QT_TRANSLATE_NOOP("ChartHistory", "Name and code"),
                          [&name, code](Chart& chart) {
                            chart.SetChartName(name);
                            chart.Ctrl = code;
                          },
                          {ChartChangeKind::HeaderChanged, {}, ChangeOrigin::Edit});
  } else {
    const int32_t code = CodeFromText(cntEdit_->text(), chartCode);
    SaveEntryEdit(link_, index_, name, code);
  }
  accept();
}

void TDataDlg::CancelClick() {
  CancelEntryEdit(link_);
  reject();
}

}  // namespace brv3
