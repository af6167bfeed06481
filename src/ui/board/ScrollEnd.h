#pragma once

#include <QObject>
#include <functional>

class QAbstractSlider;

namespace brv3 {

// Calls `ended` when a movement of `slider` by the user is over: the mouse let go (after a drag
// or a click on the track), a key released or a wheel turn, once per movement.
class ScrollEnd : public QObject {
  Q_OBJECT
 public:
  ScrollEnd(QAbstractSlider* slider, std::function<void()> ended);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void EndSoon();

  QAbstractSlider* slider_;
  std::function<void()> ended_;
  bool moved_ = false;
};

}  // namespace brv3
