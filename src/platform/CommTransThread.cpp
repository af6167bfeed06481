#include "platform/CommTransThread.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/LineSettings.h"

namespace brv3::platform {

namespace {

constexpr int kHalfDuplexLeadMs = 50;
// Longest wait for the driver to drain before RTS is put back after a half-duplex burst.
constexpr int kDrainLimitMs = 3000;

}  // namespace

TCommTransThread::TCommTransThread(int fd, std::mutex& writeLock, const std::atomic<int>& flowCtrl,
                                   std::atomic<bool>& lineFailed)
    : fd_(fd), writeLock_(writeLock), flowCtrl_(flowCtrl), lineFailed_(lineFailed) {}

TCommTransThread::~TCommTransThread() {
  Stop();
}

void TCommTransThread::Start() {
  thread_ = std::thread([this] { Run(); });
}

void TCommTransThread::Post(std::vector<uint8_t> chunk) {
  std::lock_guard lock(queueLock_);
  pendingBytes_ += chunk.size();
  ++queuedChunks_;
  queue_.push_back(std::move(chunk));
  queueChanged_.notify_all();
}

size_t TCommTransThread::WriteNow(const uint8_t* data, size_t count) {
  std::lock_guard lock(queueLock_);
  if (queuedChunks_ > 0 || discard_ || terminated_ || lineFailed_ ||
      IsHalfDuplex(static_cast<TCommFlowCtrls>(flowCtrl_.load())))
    return 0;
  std::lock_guard writing(writeLock_);
  ssize_t n;
  do {
    n = ::write(fd_, data, count);
  } while (n < 0 && errno == EINTR);
  // Anything refused (a full driver queue, a device gone) is left to the thread, which waits or
  // notices the failure.
  return n > 0 ? static_cast<size_t>(n) : 0;
}

int TCommTransThread::QueuedChunks() const {
  std::lock_guard lock(queueLock_);
  return queuedChunks_;
}

size_t TCommTransThread::PendingBytes() const {
  std::lock_guard lock(queueLock_);
  return pendingBytes_;
}

void TCommTransThread::WaitForProgress(int ms) {
  std::unique_lock lock(queueLock_);
  int before = queuedChunks_;
  queueChanged_.wait_for(lock, std::chrono::milliseconds(ms),
                         [&] { return queuedChunks_ != before; });
}

void TCommTransThread::Discard() {
  discard_ = true;
  {
    std::lock_guard lock(queueLock_);
    for (const auto& chunk : queue_) {
      pendingBytes_ = pendingBytes_ > chunk.size() ? pendingBytes_ - chunk.size() : 0;
      if (queuedChunks_ > 0) --queuedChunks_;
    }
    queue_.clear();
    queueChanged_.notify_all();
  }
  wake_.Set();
  for (;;) {
    {
      std::lock_guard lock(writeLock_);
      tcflush(fd_, TCOFLUSH);
    }
    std::unique_lock lock(queueLock_);
    if (queueChanged_.wait_for(lock, std::chrono::milliseconds(1),
                               [&] { return pendingBytes_ == 0; }))
      break;
    if (!thread_.joinable()) break;
  }
  discard_ = false;
}

void TCommTransThread::Stop() {
  {
    std::lock_guard lock(queueLock_);
    terminated_ = true;
    queueChanged_.notify_all();
  }
  wake_.Set();
  if (thread_.joinable()) thread_.join();
}

void TCommTransThread::FinishChunk(size_t size) {
  std::lock_guard lock(queueLock_);
  pendingBytes_ = pendingBytes_ > size ? pendingBytes_ - size : 0;
  if (queuedChunks_ > 0) --queuedChunks_;
  queueChanged_.notify_all();
}

void TCommTransThread::Pause(int ms) {
  pollfd wake{wake_.Fd(), POLLIN, 0};
  // The wake event stays set so that the caller notices the discard or termination too.
  (void)poll(&wake, 1, ms);
}

void TCommTransThread::Run() {
  std::unique_lock lock(queueLock_);
  while (!terminated_) {
    queueChanged_.wait(lock, [&] { return terminated_ || !queue_.empty(); });
    if (terminated_) break;
    wake_.Clear();
    auto flow = static_cast<TCommFlowCtrls>(flowCtrl_.load());
    bool rtsTurned = false;
    bool wroteAny = false;
    while (!queue_.empty() && !terminated_) {
      std::vector<uint8_t> chunk = std::move(queue_.front());
      queue_.pop_front();
      lock.unlock();
      if (!discard_ && !terminated_) {
        if (!rtsTurned && IsHalfDuplex(flow)) {
          Pause(kHalfDuplexLeadMs);
          SetModemLine(fd_, TIOCM_RTS, !IdleRts(flow));
          Pause(charTimeMs_);
          rtsTurned = true;
        }
        wroteAny = WriteChunk(chunk) || wroteAny;
      }
      FinishChunk(chunk.size());
      lock.lock();
    }
    lock.unlock();
    if (rtsTurned) {
      if (wroteAny) WaitUntilSent();
      Pause(charTimeMs_);
      SetModemLine(fd_, TIOCM_RTS, IdleRts(flow));
    }
    lock.lock();
  }
}

bool TCommTransThread::WriteChunk(const std::vector<uint8_t>& chunk) {
  size_t done = 0;
  bool wrote = false;
  while (done < chunk.size()) {
    if (discard_ || terminated_) break;
    ssize_t n;
    {
      std::lock_guard lock(writeLock_);
      n = ::write(fd_, chunk.data() + done, chunk.size() - done);
    }
    if (n > 0) {
      done += static_cast<size_t>(n);
      wrote = true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      pollfd fds[2] = {{fd_, POLLOUT, 0}, {wake_.Fd(), POLLIN, 0}};
      if (poll(fds, 2, 100) < 0 && errno != EINTR) {
        lineFailed_ = true;
        break;
      }
      if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
        lineFailed_ = true;
        break;
      }
      if (fds[1].revents & POLLIN) wake_.Clear();
      continue;
    }
    // The device is gone or refuses bytes: the rest of the chunk is dropped.
    lineFailed_ = true;
    break;
  }
  return wrote;
}

void TCommTransThread::WaitUntilSent() {
  auto limit = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDrainLimitMs);
  while (!discard_ && !terminated_ && std::chrono::steady_clock::now() < limit) {
    int queued = 0;
    if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) return;
    Pause(1);
  }
}

}  // namespace brv3::platform
