#include "ui/app/CommPortCombo.h"

#include <QAbstractItemView>
#include <QWheelEvent>

#include "core/comm/SelectPort.h"
#include "platform/ComPortName.h"
#include "ui/app/MessageDialogs.h"

namespace brv3 {

CommPortCombo::CommPortCombo(QWidget* parent) : QComboBox(parent) {
  setObjectName("CommPort");
  setEditable(false);
  LimitDropDownRows(*this, 30);
  setFixedWidth(64);
  setToolTip("COM Port");
  const auto items = PortListItems();
  for (size_t i = 0; i < items.size(); ++i) {
    addItem(QString::fromStdString(items[i]));
    QString tip = i == 0 ? QString("No port")
                         : QString::fromStdString(platform::ComPortPath(static_cast<int>(i)));
    setItemData(static_cast<int>(i), tip, Qt::ToolTipRole);
  }
  setCurrentIndex(0);
  // An entry picked with the mouse or Return becomes current only after the list has closed;
  // `activated` follows right after, with the new entry current.
  connect(this, &QComboBox::activated, this, [this] {
    closing_ = true;
    ReportClosedUp();
  });
}

void CommPortCombo::hidePopup() {
  // The combo box also hides its popup whenever it is hidden itself (the window closing or being
  // destroyed); only a list that was open counts as closed up.
  const bool wasOpen = view() && view()->isVisible();
  QComboBox::hidePopup();
  if (!wasOpen) return;
  // Closed without a pick (Escape, a click elsewhere): report once the event that closed the list
  // is done, with the entry that was current all along.
  closing_ = true;
  QMetaObject::invokeMethod(this, &CommPortCombo::ReportClosedUp, Qt::QueuedConnection);
}

void CommPortCombo::ReportClosedUp() {
  if (!closing_) return;
  closing_ = false;
  emit ClosedUp();
}

void CommPortCombo::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

}  // namespace brv3
