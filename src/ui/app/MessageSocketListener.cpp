#include "ui/app/MessageSocketListener.h"

#include <QSocketNotifier>
#include <QTimer>

#include "ui/app/WindowMessageBridge.h"

namespace brv3 {

MessageSocketListener::MessageSocketListener(WindowMessageBridge& bridge, QObject* parent)
    : QObject(parent), bridge_(bridge) {}

MessageSocketListener::~MessageSocketListener() {
  Close();
}

bool MessageSocketListener::Listen(const std::string& path, std::string* error) {
  Close();
  if (!server_.Listen(path, error)) return false;
  notifier_ = new QSocketNotifier(server_.Fd(), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &MessageSocketListener::Readable);
  // The notifier watches only the listening socket; a client's line may come after it was
  // accepted, so the clients are also looked at on a short timer.
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &MessageSocketListener::Readable);
  timer_->start(100);
  return true;
}

void MessageSocketListener::Close() {
  delete notifier_;
  notifier_ = nullptr;
  delete timer_;
  timer_ = nullptr;
  server_.Close();
}

void MessageSocketListener::Readable() {
  for (const platform::WindowMessage& m : server_.Poll(0)) bridge_.Post(m.message, m.w, m.l);
}

}  // namespace brv3
