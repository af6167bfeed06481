#include "ui/app/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace brv3 {

void PlaceBesideWindow(QWidget& dialog, const QWidget& window) {
  const QRect main = window.frameGeometry();
  // The frame is not known before the dialog was first shown; its client size is a fair guess.
  const QSize size = dialog.frameGeometry().size().expandedTo(dialog.size());
  QPoint at(main.right() + 1, main.top());
  const QScreen* screen = window.screen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    if (at.x() + size.width() > area.right() + 1 && main.left() - size.width() >= area.left())
      at.setX(main.left() - size.width());
    at.setX(
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())));
    at.setY(
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height())));
  }
  dialog.move(at);
}

}  // namespace brv3
