#pragma once

#include <QObject>
#include <QPointer>

#include "platform/MainThreadDispatcher.h"

namespace brv3 {

// Hands the serial component's events to the Qt main thread and waits until they ran. Once the
// context object is gone the events are dropped.
class QtDispatcher final : public platform::MainThreadDispatcher {
 public:
  explicit QtDispatcher(QObject* context) : context_(context) {}
  void Dispatch(std::function<void()> fn) override;

 private:
  QPointer<QObject> context_;
};

}  // namespace brv3
