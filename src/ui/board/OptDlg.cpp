#include "ui/board/OptDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "core/board/SlotLists.h"
#include "core/motion/PanelLayout.h"
#include "ui/motion/DialogWidgets.h"
#include "ui/motion/PrmDlg.h"
#include "ui/table/TableReadNote.h"

namespace brv3 {
namespace {

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QComboBox* MotionList(const char* name, QWidget* parent) {
  auto* list = Named(new QComboBox(parent), name);
  list->addItem(TOptDlg::tr("OFF"));
  return list;
}

// The voltage's up/down control: two arrows and no number of its own. The text beside it is the
// only readout, so the two can never disagree (a board threshold below the range shows its true
// value there while the arrows rest at the bottom of the range).
class UpDownArrows : public QSpinBox {
 public:
  explicit UpDownArrows(QWidget* parent) : QSpinBox(parent) {
    lineEdit()->setReadOnly(true);
    lineEdit()->hide();
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setFixedWidth(2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) + 16);
  }
};

}  // namespace

TOptDlg::TOptDlg(BoardLink& link, QWidget* parent) : QDialog(parent), options_(link) {
  setObjectName("OptDlg");
  setWindowTitle(tr("Option"));
  auto* layout = new QVBoxLayout(this);
  check5_ = Named(new QCheckBox(tr("Motion replay"), this), "Check5");
  check1_ = Named(new QCheckBox(tr("Enable remote control"), this), "Check1");
  check7_ = Named(new QCheckBox(tr("Enable ZLT-1"), this), "Check7");
  for (QCheckBox* box : {check5_, check1_, check7_}) {
    layout->addWidget(box);
    connect(box, &QCheckBox::clicked, this, &TOptDlg::ModeControlReleased);
  }
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  tableNote_ = new TableReadNote(this);
  layout->addWidget(tableNote_);
  connect(tableNote_, &TableReadNote::TableRead, this, &TOptDlg::FillMotionLists);
  btnList_ = MotionList("BtnList", this);
  startList_ = MotionList("StartList", this);
  alarmList_ = MotionList("AlarmList", this);
  cycleList_ = Named(new QComboBox(this), "CycleList");
  for (int i = 0; i < kTimebaseCount; ++i) cycleList_->addItem(TimebaseText(i));
  const std::array<std::pair<const char*, QString>, 4> labels = {
      std::pair{"Label2", tr("Start switch motion")}, std::pair{"Label3", tr("Power-up motion")},
      std::pair{"Label4", tr("Low Power motion")}, std::pair{"Label5", tr("Timebase")}};
  const std::array<QComboBox*, 4> lists = {btnList_, startList_, alarmList_, cycleList_};
  for (int i = 0; i < 4; ++i) {
    grid->addWidget(Named(new QLabel(labels[static_cast<size_t>(i)].second, this),
                          labels[static_cast<size_t>(i)].first),
                    i, 0);
    grid->addWidget(lists[static_cast<size_t>(i)], i, 1);
  }
  connect(btnList_, &QComboBox::activated, this, &TOptDlg::StartListClosed);
  connect(startList_, &QComboBox::activated, this, &TOptDlg::StartListClosed);
  connect(alarmList_, &QComboBox::activated, this, &TOptDlg::AlarmReleased);
  connect(cycleList_, &QComboBox::activated, this, &TOptDlg::ModeControlReleased);
  voltEdit_ = Named(new QLineEdit(this), "AlmVoltEdit");
  voltEdit_->setReadOnly(true);
  voltBtn_ = Named(new UpDownArrows(this), "AlmVoltBtn");
  voltBtn_->setRange(kMinVoltTenths, kMaxVoltTenths);
  voltBtn_->setValue(kDefaultVoltTenths);
  voltBtn_->setWrapping(false);
  voltBtn_->installEventFilter(this);
  connect(voltBtn_, &QSpinBox::valueChanged, this, &TOptDlg::ShowVolt);
  grid->addWidget(voltEdit_, 2, 2);
  grid->addWidget(voltBtn_, 2, 3);
  ShowVolt();

  auto* serial = Named(new QGroupBox(tr("Serial mode"), this), "GroupBox4");
  auto* serialGrid = new QGridLayout(serial);
  auto* reboot = Named(new QLabel(tr("Reboot the QVB-3 to change to SVL mode"), serial), "Label1");
  QFont bold = reboot->font();
  bold.setBold(true);
  reboot->setFont(bold);
  reboot->setStyleSheet("color: red");
  serialGrid->addWidget(reboot, 0, 0, 1, 8);
  auto* svl = Named(new QGroupBox(tr("SVL"), this), "GroupBox6");
  auto* svlGrid = new QGridLayout(svl);
  for (int n = 1; n <= kChannels; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    const QString num = QString::number(n);
    ssv_[i] = new QCheckBox("CH" + num, serial);
    ssv_[i]->setObjectName("SSV_C" + num);
    ssv_[i]->setProperty("channel", n);
    serialGrid->addWidget(ssv_[i], 1 + (n - 1) / 8, (n - 1) % 8);
    connect(ssv_[i], &QCheckBox::clicked, this, &TOptDlg::SerialBoxReleased);
    svl_[i] = new QCheckBox("CH" + num, svl);
    svl_[i]->setObjectName("SVL_C" + num);
    svl_[i]->setProperty("channel", n);
    svlGrid->addWidget(svl_[i], (n - 1) / 8, (n - 1) % 8);
    connect(svl_[i], &QCheckBox::clicked, this, &TOptDlg::SvlBoxReleased);
  }
  layout->addWidget(serial);
  layout->addWidget(svl);
}

