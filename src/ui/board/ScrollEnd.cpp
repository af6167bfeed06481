#include "ui/board/ScrollEnd.h"

#include <QAbstractSlider>
#include <QKeyEvent>
#include <QTimer>

namespace brv3 {

ScrollEnd::ScrollEnd(QAbstractSlider* slider, std::function<void()> ended)
    : QObject(slider), slider_(slider), ended_(std::move(ended)) {
  slider->installEventFilter(this);
  connect(slider, &QAbstractSlider::actionTriggered, this, [this](int) { moved_ = true; });
  connect(slider, &QAbstractSlider::sliderMoved, this, [this](int) { moved_ = true; });
}

bool ScrollEnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched == slider_) {
    switch (event->type()) {
      case QEvent::MouseButtonRelease:
      case QEvent::Wheel:
        EndSoon();
        break;
      case QEvent::KeyRelease:
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) EndSoon();
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void ScrollEnd::EndSoon() {
  // After the event itself has moved the slider.
  QTimer::singleShot(0, this, [this] {
    if (!moved_ || slider_->isSliderDown()) return;
    moved_ = false;
    if (ended_) ended_();
  });
}

}  // namespace brv3
