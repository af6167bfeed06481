#include "ui/board/InputDialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/board/SlotLists.h"
#include "core/motion/MixWords.h"
#include "ui/board/ScrollEnd.h"
#include "ui/motion/DialogWidgets.h"
#include "ui/table/TableReadNote.h"

namespace brv3 {
namespace {

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  if (name && *name) label->setObjectName(name);
  return label;
}

QLineEdit* Text(const QString& name, QWidget* parent, bool readOnly = true) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setReadOnly(readOnly);
  return edit;
}

QScrollBar* Slider(const QString& name, int lo, int hi, QWidget* parent) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName(name);
  bar->setRange(lo, hi);
  bar->setMinimumWidth(160);
  return bar;
}

void SetText(QLineEdit* edit, const std::string& text) {
  edit->setText(QString::fromStdString(text));
}

}  // namespace

TAdDlg::TAdDlg(AnalogInputs& model, SensorBoard& board, const ChannelLook* look,
               std::function<void()> discardReports, QWidget* parent)
    : QDialog(parent),
      model_(model),
      board_(board),
      look_(look),
      discardReports_(std::move(discardReports)) {
  setObjectName("AdDlg");
  setWindowTitle(tr("Analog"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);

  tabs_ = new QTabBar(this);
  tabs_->setObjectName("AdChannel");
  for (const QString& tab : {tr("Input 1"), tr("Input 2"), tr("Input 3")}) tabs_->addTab(tab);
  layout->addWidget(tabs_);
  connect(tabs_, &QTabBar::currentChanged, this, [this](int k) {
    model_.SelectTab(k);
    ShowTab();
  });

  auto* mixing = new QGroupBox(tr("Real time mixing"), this);
  mixing->setObjectName("GroupBox1");
  auto* mixGrid = new QGridLayout(mixing);
  for (int c = 1; c <= kChannels; ++c) {
    const size_t i = static_cast<size_t>(c - 1);
    names_[i] = Label("", QString("CH%1").arg(c), mixing);
    names_[i]->setObjectName(QString("PortName%1").arg(c));
    mixLists_[i] = new NotifyingCombo(mixing);
    mixLists_[i]->setObjectName(QString("ComboBox%1").arg(c));
    for (int k = 0; k <= 2 * kMixFactorLimit; ++k)
      mixLists_[i]->addItem(QString::fromStdString(MixFactorItem(k)));
    mixLists_[i]->setCurrentIndex(kMixFactorLimit);
    const int col = (c - 1) / 8 * 2;
    mixGrid->addWidget(names_[i], (c - 1) % 8, col);
    mixGrid->addWidget(mixLists_[i], (c - 1) % 8, col + 1);
    connect(mixLists_[i], &NotifyingCombo::Closed, this,
            [this, c, i] { model_.MixListClosed(c, mixLists_[i]->currentIndex()); });
  }
  layout->addWidget(mixing);

  auto* base = new QGroupBox(tr("Base Level Settiong"), this);
  base->setObjectName("GroupBox2");
  auto* baseGrid = new QGridLayout(base);
  calEdit_ = Text("CalEdit", base);
  reference_ = Slider("ScrollBar1", 0, kAdReferenceMax, base);
  adcEdit_ = Text("AdcEdit", base);
  rifEdit_ = Text("RifEdit", base);
  auto* autoCal = new QPushButton(tr("AUTO"), base);
  autoCal->setObjectName("AutoCalBtn");
  autoCal->setAutoDefault(false);  // Enter elsewhere in the dialog never calibrates
  baseGrid->addWidget(Label("Label2", tr("Ref"), base), 0, 0);
  baseGrid->addWidget(calEdit_, 0, 1);
  baseGrid->addWidget(reference_, 0, 2);
  baseGrid->addWidget(autoCal, 0, 3);
  baseGrid->addWidget(Label("Label3", tr("Measure"), base), 1, 0);
  baseGrid->addWidget(adcEdit_, 1, 1);
  baseGrid->addWidget(Label("Label1", tr("Amount"), base), 2, 0);
  baseGrid->addWidget(rifEdit_, 2, 1);
  layout->addWidget(base);
  connect(reference_, &QScrollBar::valueChanged, this, [this](int v) {
    model_.ReferenceMoved(v);
    SetText(calEdit_, model_.Readout().cal);
  });
  connect(autoCal, &QPushButton::clicked, this, [this] { model_.AutoCalibrate(); });

  auto* triggers = new QGroupBox(tr("Play motion on sensor interrupt"), this);
  triggers->setObjectName("GroupBox3");
  auto* trigGrid = new QGridLayout(triggers);
  const char* playNames[] = {"Label4", "Label7"};
  const char* levelNames[] = {"Label5", "Label9"};
  const char* exceedNames[] = {"Label6", "Label8"};
  for (int j = 0; j < 2; ++j) {
    const size_t s = static_cast<size_t>(j);
    thresholdEdits_[s] = Text(QString("Edit%1").arg(j + 1), triggers);
    thresholds_[s] =
        Slider(QString("SensScroll%1").arg(j + 1), -kThresholdLimit, kThresholdLimit, triggers);
    motionLists_[s] = new NotifyingCombo(triggers);
    motionLists_[s]->setObjectName(QString("MotList%1").arg(j + 1));
    trigGrid->addWidget(Label(playNames[j], tr("Play"), triggers), j, 0);
    trigGrid->addWidget(thresholdEdits_[s], j, 1);
    trigGrid->addWidget(thresholds_[s], j, 2);
    trigGrid->addWidget(Label(levelNames[j], tr("interrupt trigger level"), triggers), j, 3);
    trigGrid->addWidget(motionLists_[s], j, 4);
    trigGrid->addWidget(Label(exceedNames[j], tr("change exceeds"), triggers), j, 5);
    connect(thresholds_[s], &QScrollBar::valueChanged, this, [this, j, s](int v) {
      model_.ThresholdMoved(j, v);
      SetText(thresholdEdits_[s], std::to_string(model_.ShownTrigger(j).threshold));
    });
    new ScrollEnd(thresholds_[s], [this, j] { model_.ThresholdScrollEnded(j); });
    connect(motionLists_[s], &NotifyingCombo::Closed, this,
            [this, j, s] { model_.MotionListClosed(j, motionLists_[s]->currentIndex()); });
  }
  layout->addWidget(triggers);
  tableNote_ = new TableReadNote(this);
  layout->addWidget(tableNote_);
  connect(tableNote_, &TableReadNote::TableRead, this, [this] {
    if (lists_) FillMotionLists(lists_->Items());
  });

  auto* volts = new QHBoxLayout;
  const char* voltNames[] = {"BATT", "AD1", "AD2", "AD3"};
  for (int v = 0; v < 4; ++v) {
    volts->addWidget(
        Label(QString("Label%1").arg(10 + v).toUtf8().constData(), voltNames[v], this));
    volts_[static_cast<size_t>(v)] = Text(QString("Edit%1").arg(3 + v), this);
    volts->addWidget(volts_[static_cast<size_t>(v)]);
  }
  layout->addLayout(volts);
}

void TAdDlg::Dress(const std::vector<std::string>& slotItems) {
  for (int c = 1; c <= kChannels; ++c)
    DressChannelLabel(names_[static_cast<size_t>(c - 1)], look_, c);
  FillMotionLists(slotItems);
  SetText(adcEdit_, kUnknownReading);
  SetText(rifEdit_, kUnknownReading);
}

void TAdDlg::SetSlotLists(SlotLists* lists) {
  lists_ = lists;
  tableNote_->Follow(lists);
}

void TAdDlg::FillMotionLists(const std::vector<std::string>& slotItems) {
  for (NotifyingCombo* list : motionLists_) {
    QSignalBlocker block(list);
    const int chosen = list->currentIndex();
    list->clear();
    list->addItem(tr("OFF"));
    for (const std::string& item : slotItems) list->addItem(QString::fromStdString(item));
    list->setCurrentIndex(chosen);
  }
  tableNote_->Refresh();
}

DialogRun TAdDlg::Run(const std::vector<std::string>& slotItems) {
  Dress(slotItems);
  return RunAnalogDialog(model_, board_, discardReports_, [this] {
    ShowTab();
    exec();
  });
}

void TAdDlg::ShowTab() {
  {
    QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(model_.Tab());
  }
  for (int c = 1; c <= kChannels; ++c) {
    NotifyingCombo* list = mixLists_[static_cast<size_t>(c - 1)];
    QSignalBlocker block(list);
    list->setCurrentIndex(model_.MixIndex(c));
  }
  for (int j = 0; j < 2; ++j) {
    const size_t s = static_cast<size_t>(j);
    const SensorTrigger& trigger = model_.ShownTrigger(j);
    QSignalBlocker b1(thresholds_[s]), b2(motionLists_[s]);
    thresholds_[s]->setValue(trigger.threshold);
    SetText(thresholdEdits_[s], std::to_string(trigger.threshold));
    motionLists_[s]->setCurrentIndex(trigger.motion);
  }
  ShowReadout();
}

void TAdDlg::ShowReadout() {
  const AnalogReadout& shown = model_.Readout();
  QSignalBlocker block(reference_);
  reference_->setValue(shown.scroll);
  SetText(calEdit_, shown.cal);
  SetText(adcEdit_, shown.adc);
  SetText(rifEdit_, shown.rif);
}

void TAdDlg::ReportArrived(const AnalogReport& report) {
  model_.Report(report);
  SetText(volts_[0], model_.VoltageText());
  for (int k = 0; k < 3; ++k) SetText(volts_[static_cast<size_t>(k + 1)], model_.InputText(k));
  if (isVisible()) ShowReadout();
}

TPropoDlg::TPropoDlg(TransmitterInputs& model, SensorBoard& board, QWidget* parent)
    : QDialog(parent), model_(model), board_(board) {
  setObjectName("PropoDlg");
  setWindowTitle(tr("PropoDlg"));
  setModal(true);
  auto* layout = new QGridLayout(this);
  const char* groupNames[] = {"GroupBox2", "GroupBox1", "GroupBox3", "GroupBox4"};
  for (int i = 0; i < 4; ++i) {
    const size_t s = static_cast<size_t>(i);
    auto* group = new QGroupBox(QString("PA%1").arg(i + 1), this);
    group->setObjectName(groupNames[i]);
    auto* grid = new QGridLayout(group);
    sliders_[s] = Slider(QString("PScrBar%1").arg(i + 1), 0, kPropoReferenceMax, group);
    sliders_[s]->setProperty("input", i);
    cal_[s] = Text(QString("PCal%1").arg(i + 1), group);
    adc_[s] = Text(QString("PAdc%1").arg(i + 1), group);
    rif_[s] = Text(QString("PRif%1").arg(i + 1), group);
    auto* autoBtn = new QPushButton(tr("AUTO"), group);
    autoBtn->setObjectName(QString("ACBtn%1").arg(i + 1));
    autoBtn->setAutoDefault(false);  // Enter elsewhere in the dialog never calibrates
    autoBtn->setProperty("input", i);
    grid->addWidget(sliders_[s], 0, 0, 1, 3);
    grid->addWidget(Label("", tr("Ref"), group), 1, 0);
    grid->addWidget(cal_[s], 1, 1);
    grid->addWidget(autoBtn, 1, 2);
    grid->addWidget(Label("", tr("Measure"), group), 2, 0);
    grid->addWidget(adc_[s], 2, 1);
    grid->addWidget(Label("", tr("Amount"), group), 3, 0);
    grid->addWidget(rif_[s], 3, 1);
    layout->addWidget(group, i / 2, i % 2);
    connect(sliders_[s], &QScrollBar::valueChanged, this, [this, i, s](int v) {
      model_.SliderMoved(i, v);
      SetText(cal_[s], model_.ReferenceText(i));
    });
    new ScrollEnd(sliders_[s], [this, i] { model_.SliderEnded(i); });
    connect(autoBtn, &QPushButton::clicked, this, [this, i] { model_.AutoSet(i); });
  }
  auto* buttons = new QGroupBox(tr("Input with buttons"), this);
  buttons->setObjectName("GroupBox5");
  auto* row = new QHBoxLayout(buttons);
  row->addWidget(Label("", tr("Ref"), buttons));
  button_ = Text("BEdit", buttons);
  row->addWidget(button_);
  layout->addWidget(buttons, 2, 0, 1, 2);
}

void TPropoDlg::ShowAll() {
  SetText(button_, model_.ButtonText());
  for (int i = 0; i < 4; ++i) {
    const size_t s = static_cast<size_t>(i);
    if (!sliders_[s]->isSliderDown()) {
      QSignalBlocker block(sliders_[s]);
      sliders_[s]->setValue(model_.References()[s]);
    }
    SetText(cal_[s], model_.ReferenceText(i));
    SetText(adc_[s], model_.MeasuredText(i));
    SetText(rif_[s], model_.ChangeText(i));
  }
}

DialogRun TPropoDlg::Run(const std::function<void(const std::string&)>& status) {
  return RunTransmitterDialog(
      model_, board_,
      [this] {
        ShowAll();
        exec();
      },
      status);
}

void TPropoDlg::ReportArrived(const RemoteReport& report) {
  model_.Report(report);
  if (isVisible()) ShowAll();
}

}  // namespace brv3
