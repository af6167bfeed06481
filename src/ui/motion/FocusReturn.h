#pragma once

#include <QObject>

class QWidget;

namespace brv3 {

// Gives a tool window (the position editor) the focus back when a modal dialog opened from it
// closes. A window manager hands the focus to the main window instead, since a tool window is no
// candidate for it, and the main window hides the editors whenever it becomes active: that one
// activation brings the tool window back instead (Reclaim).
class FocusReturn : public QObject {
  Q_OBJECT
 public:
  explicit FocusReturn(QWidget& window);
  ~FocusReturn() override;

  // The main window became active. True when that came from a dialog of this window closing: the
  // window is raised and activated again and must stay shown.
  bool Reclaim();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Activate();

  QWidget& window_;
  bool pending_ = false;  // a dialog of the window closed; the main window's activation is due
};

}  // namespace brv3
