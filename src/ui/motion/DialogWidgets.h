#pragma once

#include <QComboBox>

class QAbstractButton;
class QLabel;

namespace brv3 {

class ChannelLook;

// A drop-down list that tells when its list opens and when the user has made a choice.
//
// Closed follows the close-up of an opened list once the choice is taken: the toolkit hides the
// list before it makes the clicked (or Entered) item current, so Closed waits for that item;
// a list closed with Escape or a click outside reports the unchanged item on the next turn of the
// event loop. Keys or the wheel that change the item while the list is closed report at once.
class NotifyingCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit NotifyingCombo(QWidget* parent = nullptr);
  void showPopup() override;
  void hidePopup() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  void Opened();
  void Closed();

 private:
  void ClosedUp();
  void Taken();
  void CloseUpWithoutChoice();

  QWidget* watchedPopup_ = nullptr;
  bool open_ = false;
  bool closing_ = false;  // the list is hidden, the choice (if any) not yet made current
};

// A channel row's label as the position editor shows it: its caption, panel colour and font colour.
void DressChannelLabel(QLabel* label, const ChannelLook* look, int channel);
// A channel's check box dressed the same way: caption, panel colour behind it, font colour.
void DressChannelBox(QAbstractButton* box, const ChannelLook* look, int channel);

}  // namespace brv3
