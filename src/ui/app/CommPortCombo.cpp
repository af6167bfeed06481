#include "ui/app/CommPortCombo.h"

#include "core/comm/SelectPort.h"
#include "platform/ComPortName.h"

namespace brv3 {

CommPortCombo::CommPortCombo(QWidget* parent) : QComboBox(parent) {
  setObjectName("CommPort");
  setEditable(false);
  setMaxVisibleItems(30);
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
}

void CommPortCombo::hidePopup() {
  QComboBox::hidePopup();
  emit ClosedUp();
}

}  // namespace brv3
