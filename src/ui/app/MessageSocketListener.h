#pragma once

#include <QObject>
#include <string>

#include "platform/MessageSocket.h"

class QSocketNotifier;
class QTimer;

namespace brv3 {

class WindowMessageBridge;

// The editor's message socket: every message another program sends to it is posted to the main
// window through the bridge. The socket file is removed when the listener goes.
class MessageSocketListener : public QObject {
  Q_OBJECT
 public:
  explicit MessageSocketListener(WindowMessageBridge& bridge, QObject* parent = nullptr);
  ~MessageSocketListener() override;

  bool Listen(const std::string& path, std::string* error = nullptr);
  void Close();
  bool IsListening() const { return server_.IsListening(); }

 private:
  void Readable();

  WindowMessageBridge& bridge_;
  platform::MessageSocketServer server_;
  QSocketNotifier* notifier_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace brv3
