#include "platform/MessageSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/util/Translate.h"
#include "platform/RuntimeDir.h"

namespace brv3::platform {
namespace {

constexpr int64_t kMinWord = -2147483648LL;
constexpr int64_t kMaxWord = 0xFFFFFFFFLL;

bool Fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

std::optional<int64_t> ParseNumber(std::string_view token, bool allowNegative) {
  bool negative = false;
  if (!token.empty() && token[0] == '-') {
    if (!allowNegative) return std::nullopt;
    negative = true;
    token.remove_prefix(1);
  }
  int base = 10;
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    if (negative) return std::nullopt;
    base = 16;
    token.remove_prefix(2);
  }
  if (token.empty() || token.size() > (base == 16 ? 8u : 10u)) return std::nullopt;
  int64_t value = 0;
  for (char c : token) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
  }
  return negative ? -value : value;
}

bool FillAddress(const std::string& path, sockaddr_un& address, std::string* error) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path)
    return Fail(error,
                Args(Tr("MessageSocket", "The message socket path is too long: %1"), {path}));
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Connects a stream socket to `path`; -1 with errno set when that fails.
int ConnectTo(const sockaddr_un& address) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    int saved = errno;
    close(fd);
    errno = saved;
    return -1;
  }
  return fd;
}

// The user id at the other end of a connected socket; -1 when it cannot be told.
int64_t PeerUid(int fd) {
  ucred cred{};
  socklen_t size = sizeof cred;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &size) != 0) return -1;
  return cred.uid;
}

bool SameUser(int fd) {
  return PeerUid(fd) == static_cast<int64_t>(getuid());
}

// Reads one reply line (up to a newline or the end of the stream) within `timeoutMs`.
std::optional<std::string> ReadReply(int fd, int timeoutMs) {
  std::string reply;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (reply.size() < 256) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          end - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) return std::nullopt;
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char c;
    const ssize_t n = read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return reply.empty() ? std::nullopt : std::optional<std::string>(reply);
    if (c == '\n') return reply;
    reply.push_back(c);
  }
  return reply;
}

}  // namespace

std::string MessageSocketPath(std::string* error) {
  const std::string dir = RuntimeDir(error);
  if (dir.empty()) return {};
  return dir + "/brivane3-" + std::to_string(getuid()) + ".sock";
}

std::optional<WindowMessage> ParseMessageLine(std::string_view line, std::string* error) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t') {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    fields.push_back(line.substr(i, end - i));
    i = end;
  }
  if (fields.size() != 3) {
    Fail(error, Tr("MessageSocket", "A message is three numbers: MSG W L"));
    return std::nullopt;
  }
  const auto message = ParseNumber(fields[0], false);
  if (!message || *message > kMaxWord) {
    Fail(error, Args(Tr("MessageSocket", "MSG must be a number from 0 to 0xFFFFFFFF, not \"%1\""),
                     {fields[0]}));
    return std::nullopt;
  }
  const char* names[] = {"W", "L"};
  int64_t values[2] = {0, 0};
  for (int k = 0; k < 2; ++k) {
    const auto v = ParseNumber(fields[static_cast<size_t>(k) + 1], true);
    if (!v || *v < kMinWord || *v > kMaxWord) {
      Fail(error, Args(Tr("MessageSocket",
                          "%1 must be a number from -2147483648 to 0xFFFFFFFF, not \"%2\""),
                       {names[k], fields[static_cast<size_t>(k) + 1]}));
      return std::nullopt;
    }
    values[k] = *v;
  }
  return WindowMessage{static_cast<uint32_t>(*message), values[0], values[1]};
}

std::string FormatMessageLine(const WindowMessage& message) {
  char buf[80];
  std::snprintf(buf, sizeof buf, "0x%X %lld %lld\n", message.message,
                static_cast<long long>(message.w), static_cast<long long>(message.l));
  return buf;
}

SendResult SendWindowMessage(const std::string& path, const WindowMessage& message,
                             std::string* error, int replyTimeoutMs) {
  sockaddr_un address;
  if (!FillAddress(path, address, error)) return SendResult::Failed;
  int fd = ConnectTo(address);
  if (fd < 0) {
    const int cause = errno;
    if (cause == ENOENT || cause == ECONNREFUSED) {
      Fail(error, Tr("MessageSocket", "no running editor"));
      return SendResult::NoEditor;
    }
    Fail(error, Args(Tr("MessageSocket", "Cannot reach the editor at %1: %2"),
                     {path, std::strerror(cause)}));
    return SendResult::Failed;
  }
  // Whoever listens there gets the line only when it is this user's editor.
  if (const int64_t peer = PeerUid(fd); peer != static_cast<int64_t>(getuid())) {
    close(fd);
    Fail(error, Args(Tr("MessageSocket",
                        "The message socket %1 belongs to another user (uid %2); nothing was sent"),
                     {path, std::to_string(peer)}));
    return SendResult::Failed;
  }
  const std::string line = FormatMessageLine(message);
  size_t sent = 0;
  while (sent < line.size()) {
    ssize_t n = send(fd, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int saved = errno;
      close(fd);
      // The editor took the connection and closed it again: it did not accept the line.
      if (saved == EPIPE || saved == ECONNRESET) {
        Fail(error, Tr("MessageSocket",
                       "The editor did not accept the message (it closed the connection; too "
                       "many connections may be open)"));
        return SendResult::NotAccepted;
      }
      Fail(error, Args(Tr("MessageSocket", "Cannot send the message: %1"), {std::strerror(saved)}));
      return SendResult::Failed;
    }
    sent += static_cast<size_t>(n);
  }
  shutdown(fd, SHUT_WR);
  const std::optional<std::string> reply = ReadReply(fd, replyTimeoutMs);
  close(fd);
  if (reply && *reply == "ok") return SendResult::Sent;
  if (!reply)
    Fail(error, Args(Tr("MessageSocket",
                        "The editor did not accept the message (no answer within %1 ms; it may be "
                        "busy or too many connections are open); it may not arrive"),
                     {std::to_string(replyTimeoutMs)}));
  else
    Fail(error, Args(Tr("MessageSocket", "The editor did not accept the message (%1)"), {*reply}));
  return SendResult::NotAccepted;
}

