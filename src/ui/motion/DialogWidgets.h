#pragma once

#include <QComboBox>

class QLabel;

namespace brv3 {

class ChannelLook;

// A drop-down list that tells when its list opens and when it closes.
class NotifyingCombo : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;
  void showPopup() override {
    open_ = true;
    emit Opened();
    QComboBox::showPopup();
  }
  // Closed only follows an Opened: hiding the window also hides a list that was never open.
  void hidePopup() override {
    const bool wasOpen = open_;
    open_ = false;
    QComboBox::hidePopup();
    if (wasOpen) emit Closed();
  }

 signals:
  void Opened();
  void Closed();

 private:
  bool open_ = false;
};

// A channel row's label as the position editor shows it: its caption, panel colour and font colour.
void DressChannelLabel(QLabel* label, const ChannelLook* look, int channel);

}  // namespace brv3
