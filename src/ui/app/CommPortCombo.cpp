#include "ui/app/CommPortCombo.h"

#include <QAbstractItemView>

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
  // The combo box also hides its popup whenever it is hidden itself (the window closing or being
  // destroyed); only a list that was open counts as closed up.
  const bool wasOpen = view() && view()->isVisible();
  QComboBox::hidePopup();
  if (wasOpen) emit ClosedUp();
}

}  // namespace brv3
