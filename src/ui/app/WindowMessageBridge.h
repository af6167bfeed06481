#pragma once

#include <QObject>
#include <cstdint>

namespace brv3 {

// Whoever handles the (message, w, l) triples that other programs send: the main window.
class WindowMessageReceiver {
 public:
  virtual ~WindowMessageReceiver() = default;
  virtual void WindowMessage(uint32_t message, int64_t w, int64_t l) = 0;
};

// Carries triples from any thread to the receiver on the main thread, one at a time, like a
// posted window message. The message socket calls Post for each line it has parsed.
class WindowMessageBridge : public QObject {
  Q_OBJECT
 public:
  explicit WindowMessageBridge(WindowMessageReceiver& receiver, QObject* parent = nullptr);

  // Thread-safe; returns at once. No reply goes back to the sender.
  void Post(uint32_t message, int64_t w, int64_t l);

 private:
  void Deliver(uint32_t message, qint64 w, qint64 l);

  WindowMessageReceiver& receiver_;
};

}  // namespace brv3
