#include "ui/app/WindowMessageBridge.h"

#include <QMetaObject>

namespace brv3 {

WindowMessageBridge::WindowMessageBridge(WindowMessageReceiver& receiver, QObject* parent)
    : QObject(parent), receiver_(receiver) {}

void WindowMessageBridge::Post(uint32_t message, int64_t w, int64_t l) {
  QMetaObject::invokeMethod(
      this, [this, message, w, l] { Deliver(message, w, l); }, Qt::QueuedConnection);
}

void WindowMessageBridge::Deliver(uint32_t message, qint64 w, qint64 l) {
  receiver_.WindowMessage(message, w, l);
}

}  // namespace brv3
