#pragma once

#include <QComboBox>
#include <vector>

#include "core/comm/PortEntries.h"

class QSocketNotifier;
class QWheelEvent;

namespace brv3 {

namespace platform {
class SerialDeviceSource;
}

// The port list: "OFF", the USB serial adapters by name, "COM1".."COM20", each entry's tooltip
// the device it opens. Follows adapters being plugged in and pulled out while it runs. Tells when
// its drop-down list closes, whether or not the choice changed, once the entry picked is current.
class CommPortCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit CommPortCombo(QWidget* parent = nullptr);
  void hidePopup() override;

  // Lists the adapters `source` finds (null: none) and follows its word of hot-plug. The source
  // stays the caller's and must outlive its use here.
  void SetDeviceSource(platform::SerialDeviceSource* source);
  // Stops following the source, leaving the list as it is.
  void DetachDeviceSource();
  // The entry at list index `index` ("OFF" for one outside the list).
  PortEntry Entry(int index) const;
  // The list index of COMn (n = 0: "OFF").
  int IndexOfCom(int n) const { return brv3::IndexOfCom(entries_, n); }

 signals:
  void ClosedUp();
  // The adapter of the current entry was pulled out. Its entry stays, so that it is found again
  // when the same adapter returns.
  void ChosenAdapterGone();

 protected:
  // Turning the wheel over the toolbar must not open one port after another.
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ReportClosedUp();
  void DevicesChanged();
  void Refill();

  bool closing_ = false;
  std::vector<PortEntry> entries_;
  platform::SerialDeviceSource* source_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace brv3
