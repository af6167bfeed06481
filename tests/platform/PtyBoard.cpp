#include "platform/PtyBoard.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>

namespace brv3::test {

PtyBoard::PtyBoard() {
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
    throw std::runtime_error("openpty failed");
  slavePath_ = name;
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyBoard::~PtyBoard() {
  Vanish();
  ::close(slave_);
}

void PtyBoard::Send(const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd p{master_, POLLOUT, 0};
      poll(&p, 1, 10);
    } else {
      throw std::runtime_error("pty master write failed");
    }
  }
}

std::vector<uint8_t> PtyBoard::Receive(size_t count, int timeoutMs) {
  std::vector<uint8_t> got;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
    uint8_t buffer[4096];
    size_t want = std::min(count - got.size(), sizeof buffer);
    ssize_t n = ::read(master_, buffer, want);
    if (n > 0) {
      got.insert(got.end(), buffer, buffer + n);
      continue;
    }
    pollfd p{master_, POLLIN, 0};
    poll(&p, 1, 10);
  }
  return got;
}

bool PtyBoard::StopLine(int timeoutMs) {
  // In packet mode the master learns, as a status byte, when the terminal has stopped its
  // output; the mode is left again before any data is read.
  int on = 1;
  if (ioctl(master_, TIOCPKT, &on) != 0) return false;
  Send({0x13});
  bool stopped = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!stopped && std::chrono::steady_clock::now() < deadline) {
    pollfd p{master_, POLLIN | POLLPRI, 0};
    poll(&p, 1, 10);
    uint8_t status[64];
    const ssize_t n = ::read(master_, status, sizeof status);
    // Only status packets can come now: the other side is not sending.
    stopped = n > 0 && (status[0] & TIOCPKT_STOP) != 0;
  }
  int off = 0;
  ioctl(master_, TIOCPKT, &off);
  return stopped;
}

void PtyBoard::Vanish() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

std::vector<uint8_t> Pattern(size_t count) {
  std::vector<uint8_t> bytes(count);
  // Avoids the XON/XOFF characters so the pattern also passes a software-flow-controlled line.
  for (size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<uint8_t>(0x20 + (i * 7 + i / 251) % 0xC0);
  return bytes;
}

}  // namespace brv3::test
