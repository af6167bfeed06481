#include "ui/motion/FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace brv3 {

FocusReturn::FocusReturn(QWidget& window) : QObject(&window), window_(window) {
  qApp->installEventFilter(this);
}

FocusReturn::~FocusReturn() {
  qApp->removeEventFilter(this);
}

bool FocusReturn::Reclaim() {
  if (!pending_ || !window_.isVisible()) return false;
  pending_ = false;
  Activate();
  return true;
}

void FocusReturn::Activate() {
  if (!window_.isVisible()) return;
  window_.raise();
  window_.activateWindow();
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Hide && type != QEvent::MouseButtonPress && type != QEvent::KeyPress)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || !window_.isVisible()) return false;
  if (type == QEvent::Hide) {
    QWidget* parent = widget->parentWidget();
    if (widget != &window_ && widget->isWindow() && widget->isModal() && parent &&
        parent->window() == &window_) {
      pending_ = true;
      QMetaObject::invokeMethod(this, &FocusReturn::Activate, Qt::QueuedConnection);
    }
  } else if (widget->window() == &window_) {
    pending_ = false;  // the user works in the window again: no activation is due any more
  }
  return false;
}

}  // namespace brv3
