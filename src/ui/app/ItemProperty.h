#pragma once

#include <QDialog>
#include <QPoint>

class QLineEdit;

namespace brv3 {

struct ChartObject;

// The object property dialog: name and size of one chart object. "Apply" writes them and closes;
// closing the window any other way changes nothing.
class TItemProperty : public QDialog {
  Q_OBJECT
 public:
  enum class Outcome {
    Cancelled,    // nothing changed
    Applied,      // name and size written
    SizeInvalid,  // the name was written, a size field was not an integer (message shown)
  };

  explicit TItemProperty(QWidget* parent = nullptr);

  // Shows the dialog for `object` with its top-left corner 20 pixels up and left of `cursor`.
  Outcome Edit(ChartObject& object, const QPoint& cursor);

  // "Auto": the size of the name's text in the dialog's font, plus 2 each way.
  void Button2Click();

 private:
  QLineEdit* nameEdit_;
  QLineEdit* widthEdit_;
  QLineEdit* heightEdit_;
};

}  // namespace brv3
