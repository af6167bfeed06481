#include "ui/board/SVLPrm.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <stdexcept>

#include "core/board/RecordFields.h"
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

// The field a control stands for; a control both layouts share (a list, or a limit slider whose
// range Load sets) is taken from the short format.
const RecordField& FieldOf(std::string_view control) {
  for (RecordFormat format : {RecordFormat::Short, RecordFormat::Long})
    for (const RecordField& field : RecordFields(format))
      if (control == field.control) return field;
  throw std::logic_error("no record field for control " + std::string(control));
}

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
    QComboBox* stretch = List(("Stretch" + n).c_str());
    QComboBox* speed = List(("Speed" + n).c_str());
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
    Row(strPanels[i], strLabels[i], strCaptions[i], Slider(strSliders[i], k + 1, 1));
  }
  Row("PunchPn", "Label13", tr("Punch"), List("Punch"));
  Row("DeadBandPn", "Label5", tr("Dead band"), List("DeadBand"));
  Row("DampingPn", "Label6", tr("Dumping"), List("Damping"));
  Row("ReversePn", "Label7", tr("Reverse"), List("Reverse"));
  Row("DontPWMPn", "Label26", tr("No PWM"), List("DontPWM"));
  Row("ProtecPnP", "Label9", tr("Pulse Timeout"), List("ProtecP"));
  Row("PowFreePnP", "Label10", tr("Protection Timer"), List("PowFreeP"));
  Row("ProtecPnS", "Label20", tr("Pulse Timeout"), Slider("ProtecScr", 9, 128));
  Row("PowFreePnS", "Label21", tr("Protection Timer"), Slider("PowFreeScr", 10, 128));
  Row("LimitLPn", "Label11", tr("CCWLimit"), Slider("LimitL", 7, 0));
  Row("LimitRPn", "Label12", tr("CWLimit"), Slider("LimitR", 8, 0));
  Row("OffSetPn", "Label25", tr("Offset"), Slider("OffSet", 11, 190));
  SetLayout(RecordFormat::Short);
}

QComboBox* TSVLPrm::List(const char* name) {
  auto* list = new QComboBox(this);
  list->setObjectName(name);
  // The items are chosen by position, so showing them translated changes nothing stored.
  for (const std::string& item : *FieldOf(name).items)
    list->addItem(CoreText("ServoRecord", item.c_str()));
  list->setCurrentIndex(0);
  lists_[name] = list;
  return list;
}

QSlider* TSVLPrm::Slider(const char* name, int box, int start) {
  const RecordField& field = FieldOf(name);
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
  slider->setRange(field.min, field.max);
  slider->setValue(start);
  edit->setText(QString::number(limit ? start * 10 : start));
  sliders_[box] = slider;
  slidersByName_[name] = slider;
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
  for (const RecordField& field : RecordFields(record.format)) {
    const int position = LoadField(field, record);
    if (field.IsList()) {
      lists_.at(field.control)->setCurrentIndex(position);
    } else {
      QSlider* slider = slidersByName_.at(field.control);
      slider->setRange(field.min, field.max);  // the limits' ranges differ between the formats
      slider->setValue(position);
    }
  }
  shownAtLoad_ = FromControls();
}

ServoRecord TSVLPrm::Store() const {
  const ServoRecord shown = FromControls();
  return shown.bytes == shownAtLoad_.bytes ? record_ : shown;
}

ServoRecord TSVLPrm::FromControls() const {
  ServoRecord record = record_;
  for (const RecordField& field : RecordFields(record.format)) {
    const int position = field.IsList() ? std::max(0, lists_.at(field.control)->currentIndex())
                                        : slidersByName_.at(field.control)->value();
    StoreField(field, position, record);
  }
  return record;
}

}  // namespace brv3