MessageSocketServer::~MessageSocketServer() {
  Close();
}

bool MessageSocketServer::Listen(const std::string& path, std::string* error) {
  Close();
  sockaddr_un address;
  if (!FillAddress(path, address, error)) return false;
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0) {
    if (!S_ISSOCK(st.st_mode) || st.st_uid != getuid())
      return Fail(
          error, Args(Tr("MessageSocket", "%1 is in the way and is not this user's message socket"),
                      {path}));
    int probe = ConnectTo(address);
    if (probe >= 0) {
      close(probe);
      return Fail(error, Args(Tr("MessageSocket", "Another editor already listens at %1"), {path}));
    }
    unlink(path.c_str());
  }
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    const int cause = errno;
    return Fail(error,
                Args(Tr("MessageSocket", "Cannot create a socket: %1"), {std::strerror(cause)}));
  }

  const mode_t oldMask = umask(0077);
  const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const int bindErrno = errno;
  umask(oldMask);
  if (!bound || listen(fd, 8) != 0) {
    const int saved = bound ? errno : bindErrno;
    close(fd);
    return Fail(error,
                Args(Tr("MessageSocket", "Cannot listen at %1: %2"), {path, std::strerror(saved)}));
  }
  fd_ = fd;
  path_ = path;
  return true;
}

void MessageSocketServer::Close() {
  for (auto& [fd, client] : clients_) close(fd);
  clients_.clear();
  if (fd_ >= 0) {
    close(fd_);
    unlink(path_.c_str());
    fd_ = -1;
  }
}

void MessageSocketServer::Accept() {
  while (true) {
    int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (!SameUser(client) || clients_.size() >= kMaxClients) {
      // The client sees the connection end without "ok" and reports the line as not accepted.
      close(client);
      continue;
    }
    clients_.emplace(client, Client{std::string(), Clock::now()});
  }
}

void MessageSocketServer::DropIdleClients() {
  const Clock::time_point now = Clock::now();
  for (auto it = clients_.begin(); it != clients_.end();) {
    if (now - it->second.lastHeard >= idleTimeout_) {
      close(it->first);
      it = clients_.erase(it);
    } else {
      ++it;
    }
  }
}

void MessageSocketServer::TakeLine(int fd, const std::string& line,
                                   std::vector<WindowMessage>& out) {
  std::string error;
  std::string reply = "ok\n";
  if (auto m = ParseMessageLine(line, &error)) {
    out.push_back(*m);
  } else {
    ++rejected_;
    reply = "refused: " + error + "\n";
  }
  // A client that does not read its answer only misses it.
  [[maybe_unused]] const ssize_t n =
      send(fd, reply.data(), reply.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void MessageSocketServer::ReadClient(int fd, Client& client, std::vector<WindowMessage>& out,
                                     bool& done) {
  std::string& buffer = client.line;
  char chunk[512];
  while (true) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) {
      // A last line without its newline still counts.
      if (!buffer.empty()) TakeLine(fd, buffer, out);
      done = true;
      return;
    }
    client.lastHeard = Clock::now();
    for (ssize_t k = 0; k < n; ++k) {
      if (chunk[k] == '\n') {
        TakeLine(fd, buffer, out);
        buffer.clear();
      } else if (buffer.size() >= kMaxLine) {
        // A client that never ends its line is dropped rather than buffered without bound.
        ++rejected_;
        done = true;
        return;
      } else {
        buffer.push_back(chunk[k]);
      }
    }
  }
}

std::vector<WindowMessage> MessageSocketServer::Poll(int timeoutMs) {
  std::vector<WindowMessage> out;
  if (fd_ < 0) return out;
  DropIdleClients();
  std::vector<pollfd> fds;
  fds.push_back({fd_, POLLIN, 0});
  for (auto& [fd, client] : clients_) fds.push_back({fd, POLLIN, 0});
  if (poll(fds.data(), fds.size(), timeoutMs < 0 ? 0 : timeoutMs) <= 0) return out;
  if (fds[0].revents & POLLIN) {
    // Idle connections make room for a new one before it is refused as one too many.
    DropIdleClients();
    Accept();
  }
  for (auto it = clients_.begin(); it != clients_.end();) {
    bool done = false;
    ReadClient(it->first, it->second, out, done);
    if (done) {
      close(it->first);
      it = clients_.erase(it);
    } else {
      ++it;
    }
  }
  return out;
}

}  // namespace brv3::platform
