#include "ui/robot/MarkedSlider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace brv3 {
namespace {

constexpr int kMarkHeight = 3;  // pixels, at the foot of the slider

}  // namespace

MarkedSlider::MarkedSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  // Room for the marks under the groove.
  setMinimumHeight(sizeHint().height() + kMarkHeight);
}

void MarkedSlider::SetMarks(std::vector<Mark> marks) {
  if (marks == marks_) return;
  marks_ = std::move(marks);
  update();
}

bool MarkedSlider::MarkedAt(int value) const {
  return std::any_of(marks_.begin(), marks_.end(),
                     [value](const Mark& m) { return m.from <= value && value <= m.to; });
}

int MarkedSlider::PixelOf(int value) const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  // The handle's centre travels from half a handle in from one end of the groove to the other.
  const int span = std::max(1, groove.width() - handle.width());
  const int offset =
      QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, option.upsideDown);
  return groove.x() + handle.width() / 2 + offset;
}

void MarkedSlider::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  if (marks_.empty() || maximum() <= minimum()) return;
  QPainter painter(this);
  const int top = height() - kMarkHeight;
  for (const Mark& m : marks_) {
    const int left = PixelOf(std::clamp(m.from, minimum(), maximum()));
    const int right = PixelOf(std::clamp(m.to, minimum(), maximum()));
    // A moment is at least two pixels wide, so a single tick shows.
    painter.fillRect(QRect(left - 1, top, std::max(2, right - left + 2), kMarkHeight), MarkColor());
  }
}

}  // namespace brv3
