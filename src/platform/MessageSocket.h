#pragma once

#include <chrono>
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

// The editor's message socket: brivane3-<uid>.sock in RuntimeDir() ($XDG_RUNTIME_DIR, else the
// private folder /tmp/brivane3-<uid>). Empty, with the reason in `error`, when that folder is not
// safe to use.
std::string MessageSocketPath(std::string* error = nullptr);

// Parses one line "MSG W L": three numbers, decimal (W and L may be negative) or 0x hexadecimal,
// separated by spaces or tabs, an optional CR at the end. MSG is 0 ... 0xFFFFFFFF, W and L are
// -2147483648 ... 0xFFFFFFFF. nullopt with `error` set for anything else.
std::optional<WindowMessage> ParseMessageLine(std::string_view line, std::string* error = nullptr);

// "MSG W L\n" with MSG in hexadecimal, W and L in decimal.
std::string FormatMessageLine(const WindowMessage& message);

// Sent: the editor accepted the line. NotAccepted: it was reached but did not confirm the line
// (it refused it, was too busy, or did not answer in time); nothing can be assumed to arrive.
enum class SendResult { Sent, NoEditor, NotAccepted, Failed };

// Posts one message to the editor listening at `path` and waits up to `replyTimeoutMs` for the
// editor to confirm it. NoEditor when nothing listens there; Failed (nothing sent) when the socket
// belongs to another user.
SendResult SendWindowMessage(const std::string& path, const WindowMessage& message,
                             std::string* error = nullptr, int replyTimeoutMs = 5000);

// The editor's end: listens at a path, accepts clients of the same user and turns each line they
// send into a message, answering "ok" (or "refused: why") to each. Nothing blocks; the editor
// calls Poll when Fd() is readable (or on a timer). Bad lines are dropped and counted. A client
// that sends nothing for the idle time-out is dropped, so idle connections cannot keep others out.
class MessageSocketServer {
 public:
  static constexpr size_t kMaxLine = 256;
  static constexpr size_t kMaxClients = 16;
  static constexpr int kIdleTimeoutMs = 2000;

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
  void SetIdleTimeout(int ms) { idleTimeout_ = std::chrono::milliseconds(ms); }

 private:
  using Clock = std::chrono::steady_clock;
  struct Client {
    std::string line;  // the partial line
    Clock::time_point lastHeard;
  };
  void Accept();
  void DropIdleClients();
  void ReadClient(int fd, Client& client, std::vector<WindowMessage>& out, bool& done);
  void TakeLine(int fd, const std::string& line, std::vector<WindowMessage>& out);

  int fd_ = -1;
  std::string path_;
  std::map<int, Client> clients_;  // by descriptor
  int rejected_ = 0;
  Clock::duration idleTimeout_ = std::chrono::milliseconds(kIdleTimeoutMs);
};

}  // namespace brv3::platform
