#include "ui/app/QtEventPump.h"

#include <QCoreApplication>

namespace brv3 {

void QtEventPump::Pump() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace brv3
