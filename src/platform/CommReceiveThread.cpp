#include "platform/CommReceiveThread.h"

#include <linux/serial.h>
#include <sys/epoll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/CommTypes.h"

namespace brv3::platform {

std::shared_ptr<TCommReceiveThread> TCommReceiveThread::Start(
    int fd, std::shared_ptr<MainThreadDispatcher> dispatcher, Handler handler) {
  auto self = std::make_shared<TCommReceiveThread>(fd, std::move(dispatcher), std::move(handler));
  self->TakeLineErrors();  // counts from before the open are not this session's errors
  self->thread_ = std::thread([self] { self->Run(); });
  return self;
}

TCommReceiveThread::TCommReceiveThread(int fd, std::shared_ptr<MainThreadDispatcher> dispatcher,
                                       Handler handler)
    : fd_(fd), dispatcher_(std::move(dispatcher)), handler_(std::move(handler)) {
  epoll_ = epoll_create1(EPOLL_CLOEXEC);
  if (epoll_ < 0) throw std::system_error(errno, std::generic_category(), "epoll_create1");
  // Edge-triggered on the port: one wake-up per arrival, none for bytes already reported.
  epoll_event portEvent{};
  portEvent.events = EPOLLIN | EPOLLET;
  portEvent.data.fd = fd_;
  epoll_event wakeEvent{};
  wakeEvent.events = EPOLLIN;
  wakeEvent.data.fd = wake_.Fd();
  if (epoll_ctl(epoll_, EPOLL_CTL_ADD, fd_, &portEvent) != 0 ||
      epoll_ctl(epoll_, EPOLL_CTL_ADD, wake_.Fd(), &wakeEvent) != 0) {
    int err = errno;
    ::close(epoll_);
    throw std::system_error(err, std::generic_category(), "epoll_ctl");
  }
}

TCommReceiveThread::~TCommReceiveThread() {
  if (thread_.joinable()) thread_.detach();  // only reached from the thread's own last reference
  ::close(epoll_);
}

void TCommReceiveThread::SetReadInProgress(bool reading) {
  readInProgress_ = reading;
  // Errors and hang-ups are always reported; re-armed, bytes already queued are reported at once.
  // Fails harmlessly once a hang-up has taken the port out of the set.
  epoll_event portEvent{};
  portEvent.events = reading ? 0 : EPOLLIN | EPOLLET;
  portEvent.data.fd = fd_;
  (void)epoll_ctl(epoll_, EPOLL_CTL_MOD, fd_, &portEvent);
}

LineErrors TCommReceiveThread::TakeLineErrors() {
  LineErrors result;
  serial_icounter_struct counts{};
  // Devices without error counters (a pty) simply report nothing, and are not asked again.
  if (noCounters_) return result;
  if (ioctl(fd_, TIOCGICOUNT, &counts) != 0) {
    if (errno == ENOTTY || errno == EINVAL) noCounters_ = true;
    return result;
  }
  std::lock_guard lock(countLock_);
  if (haveCounts_) {
    if (counts.overrun != overrun_) result.errorState |= kCommErrorOverrun;
    if (counts.parity != parity_) result.errorState |= kCommErrorParity;
    if (counts.frame != frame_) result.errorState |= kCommErrorFrame;
    result.breakSeen = counts.brk != breaks_;
  }
  haveCounts_ = true;
  overrun_ = counts.overrun;
  parity_ = counts.parity;
  frame_ = counts.frame;
  breaks_ = counts.brk;
  return result;
}

void TCommReceiveThread::Stop() {
  cancelled_ = true;
  bool letGo;
  {
    std::lock_guard lock(stateLock_);
    terminated_ = true;
    letGo = inHandOver_;
  }
  wake_.Set();
  if (!thread_.joinable()) return;
  if (letGo)
    thread_.detach();
  else
    thread_.join();
}

bool TCommReceiveThread::Notify(LineEvent event, int errorState) {
  {
    std::lock_guard lock(stateLock_);
    if (terminated_) return false;
    if (!dispatcher_) return true;
    inHandOver_ = true;
  }
  auto self = shared_from_this();
  dispatcher_->Dispatch([self, event, errorState] {
    if (!self->cancelled_) self->handler_(event, errorState);
  });
  std::lock_guard lock(stateLock_);
  inHandOver_ = false;
  return !terminated_;
}

void TCommReceiveThread::Run() {
  bool watchingPort = true;
  for (;;) {
    epoll_event events[2];
    int n = epoll_wait(epoll_, events, 2, -1);
    {
      std::lock_guard lock(stateLock_);
      if (terminated_) return;
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      return;
    }
    bool look = false;
    bool hungUp = false;
    for (int i = 0; i < n; ++i) {
      if (events[i].data.fd == wake_.Fd()) {
        wake_.Clear();
        look = true;
      } else if (events[i].events & (EPOLLHUP | EPOLLERR)) {
        // The device is gone: stop watching it, tell the main thread (its reads and writes
        // report the failure too) and wait only for the end.
        epoll_ctl(epoll_, EPOLL_CTL_DEL, fd_, nullptr);
        hungUp = watchingPort;
        watchingPort = false;
      } else {
        look = true;
      }
    }
    if (hungUp && !Notify(LineEvent::HangUp, 0)) return;
    if (!watchingPort) continue;
    LineErrors errors = TakeLineErrors();
    if (errors.errorState != 0 && !Notify(LineEvent::Error, errors.errorState)) return;
    if (errors.breakSeen && !Notify(LineEvent::Break, 0)) return;
    if (!look || readInProgress_) continue;
    int queued = 0;
    if (ioctl(fd_, FIONREAD, &queued) == 0 && queued > 0 && !Notify(LineEvent::Receive, 0)) return;
  }
}

}  // namespace brv3::platform
