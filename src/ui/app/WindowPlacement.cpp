#include "ui/app/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace brv3 {

void PlaceBesideWindow(QWidget& dialog, const QWidget& window) {
  if (!dialog.testAttribute(Qt::WA_WState_Created)) dialog.winId();
  const QRect main = window.frameGeometry();
  // Until the window manager framed the dialog its frame is unknown: the main window's frame
  // borders are a fair guess.
  const bool frameUnknown = dialog.frameGeometry().size() == dialog.size();
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
  MoveFrameTo(dialog, at, &window);
}

void MoveFrameTo(QWidget& dialog, QPoint at, const QWidget* reference) {
  // A window already made but not yet framed takes a move as the place of its client area; its
  // frame would then stand a title bar higher than asked. The reference window's frame borders
  // are a fair guess of the frame to come.
  // Made now, so the move below means the same whether or not the window was shown before.
  if (!dialog.testAttribute(Qt::WA_WState_Created)) dialog.winId();
  const bool frameUnknown = dialog.frameGeometry().size() == dialog.size();
  if (frameUnknown && reference) {
    const QWidget* top = reference->window();
    at += top->geometry().topLeft() - top->frameGeometry().topLeft();
  }
  dialog.move(at);
}

}  // namespace brv3