bool TOptDlg::Prepare() {
  const std::optional<BoardOptionsData> data = options_.Open();
  if (!data) return false;
  Fill(*data);
  return true;
}

bool TOptDlg::Run() {
  if (!Prepare()) return false;
  exec();
  return true;
}

void TOptDlg::SetSlotLists(SlotLists* lists) {
  lists_ = lists;
  tableNote_->Follow(lists);
}

void TOptDlg::FillMotionLists() {
  const std::vector<std::string> items =
      MotionListItems(lists_ ? lists_->Items() : std::vector<std::string>{});
  for (QComboBox* list : {btnList_, startList_, alarmList_}) {
    const QSignalBlocker block(list);
    const int chosen = list->currentIndex();
    list->clear();
    for (const std::string& item : items) list->addItem(QString::fromStdString(item));
    list->setCurrentIndex(chosen);
  }
  tableNote_->Refresh();
}

void TOptDlg::Fill(const BoardOptionsData& data) {
  FillMotionLists();
  const OptionChoices c = data.Choices();
  for (const OptionField& field : kOptionFields) {
    if (field.kind == OptionKind::Check) {
      findChild<QCheckBox*>(field.control)->setChecked(c.*field.flag);
    } else if (field.kind == OptionKind::Volt) {
      const QSignalBlocker block(voltBtn_);
      voltBtn_->setValue(c.*field.item);
    } else {
      findChild<QComboBox*>(field.control)->setCurrentIndex(c.*field.item);
    }
  }
  voltEdit_->setText(QString::fromStdString(VoltText(c.voltTenths)));
  for (int n = 1; n <= kChannels; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    ssv_[i]->setChecked(MaskHasChannel(data.serialMask, n));
    svl_[i]->setChecked(MaskHasChannel(data.svlMask, n));
    if (editor_)
      for (QCheckBox* box : {ssv_[i], svl_[i]}) DressChannelBox(box, &editor_->Layout(), n);
  }
}

OptionChoices TOptDlg::Choices() const {
  OptionChoices c;
  for (const OptionField& field : kOptionFields) {
    if (field.kind == OptionKind::Check)
      c.*field.flag = findChild<QCheckBox*>(field.control)->isChecked();
    else if (field.kind == OptionKind::Volt)
      c.*field.item = voltBtn_->value();
    else
      c.*field.item = std::max(0, findChild<QComboBox*>(field.control)->currentIndex());
  }
  return c;
}

void TOptDlg::ModeControlReleased() {
  options_.WriteModeWord(Choices());
}

void TOptDlg::StartListClosed() {
  options_.WriteStartMotions(Choices());
}

void TOptDlg::AlarmReleased() {
  options_.WriteLowVoltage(Choices());
}

void TOptDlg::SerialBoxReleased() {
  std::array<bool, kChannels> boxes{};
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = ssv_[i]->isChecked();
  const ChannelMask mask = MaskOf(boxes);
  if (options_.WriteSerialMask(mask) && editor_) {
    editor_->Editor().ApplySerialServoMask(mask);
    editor_->Refresh();
  }
}

void TOptDlg::SvlBoxReleased() {
  std::array<bool, kChannels> boxes{};
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = svl_[i]->isChecked();
  options_.WriteSvlMask(MaskOf(boxes));
}

void TOptDlg::ShowVolt() {
  voltEdit_->setText(QString::fromStdString(VoltText(voltBtn_->value())));
}

bool TOptDlg::eventFilter(QObject* watched, QEvent* event) {
  // The voltage is written when the mouse lets go of an arrow (or a step key is let go), not on
  // every step. It is never written when the arrows lose the focus: that happens inside the
  // press on another control, and a write there would keep that control from seeing its click.
  if (watched == voltBtn_) {
    switch (event->type()) {
      case QEvent::MouseButtonRelease:
        AlarmReleased();
        break;
      case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool step = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                          key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
        if (step && !key->isAutoRepeat()) AlarmReleased();
        break;
      }
      case QEvent::Wheel:
        return true;  // a wheel step would change the text without a release to write it
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace brv3
