#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brv3::platform {

// A window message as other programs post it to the editor.
struct WindowMessage {
  uint32_t message = 0;
  int64_t w = 0;
  int64_t l = 0;
  bool operator==(const WindowMessage&) const = default;
};

// The editor's message socket: $XDG_RUNTIME_DIR/brivane3-<uid>.sock, else /tmp/brivane3-<uid>.sock.
std::string MessageSocketPath();

// Parses one line "MSG W L": three numbers, decimal (W and L may be negative) or 0x hexadecimal,
// separated by spaces or tabs, an optional CR at the end. MSG is 0 ... 0xFFFFFFFF, W and L are
// -2147483648 ... 0xFFFFFFFF. nullopt with `error` set for anything else.
std::optional<WindowMessage> ParseMessageLine(std::string_view line, std::string* error = nullptr);

// "MSG W L\n" with MSG in hexadecimal, W and L in decimal.
std::string FormatMessageLine(const WindowMessage& message);

enum class SendResult { Sent, NoEditor, Failed };

// Posts one message to the editor listening at `path`; NoEditor when nothing listens there.
SendResult SendWindowMessage(const std::string& path, const WindowMessage& message,
                             std::string* error = nullptr);

// The editor's end: listens at a path, accepts clients of the same user and turns each line they
// send into a message. Nothing blocks; the editor calls Poll when Fd() is readable (or on a
// timer). Bad lines are dropped and counted.
class MessageSocketServer {
 public:
  static constexpr size_t kMaxLine = 256;

  MessageSocketServer() = default;
  ~MessageSocketServer();
  MessageSocketServer(const MessageSocketServer&) = delete;
  MessageSocketServer& operator=(const MessageSocketServer&) = delete;

  // Fails when another editor listens at `path` or when `path` is something other than a stale
  // socket of this user.
  bool Listen(const std::string& path, std::string* error = nullptr);
  void Close();
  bool IsListening() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

  // Accepts waiting clients and reads what they sent, waiting up to `timeoutMs` for anything to
  // arrive (0: not at all).
  std::vector<WindowMessage> Poll(int timeoutMs = 0);
  int RejectedLines() const { return rejected_; }

 private:
  void Accept();
  void ReadClient(int fd, std::string& buffer, std::vector<WindowMessage>& out, bool& done);

  int fd_ = -1;
  std::string path_;
  std::map<int, std::string> clients_;  // descriptor -> partial line
  int rejected_ = 0;
};

}  // namespace brv3::platform
