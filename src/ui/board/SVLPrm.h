#pragma once

#include <QDialog>
#include <array>
#include <map>
#include <string>

#include "core/board/ServoRecord.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QSlider;

namespace brv3 {

// The parameter dialog of one serial-servo record, in the short or the long layout. It holds
// the record between Load and Store and talks to no board.
class TSVLPrm : public QDialog {
  Q_OBJECT
 public:
  explicit TSVLPrm(QWidget* parent = nullptr);

  void Load(const ServoRecord& record);
  // The record with the controls written into their bytes (the others as loaded). Controls left
  // as loaded give the record exactly as loaded: a value shown by a fallback (an out-of-range
  // byte) is written back only when the user changed something.
  ServoRecord Store() const;
  RecordFormat Format() const { return record_.format; }

  QSlider* Slider(int box) const { return sliders_.at(box); }

 private:
  QFrame* Row(const char* name, const char* labelName, const QString& caption, QWidget* control);
  // The control of the record field named `name`, its items or range from the field.
  QComboBox* List(const char* name);
  QSlider* Slider(const char* name, int box, int start);
  void SetLayout(RecordFormat format);
  ServoRecord FromControls() const;

  ServoRecord record_;
  ServoRecord shownAtLoad_;  // what the controls gave right after Load
  std::map<std::string, QComboBox*> lists_;
  std::map<int, QSlider*> sliders_;
  std::map<std::string, QSlider*> slidersByName_;
  std::map<int, QLineEdit*> boxes_;
  std::map<std::string, QFrame*> panels_;
};

}  // namespace brv3
