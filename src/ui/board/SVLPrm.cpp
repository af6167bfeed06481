#include "ui/board/SVLPrm.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "ui/app/ShownTexts.h"

namespace brv3 {
namespace {

constexpr int kRowHeight = 24;
constexpr int kGainHeight = 84;
constexpr int kFormWidth = 300;

const std::vector<const char*> kShortRows = {"GainPanel",  "PunchPn",   "DeadBandPn",
                                             "DampingPn",  "ReversePn", "ProtecPnP",
                                             "PowFreePnP", "LimitLPn",  "LimitRPn"};
const std::vector<const char*> kLongRows = {"StrPanel1",  "SpdPanel1", "StrPanel2", "SpdPanel2",
                                            "StrPanel3",  "SpdPanel3", "PunchPn",   "DeadBandPn",
                                            "DampingPn",  "ReversePn", "DontPWMPn", "ProtecPnS",
                                            "PowFreePnS", "LimitLPn",  "LimitRPn",  "OffSetPn"};

}  // namespace

TSVLPrm::TSVLPrm(QWidget* parent) : QDialog(parent) {
  setObjectName("SVLPrm");
  // The short layout's gain panel: three rows of stretch and speed lists.
  auto* gain = new QFrame(this);
  gain->setObjectName("GainPanel");
  auto* grid = new QGridLayout(gain);
  grid->setContentsMargins(2, 2, 2, 2);
  auto* head1 = new QLabel(tr("Stretch"), gain);
  head1->setObjectName("Label8");
  auto* head2 = new QLabel(tr("Speed"), gain);
  head2->setObjectName("Label2");
  grid->addWidget(head1, 0, 1);
  grid->addWidget(head2, 0, 2);
  const std::array<const char*, 3> setLabels = {"Label1", "Label3", "Label4"};
  for (int k = 0; k < 3; ++k) {
    auto* label = new QLabel("SET" + QString::number(k + 1), gain);
    label->setObjectName(setLabels[static_cast<size_t>(k)]);
    grid->addWidget(label, k + 1, 0);
    const std::string n = std::to_string(k + 1);
    QComboBox* stretch = List(("Stretch" + n).c_str(), kStretchItems);
    QComboBox* speed = List(("Speed" + n).c_str(), kSpeedItems);
    stretch->setParent(gain);
    speed->setParent(gain);
    grid->addWidget(stretch, k + 1, 1);
    grid->addWidget(speed, k + 1, 2);
  }
  panels_["GainPanel"] = gain;

  // The long layout's six slider rows.
  const std::array<const char*, 6> strPanels = {"StrPanel1", "SpdPanel1", "StrPanel2",
                                                "SpdPanel2", "StrPanel3", "SpdPanel3"};
  const std::array<const char*, 6> strLabels = {"Label19", "Label16", "Label15",
                                                "Label17", "Label18", "Label14"};
  const std::array<QString, 6> strCaptions = {tr("Stretch1"), tr("Speed1"),   tr("Stretch2"),
                                              tr("Speed2"),   tr("Stretch3"), tr("Speed3")};
  const std::array<const char*, 6> strSliders = {"StrScr1",  "SpdrScr1", "StrScr2",
                                                 "SpdrScr2", "StrScr3",  "SpdrScr3"};
  for (int k = 0; k < 6; ++k) {
    const size_t i = static_cast<size_t>(k);
    Row(strPanels[i], strLabels[i], strCaptions[i], Slider(strSliders[i], k + 1, 1, 127, 1));
  }
  Row("PunchPn", "Label13", tr("Punch"), List("Punch", kPunchItems));
  Row("DeadBandPn", "Label5", tr("Dead band"), List("DeadBand", kDeadBandItems));
  Row("DampingPn", "Label6", tr("Dumping"), List("Damping", kDampingItems));
  Row("ReversePn", "Label7", tr("Reverse"), List("Reverse", kOnOffItems));
  Row("DontPWMPn", "Label26", tr("No PWM"), List("DontPWM", kOnOffItems));
  Row("ProtecPnP", "Label9", tr("Pulse Timeout"), List("ProtecP", kProtecItems));
  Row("PowFreePnP", "Label10", tr("Protection Timer"), List("PowFreeP", kPowFreeItems));
  Row("ProtecPnS", "Label20", tr("Pulse Timeout"), Slider("ProtecScr", 9, 10, 255, 128));
  Row("PowFreePnS", "Label21", tr("Protection Timer"), Slider("PowFreeScr", 10, 1, 255, 128));
  Row("LimitLPn", "Label11", tr("CCWLimit"), Slider("LimitL", 7, 0, 60, 0));
  Row("LimitRPn", "Label12", tr("CWLimit"), Slider("LimitR", 8, 0, 60, 0));
  Row("OffSetPn", "Label25", tr("Offset"), Slider("OffSet", 11, 100, 250, 190));
  SetLayout(RecordFormat::Short);
}

QComboBox* TSVLPrm::List(const char* name, const std::vector<std::string>& items) {
  auto* list = new QComboBox(this);
  list->setObjectName(name);
  // The items are chosen by position, so showing them translated changes nothing stored.
  for (const std::string& item : items) list->addItem(CoreText("ServoRecord", item.c_str()));
  list->setCurrentIndex(0);
  lists_[name] = list;
  return list;
}

QSlider* TSVLPrm::Slider(const char* name, int box, int min, int max, int start) {
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setObjectName(name);
  slider->setProperty("box", box);
  auto* edit = new QLineEdit(this);
  edit->setObjectName("Edit" + QString::number(box));
  edit->setReadOnly(true);
  edit->setFixedWidth(50);
  const bool limit = box == 7 || box == 8;
  connect(slider, &QSlider::valueChanged, edit,
          [edit, limit](int value) { edit->setText(QString::number(limit ? value * 10 : value)); });
  slider->setRange(min, max);
  slider->setValue(start);
  edit->setText(QString::number(limit ? start * 10 : start));
  sliders_[box] = slider;
  boxes_[box] = edit;
  return slider;
}

QFrame* TSVLPrm::Row(const char* name, const char* labelName, const QString& caption,
                     QWidget* control) {
  auto* panel = new QFrame(this);
  panel->setObjectName(name);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(2, 0, 2, 0);
  auto* label = new QLabel(caption, panel);
  label->setObjectName(labelName);
  label->setFixedWidth(110);
  row->addWidget(label);
  control->setParent(panel);
  row->addWidget(control, 1);
  if (auto* slider = qobject_cast<QSlider*>(control)) {
    QLineEdit* box = boxes_[slider->property("box").toInt()];
    box->setParent(panel);
    row->addWidget(box);
  }
  panels_[name] = panel;
  return panel;
}

void TSVLPrm::SetLayout(RecordFormat format) {
  const auto& rows = format == RecordFormat::Short ? kShortRows : kLongRows;
  for (auto& [name, panel] : panels_) panel->hide();
  int top = 0;
  for (const char* name : rows) {
    QFrame* panel = panels_.at(name);
    const int height = std::string(name) == "GainPanel" ? kGainHeight : kRowHeight;
    panel->setGeometry(0, top, kFormWidth, height);
    panel->show();
    top += height;
  }
  setFixedSize(kFormWidth, format == RecordFormat::Short ? 303 : 387);
}

void TSVLPrm::Load(const ServoRecord& record) {
  record_ = record;
  SetLayout(record.format);
  auto set = [this](const char* name, int index) { lists_.at(name)->setCurrentIndex(index); };
  if (record.format == RecordFormat::Short) {
    const ShortControls c = LoadShort(record);
    for (size_t k = 0; k < 3; ++k) {
      set(("Stretch" + std::to_string(k + 1)).c_str(), c.stretch[k]);
      set(("Speed" + std::to_string(k + 1)).c_str(), c.speed[k]);
    }
    set("Punch", c.punch);
    set("DeadBand", c.deadBand);
    set("Damping", c.damping);
    set("ProtecP", c.protec);
    set("PowFreeP", c.powFree);
    set("Reverse", c.reverse);
    sliders_.at(7)->setRange(0, 60);
    sliders_.at(8)->setRange(0, 60);
    sliders_.at(7)->setValue(c.limitL);
    sliders_.at(8)->setValue(c.limitR);
  } else {
    const LongControls c = LoadLong(record);
    for (size_t k = 0; k < 3; ++k) {
      sliders_.at(static_cast<int>(2 * k + 1))->setValue(c.stretch[k]);
      sliders_.at(static_cast<int>(2 * k + 2))->setValue(c.speed[k]);
    }
    set("Punch", c.punch);
    set("DeadBand", c.deadBand);
    set("Damping", c.damping);
    set("Reverse", c.reverse);
    set("DontPWM", c.noPwm);
    sliders_.at(9)->setValue(c.protec);
    sliders_.at(10)->setValue(c.powFree);
    sliders_.at(11)->setValue(c.offset);
    sliders_.at(7)->setRange(800, 1150);
    sliders_.at(8)->setRange(350, 600);
    sliders_.at(7)->setValue(c.limitL);
    sliders_.at(8)->setValue(c.limitR);
  }
  shownAtLoad_ = FromControls();
}

ServoRecord TSVLPrm::Store() const {
  const ServoRecord shown = FromControls();
  return shown.bytes == shownAtLoad_.bytes ? record_ : shown;
}

ServoRecord TSVLPrm::FromControls() const {
  ServoRecord record = record_;
  auto get = [this](const char* name) { return std::max(0, lists_.at(name)->currentIndex()); };
  if (record.format == RecordFormat::Short) {
    ShortControls c;
    for (size_t k = 0; k < 3; ++k) {
      c.stretch[k] = get(("Stretch" + std::to_string(k + 1)).c_str());
      c.speed[k] = get(("Speed" + std::to_string(k + 1)).c_str());
    }
    c.punch = get("Punch");
    c.deadBand = get("DeadBand");
    c.damping = get("Damping");
    c.protec = get("ProtecP");
    c.powFree = get("PowFreeP");
    c.reverse = get("Reverse");
    c.limitL = sliders_.at(7)->value();
    c.limitR = sliders_.at(8)->value();
    StoreShort(c, record);
  } else {
    LongControls c;
    for (size_t k = 0; k < 3; ++k) {
      c.stretch[k] = sliders_.at(static_cast<int>(2 * k + 1))->value();
      c.speed[k] = sliders_.at(static_cast<int>(2 * k + 2))->value();
    }
    c.punch = get("Punch");
    c.deadBand = get("DeadBand");
    c.damping = get("Damping");
    c.reverse = get("Reverse");
    c.noPwm = get("DontPWM");
    c.protec = sliders_.at(9)->value();
    c.powFree = sliders_.at(10)->value();
    c.offset = sliders_.at(11)->value();
    c.limitL = sliders_.at(7)->value();
    c.limitR = sliders_.at(8)->value();
    StoreLong(c, record);
  }
  return record;
}

}  // namespace brv3
