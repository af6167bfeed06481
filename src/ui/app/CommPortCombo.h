#pragma once

#include <QComboBox>

namespace brv3 {

// The port list: "OFF", "COM1".."COM20", each entry's tooltip the device it opens. Tells when its
// drop-down list closes, whether or not the choice changed.
class CommPortCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit CommPortCombo(QWidget* parent = nullptr);
  void hidePopup() override;

 signals:
  void ClosedUp();
};

}  // namespace brv3
