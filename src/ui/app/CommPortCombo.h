#pragma once

#include <QComboBox>

class QWheelEvent;

namespace brv3 {

// The port list: "OFF", "COM1".."COM20", each entry's tooltip the device it opens. Tells when its
// drop-down list closes, whether or not the choice changed, once the entry picked is current.
class CommPortCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit CommPortCombo(QWidget* parent = nullptr);
  void hidePopup() override;

 signals:
  void ClosedUp();

 protected:
  // Turning the wheel over the toolbar must not open one port after another.
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ReportClosedUp();

  bool closing_ = false;
};

}  // namespace brv3
