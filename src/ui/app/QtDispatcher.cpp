#include "ui/app/QtDispatcher.h"

#include <QMetaObject>
#include <QThread>

namespace brv3 {

void QtDispatcher::Dispatch(std::function<void()> fn) {
  QObject* context = context_.data();
  if (!context) return;
  if (QThread::currentThread() == context->thread()) {
    fn();
    return;
  }
  QMetaObject::invokeMethod(context, std::move(fn), Qt::BlockingQueuedConnection);
}

}  // namespace brv3
