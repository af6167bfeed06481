#include "ui/app/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace brv3 {

void PlaceBesideWindow(QWidget& dialog, const QWidget& window) {
  const QRect main = window.frameGeometry();
  // Until the window manager framed the dialog its frame is unknown: the main window's frame
  // borders are a fair guess.
  const bool frameUnknown = dialog.frameGeometry().size() == dialog.size();
  const QPoint margin = window.geometry().topLeft() - main.topLeft();
  QSize size = dialog.frameGeometry().size();
  if (frameUnknown) size += main.size() - window.size();
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
  // A window already made but not yet framed takes a move as the place of its client area; the
  // frame would then stand a title bar higher than the main window's.
  if (frameUnknown && dialog.testAttribute(Qt::WA_WState_Created)) at += margin;
  dialog.move(at);
}

}  // namespace brv3
