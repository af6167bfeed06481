#include "ui/app/QtEventPump.h"

#include <QCoreApplication>

namespace brv3 {

// One pass over what is pending now, with no time budget: under a steady stream of input (a
// slider dragged at the pointer's rate) a budget would always be spent in full, and the reply
// the caller waits for would sit unread for that long.
void QtEventPump::Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace brv3
