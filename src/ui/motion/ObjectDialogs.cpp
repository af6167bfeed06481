#include "ui/motion/ObjectDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "core/board/SlotLists.h"
#include "core/chart/Chart.h"
#include "ui/motion/DialogWidgets.h"
#include "ui/table/TableReadNote.h"

namespace brv3 {
namespace {

struct SetRadio {
  SetOption option;
  const char* name;
  const char* caption;  // before translation
};
const std::array<SetRadio, 9> kSetRadios = {{
    {SetOption::Capture, "RadBtn1",
     QT_TRANSLATE_NOOP("ObjectDialogs", "Capture FREE Servo Values")},
    {SetOption::LoopCounter, "RadBtn2", QT_TRANSLATE_NOOP("ObjectDialogs", "Set Loop Counter")},
    {SetOption::ComparisonRegister, "RadBtn3",
     QT_TRANSLATE_NOOP("ObjectDialogs", "Set Comparison Register")},
    {SetOption::SensorReference, "RadBtn4",
     QT_TRANSLATE_NOOP("ObjectDialogs", "Set Sensor Reference Value")},
    {SetOption::Timebase, "RadBtn5", QT_TRANSLATE_NOOP("ObjectDialogs", "Timebase")},
    {SetOption::SensorControl, "RadBtn6",
     QT_TRANSLATE_NOOP("ObjectDialogs", "Sensor Control Enabled")},
    {SetOption::Jump, "RadBtn11", QT_TRANSLATE_NOOP("ObjectDialogs", "Jump")},
    {SetOption::Call, "RadBtn12", QT_TRANSLATE_NOOP("ObjectDialogs", "Call")},
    {SetOption::CallReturn, "RadBtn13", QT_TRANSLATE_NOOP("ObjectDialogs", "Call Return")},
}};

const std::array<const char*, kCompareOptionCount> kCompareCaptions = {
    QT_TRANSLATE_NOOP("ObjectDialogs", "Loop Counter <> 0"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "AD1 Change > Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "AD2 Change > Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "AD3 Change > Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "PA1 Change > Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "PA2 Change > Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "PA3 Change > Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "PA4 Change > Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "Remote Code = Comparison Register"),
    QT_TRANSLATE_NOOP("ObjectDialogs", "Remote Code AND Comparison Register <> 0")};

size_t RadioSlot(SetOption option) {
  return static_cast<size_t>(static_cast<int>(option) - 1);
}

void ClearGroup(QButtonGroup* group) {
  group->setExclusive(false);
  for (QAbstractButton* b : group->buttons()) b->setChecked(false);
  group->setExclusive(true);
}

NotifyingCombo* MakeCombo(const char* name, QWidget* parent) {
  auto* box = new NotifyingCombo(parent);
  box->setObjectName(name);
  return box;
}

void FillSlots(QComboBox* box, const std::vector<std::string>& items) {
  QSignalBlocker block(box);
  box->clear();
  for (const std::string& item : items) box->addItem(QString::fromStdString(item));
}

std::unique_ptr<PoseTarget> TargetFor(Chart& chart, int index, std::unique_ptr<PoseTarget> target) {
  return target ? std::move(target) : std::make_unique<ChartPoseTarget>(chart, index);
}

void ShowAndFocus(QWidget* w) {
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace

TSetDlg::TSetDlg(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("SetDlg");
  group_ = new QButtonGroup(this);
  auto* grid = new QGridLayout(this);
  int row = 0;
  for (const SetRadio& r : kSetRadios) {
    auto* radio = new QRadioButton(QCoreApplication::translate("ObjectDialogs", r.caption), this);
    radio->setObjectName(r.name);
    group_->addButton(radio, static_cast<int>(r.option));
    radios_[RadioSlot(r.option)] = radio;
    grid->addWidget(radio, row++, 0, 1, 2);
    connect(radio, &QRadioButton::clicked, this,
            [this, option = r.option] { model_.Choose(option); });
    auto* line = new QHBoxLayout;
    grid->addLayout(line, row++, 1);
    switch (r.option) {
      case SetOption::LoopCounter:
        numBar_ = new QSlider(Qt::Horizontal, this);
        numBar_->setObjectName("NumBar");
        numBar_->setRange(kLoopCountMin, kLoopCountMax);
        edit1_ = new QLineEdit(this);
        edit1_->setObjectName("Edit1");
        line->addWidget(numBar_);
        line->addWidget(edit1_);
        connect(numBar_, &QSlider::valueChanged, this, [this](int v) {
          model_.NumBarMoved(v);
          Refresh();
        });
        connect(edit1_, &QLineEdit::textEdited, this,
                [this](const QString& t) { model_.Edit1Typed(t.toStdString()); });
        connect(edit1_, &QLineEdit::returnPressed, this, [this] {
          model_.Edit1Entered(edit1_->text().toStdString());
          Refresh();
        });
        break;
      case SetOption::ComparisonRegister:
        edit2_ = new QLineEdit(this);
        edit2_->setObjectName("Edit2");
        edit2_->installEventFilter(this);
        line->addWidget(edit2_);
        connect(edit2_, &QLineEdit::returnPressed, this, [this] {
          model_.Edit2Entered(edit2_->text().toStdString());
          Refresh();
        });
        break;
      case SetOption::SensorReference:
        adList_ = MakeCombo("AdList", this);
        adList_->addItems({"AD1", "AD2", "AD3"});
        line->addWidget(adList_);
        break;
      case SetOption::Timebase:
        cycleList_ = MakeCombo("CycleList", this);
        for (const char* item : kCycleItems) cycleList_->addItem(item);
        line->addWidget(cycleList_);
        break;
      case SetOption::SensorControl:
        for (int box = 1; box <= SetDialog::kSensorBoxes; ++box) {
          auto* check = new QCheckBox(this);
          check->setObjectName(QString("Sck%1").arg(box));
          check->installEventFilter(this);
          sck_[static_cast<size_t>(box - 1)] = check;
          grid->addWidget(check, row++, 1);
          connect(check, &QCheckBox::toggled, this,
                  [this, box](bool on) { model_.SensorTicked(box, on); });
        }
        break;
      case SetOption::Jump:
        djpList_ = MakeCombo("DjpList", this);
        line->addWidget(djpList_);
        break;
      case SetOption::Call:
        callList_ = MakeCombo("CallList", this);
        line->addWidget(callList_);
        break;
      default:
        break;
    }
  }
  tableNote_ = new TableReadNote(this);
  grid->addWidget(tableNote_, row++, 0, 1, 2);
  connect(tableNote_, &TableReadNote::TableRead, this, [this] {
    if (!lists_) return;
    const std::vector<std::string> items = lists_->Items();
    FillSlots(djpList_, items);
    FillSlots(callList_, items);
    model_.SlotItemsChanged(items);
    Refresh();
  });
  for (SetOption option :
       {SetOption::SensorReference, SetOption::Timebase, SetOption::Jump, SetOption::Call}) {
    NotifyingCombo* list = List(option);
    connect(list, &NotifyingCombo::Opened, this, [this, option] {
      model_.ListOpened(option);
      Refresh();
    });
    connect(list, qOverload<int>(&QComboBox::activated), this, [this, option](int index) {
      model_.ListOpened(option);
      model_.ListChosen(option, index);
      Refresh();
    });
  }
}

QRadioButton* TSetDlg::Radio(SetOption option) const {
  return option == SetOption::None ? nullptr : radios_[RadioSlot(option)];
}

NotifyingCombo* TSetDlg::List(SetOption option) const {
  switch (option) {
    case SetOption::SensorReference:
      return adList_;
    case SetOption::Timebase:
      return cycleList_;
    case SetOption::Jump:
      return djpList_;
    case SetOption::Call:
      return callList_;
    default:
      return nullptr;
  }
}

bool TSetDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit2_ && event->type() == QEvent::KeyRelease) {
    model_.Edit2KeyReleased(edit2_->text().toStdString());
    Refresh();
  } else if (event->type() == QEvent::MouseButtonPress) {
    for (int box = 1; box <= SetDialog::kSensorBoxes; ++box) {
      if (watched == sck_[static_cast<size_t>(box - 1)]) {
        model_.SensorPressed(box);
        Refresh();
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TSetDlg::Open(Chart& chart, int index, const SensorTriggers& triggers,
                   const std::vector<std::string>& slotItems, std::unique_ptr<PoseTarget> target) {
  if (isVisible()) hide();  // stores the choice for the object shown so far
  target_ = TargetFor(chart, index, std::move(target));
  ShowAndFocus(this);
  FillSlots(djpList_, slotItems);
  FillSlots(callList_, slotItems);
  model_.Open(target_.get(), triggers, slotItems);
  tableNote_->Refresh();
  Refresh();
  if (QRadioButton* radio = Radio(model_.Option())) radio->setFocus();
}

void TSetDlg::SetSlotLists(SlotLists* lists) {
  lists_ = lists;
  tableNote_->Follow(lists);
}

void TSetDlg::Refresh() {
  setWindowTitle(QString::fromStdString(model_.Caption()));
  {
    QSignalBlocker block(group_);
    ClearGroup(group_);
    if (QRadioButton* radio = Radio(model_.Option())) radio->setChecked(true);
  }
  QSignalBlocker b1(numBar_), b2(edit1_), b3(edit2_);
  numBar_->setValue(model_.NumBar());
  edit1_->setText(QString::fromStdString(model_.Edit1()));
  edit2_->setText(QString::fromStdString(model_.Edit2()));
  adList_->setCurrentIndex(model_.AdIndex());
  cycleList_->setCurrentIndex(model_.CycleIndex());
  djpList_->setCurrentIndex(model_.JumpIndex());
  callList_->setCurrentIndex(model_.CallIndex());
  for (int box = 1; box <= SetDialog::kSensorBoxes; ++box) {
    QCheckBox* check = sck_[static_cast<size_t>(box - 1)];
    QSignalBlocker block(check);
    check->setChecked(model_.Sensor(box));
    check->setText(QString::fromStdString(model_.SensorCaption(box)));
    check->setToolTip(QString::fromStdString(model_.SensorHint(box)));
  }
}

void TSetDlg::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!model_.Target()) return;
  model_.Hide();
  emit ObjectChanged();
}

TCompDlg::TCompDlg(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("CompDlg");
  group_ = new QButtonGroup(this);
  auto* layout = new QVBoxLayout(this);
  for (int tag = 0; tag < kCompareOptionCount; ++tag) {
    auto* radio = new QRadioButton(
        QCoreApplication::translate("ObjectDialogs", kCompareCaptions[static_cast<size_t>(tag)]),
        this);
    radio->setObjectName(QString("RadBtn%1").arg(tag + 1));
    group_->addButton(radio, tag);
    radios_[static_cast<size_t>(tag)] = radio;
    layout->addWidget(radio);
    connect(radio, &QRadioButton::released, this, [this, tag] {
      model_.Released(tag);
      emit ObjectChanged();
    });
  }
}

void TCompDlg::Open(Chart& chart, int index, std::unique_ptr<PoseTarget> target) {
  target_ = TargetFor(chart, index, std::move(target));
  ShowAndFocus(this);
  model_.Open(target_.get());
  setWindowTitle(QString::fromStdString(model_.Caption()));
  ClearGroup(group_);
  if (model_.Selected() >= 0) radios_[static_cast<size_t>(model_.Selected())]->setChecked(true);
}

TMixDlg::TMixDlg(LinkBoard& board, std::function<bool()> sync, const ChannelLook* look,
                 QWidget* parent)
    : QWidget(parent, Qt::Tool), model_(board, std::move(sync)), look_(look) {
  setObjectName("MixDlg");
  auto* grid = new QGridLayout(this);
  for (int n = 1; n <= kChannels; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    auto* label = new QLabel(this);
    label->setObjectName(QString("MixLabel%1").arg(n));
    auto* source = MakeCombo("", this);
    source->setObjectName(QString("MixNum%1").arg(n));
    for (const char* item : kMixSourceItems) source->addItem(item);
    auto* factor = MakeCombo("", this);
    factor->setObjectName(QString("MixList%1").arg(n));
    for (int k = 0; k <= 2 * kMixFactorLimit; ++k)
      factor->addItem(QString::fromStdString(MixFactorItem(k)));
    source->setProperty("channel", n);
    factor->setProperty("channel", n);
    labels_[i] = label;
    sources_[i] = source;
    factors_[i] = factor;
    const int col = (n - 1) / 12 * 3;
    const int row = (n - 1) % 12;
    grid->addWidget(label, row, col);
    grid->addWidget(source, row, col + 1);
    grid->addWidget(factor, row, col + 2);
    connect(source, &NotifyingCombo::Closed, this, [this, n, source] {
      model_.SourceClosed(n, source->currentIndex());
      emit ObjectChanged();
    });
    connect(factor, &NotifyingCombo::Closed, this, [this, n, factor] {
      model_.FactorClosed(n, factor->currentIndex());
      emit ObjectChanged();
    });
  }
  Refresh();
}

void TMixDlg::Open(Chart& chart, int index, std::unique_ptr<PoseTarget> target) {
  target_ = TargetFor(chart, index, std::move(target));
  ShowAndFocus(this);
  for (int n = 1; n <= kChannels; ++n)
    DressChannelLabel(labels_[static_cast<size_t>(n - 1)], look_, n);
  model_.Open(target_.get());
  Refresh();
  sources_[0]->setFocus();
}

void TMixDlg::Refresh() {
  setWindowTitle(QString::fromStdString(model_.Caption()));
  for (size_t i = 0; i < labels_.size(); ++i) {
    QSignalBlocker b1(sources_[i]), b2(factors_[i]);
    sources_[i]->setCurrentIndex(model_.Rows()[i].source);
    factors_[i]->setCurrentIndex(model_.Rows()[i].factor + kMixFactorLimit);
  }
}

}  // namespace brv3
