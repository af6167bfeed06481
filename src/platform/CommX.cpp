#include "platform/CommX.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "core/util/Translate.h"
#include "platform/ComPortName.h"
#include "platform/LineSettings.h"
#include "platform/PortAccess.h"

namespace brv3::platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kReadSliceMs = 10;
constexpr int kCloseSettleMs = 100;

// Raised through Failure(), which translates them.
constexpr const char* kMsgAlreadyOpen = BRV3_TR_NOOP("CommX", "The port is already open");
constexpr const char* kMsgTransThread =
    BRV3_TR_NOOP("CommX", "Could not create the transmit thread");
constexpr const char* kMsgReceiveThread =
    BRV3_TR_NOOP("CommX", "Could not create the receive thread");
constexpr const char* kMsgBitRate =
    BRV3_TR_NOOP("CommX", "An error occurred while setting the bit rate");
constexpr const char* kMsgCharSize =
    BRV3_TR_NOOP("CommX", "An error occurred while setting the number of data bits");
constexpr const char* kMsgParity =
    BRV3_TR_NOOP("CommX", "An error occurred while setting the parity check");
constexpr const char* kMsgStopBit =
    BRV3_TR_NOOP("CommX", "An error occurred while setting the number of stop bits");
constexpr const char* kMsgFlowCtrl = BRV3_TR_NOOP("CommX", "Setting the flow control failed");
constexpr const char* kMsgXon =
    BRV3_TR_NOOP("CommX", "An error occurred while setting the XON character");
constexpr const char* kMsgXoff =
    BRV3_TR_NOOP("CommX", "An error occurred while setting the XOFF character");
constexpr const char* kMsgBuffers =
    BRV3_TR_NOOP("CommX", "Could not prepare the buffers of the port");

ECommError Failure(const char* message) {
  return ECommError(Tr("CommX", message));
}

std::string CannotOpen(const std::string& reason) {
  return Args(Tr("CommX", "Could not open the port: %1"), {reason});
}

bool IsMember(TCommParityBits parity) {
  return parity >= cpbNone && parity <= cpbEven;
}
bool IsMember(TCommStopBits stopBits) {
  return stopBits >= csb1 && stopBits <= csb2;
}

}  // namespace

std::string CannotOpenMessage(int error) {
  std::string reason;
  switch (error) {
    case EBUSY:
    case EWOULDBLOCK:
      reason = Tr("CommX", "the port is busy (another program is using it)");
      break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      reason = Tr("CommX", "no such device");
      break;
    case EACCES:
    case EPERM:
      reason = Tr("CommX",
                  "permission denied (join the dialout group: sudo usermod -aG dialout $USER, "
                  "then log in again)");
      break;
    case ENOTTY:
      reason = Tr("CommX", "not a serial device");
      break;
    default:
      reason = std::generic_category().message(error);
      break;
  }
  return CannotOpen(reason);
}

TCustomCommX::~TCustomCommX() {
  Close();
}

std::string TCustomCommX::DeviceToOpen() const {
  return devicePath_.empty() ? ComPortPath(portNo_) : devicePath_;
}

void TCustomCommX::Open() {
  std::lock_guard exchange(exchangeLock_);
  if (IsOpen()) throw Failure(kMsgAlreadyOpen);
  std::string path = DeviceToOpen();
  const int flags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
  int fd = openDevice_ ? openDevice_(path, flags) : ::open(path.c_str(), flags);
  if (fd < 0) {
    const int error = errno;
    if (error == EACCES || error == EPERM) {
      const AccessHint hint = PermissionHint(path);
      throw ECommAccessError(CannotOpen(hint.Text), hint.Command);
    }
    throw ECommError(CannotOpenMessage(error));
  }
  // Not shared: exclusive at the terminal (refuses other opens) and by lock (refuses another
  // instance of this program even when run with privileges).
  const int error = !isatty(fd) ? ENOTTY : flock(fd, LOCK_EX | LOCK_NB) != 0 ? EBUSY : 0;
  if (error != 0) {
    ::close(fd);
    throw ECommError(CannotOpenMessage(error));
  }
  (void)ioctl(fd, TIOCEXCL);
  fd_ = fd;
  ++openSerial_;
  lineFailed_ = false;
  try {
    OpenSteps();
  } catch (...) {
    Close();
    throw;
  }
}

void TCustomCommX::OpenSteps() {
  ApplyQueueSizes();
  // Only stale input is dropped. A port just opened holds nothing of ours to send, and on a
  // pseudo-terminal an output flush would throw away what the program before us wrote and the
  // other end has not read yet (the last live frame of a CLI run, say).
  tcflush(fd_, TCIFLUSH);
  if (tcgetattr(fd_, &settings_) != 0) throw ECommError(CannotOpenMessage(errno));
  MakeRawLine(settings_);
  ApplyBitRate();
  ApplyCharSize();
  ApplyParityBit();
  ApplyStopBit();
  ApplyFlowCtrl();
  ApplyXonXoff(kMsgXon);

  try {
    transThread_ =
        std::make_unique<TCommTransThread>(fd_, writeLock_, threadFlowCtrl_, lineFailed_);
    transThread_->SetCharTime(CharTimeMs(bitRate_));
    transThread_->Start();
  } catch (const std::system_error&) {
    transThread_.reset();
    throw Failure(kMsgTransThread);
  }
  try {
    receiveThread_ = TCommReceiveThread::Start(
        fd_, dispatcher_,
        [this](TCommReceiveThread::LineEvent event, int state) { HandleLineEvent(event, state); });
    receiveThread_->SetReadInProgress(readDepth_ > 0);
  } catch (const std::system_error&) {
    throw Failure(kMsgReceiveThread);
  }
}

void TCustomCommX::Close() {
  std::lock_guard exchange(exchangeLock_);
  if (!IsOpen()) return;
  const bool dtrDropped = SetModemLine(fd_, TIOCM_DTR, false);
  SetRts(false);
  if (!keepOutput_) PurgeTransmit();
  keepOutput_ = false;
  PurgeReceive();
  // Keeps DTR low for a moment before the device is let go; a line without modem control (a
  // pseudo-terminal) or one that failed has nothing to settle.
  if (dtrDropped && !lineFailed_)
    std::this_thread::sleep_for(std::chrono::milliseconds(kCloseSettleMs));
  if (transThread_) {
    transThread_->Stop();
    transThread_.reset();
  }
  if (receiveThread_) {
    receiveThread_->Stop();
    receiveThread_.reset();
  }
  (void)ioctl(fd_, TIOCNXCL);
  ::close(fd_);
  fd_ = -1;
  ++openSerial_;
}

void TCustomCommX::ApplySettings(const termios& settings, const char* failureMessage) {
  if (tcsetattr(fd_, TCSANOW, &settings) != 0) throw Failure(failureMessage);
  settings_ = settings;
}

void TCustomCommX::ApplyBitRate() {
  termios settings = settings_;
  if (!SetLineBitRate(settings, bitRate_)) throw Failure(kMsgBitRate);
  ApplySettings(settings, kMsgBitRate);
  if (transThread_) transThread_->SetCharTime(CharTimeMs(bitRate_));
}

void TCustomCommX::ApplyCharSize() {
  termios settings = settings_;
  if (!SetLineCharSize(settings, charSize_)) throw Failure(kMsgCharSize);
  ApplySettings(settings, kMsgCharSize);
}

void TCustomCommX::ApplyParityBit() {
  if (!IsMember(parityBit_)) return;
  termios settings = settings_;
  SetLineParity(settings, parityBit_);
  ApplySettings(settings, kMsgParity);
}

void TCustomCommX::ApplyStopBit() {
  if (!IsMember(stopBit_)) return;
  termios settings = settings_;
  SetLineStopBits(settings, stopBit_);
  ApplySettings(settings, kMsgStopBit);
}

void TCustomCommX::ApplyFlowCtrl() {
  termios settings = settings_;
  if (!SetLineFlowControl(settings, flowCtrl_)) throw Failure(kMsgFlowCtrl);
  ApplySettings(settings, kMsgFlowCtrl);
  threadFlowCtrl_ = flowCtrl_;
  SetModemLine(fd_, TIOCM_DTR, IdleDtr(flowCtrl_));
  SetModemLine(fd_, TIOCM_RTS, IdleRts(flowCtrl_));
}

void TCustomCommX::ApplyXonXoff(const char* failureMessage) {
  termios settings = settings_;
  SetLineXonXoffChars(settings, xonChar_, xoffChar_);
  ApplySettings(settings, failureMessage);
}

void TCustomCommX::ApplyQueueSizes() {
  // The kernel sizes its own queues; only sizes that make no sense are refused. BufLenTrans
  // still bounds the chunks handed to the transmit thread.
  if (bufLenTrans_ < 1 || bufLenReceive_ < 1) throw Failure(kMsgBuffers);
}

void TCustomCommX::SetPortNo(int portNo) {
  portNo_ = portNo;
  if (IsOpen()) {
    Close();
    Open();
  }
}

void TCustomCommX::SetDevicePath(const std::string& path) {
  devicePath_ = path;
  if (IsOpen()) {
    Close();
    Open();
  }
}

void TCustomCommX::SetBitRate(int bitRate) {
  bitRate_ = bitRate;
  if (IsOpen()) ApplyBitRate();
}

void TCustomCommX::SetCharSize(int charSize) {
  charSize_ = charSize;
  if (IsOpen()) ApplyCharSize();
}

void TCustomCommX::SetParityBit(TCommParityBits parity) {
  parityBit_ = parity;
  if (IsOpen()) ApplyParityBit();
}

void TCustomCommX::SetStopBit(TCommStopBits stopBits) {
  stopBit_ = stopBits;
  if (IsOpen()) ApplyStopBit();
}

void TCustomCommX::SetFlowCtrl(TCommFlowCtrls flow) {
  flowCtrl_ = flow;
  if (IsOpen()) ApplyFlowCtrl();
}

// The time-outs are kept by this component itself (reads and writes time their own waits), so
// there is nothing to hand to the driver.
void TCustomCommX::SetTimeOutTrans(int ms) {
  timeOutTrans_ = ms;
}

void TCustomCommX::SetTimeOutReceive(int ms) {
  timeOutReceive_ = ms;
}

void TCustomCommX::SetXonChar(char c) {
  xonChar_ = c;
  if (IsOpen()) ApplyXonXoff(kMsgXon);
}

void TCustomCommX::SetXoffChar(char c) {
  xoffChar_ = c;
  if (IsOpen()) ApplyXonXoff(kMsgXoff);
}

void TCustomCommX::SetBufLenTrans(int size) {
  bufLenTrans_ = size;
  if (IsOpen()) ApplyQueueSizes();
}

void TCustomCommX::SetBufLenReceive(int size) {
  bufLenReceive_ = size;
  if (IsOpen()) {
    ApplyQueueSizes();
    ApplyFlowCtrl();
  }
}

bool TCustomCommX::LineGone() {
  if (lineFailed_) return true;
  pollfd line{fd_, POLLOUT, 0};
  if (poll(&line, 1, 0) > 0 && (line.revents & (POLLERR | POLLHUP | POLLNVAL))) {
    lineFailed_ = true;
  }
  return lineFailed_;
}

bool TCustomCommX::Drain(int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (IsOpen() && !lineFailed_) {
    int queued = 0;
    const bool threadIdle = !transThread_ || transThread_->PendingBytes() == 0;
    if (threadIdle && (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued == 0)) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    if (!threadIdle)
      transThread_->WaitForProgress(1);
    else
      std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return false;
}

void TCustomCommX::CloseAfterSending(int timeoutMs) {
  keepOutput_ = Drain(timeoutMs);
  Close();
}

bool TCustomCommX::WriteBytes(const uint8_t* data, size_t count) {
  if (count == 0) return true;
  if (data == nullptr) return false;
  size_t done = 0;
  // A write to a line that is gone fails by itself; only the queued path below needs to ask.
  if (IsOpen() && transThread_ && !lineFailed_ && count <= static_cast<size_t>(bufLenTrans_))
    done = transThread_->WriteNow(data, count);
  while (done < count) {
    // Checked on every round: the event pump may have closed the port.
    if (!IsOpen() || !transThread_ || LineGone()) return false;
    if (transThread_->QueuedChunks() >= kMaxChunksInFlight) {
      transThread_->WaitForProgress(1);
      Pump();
      continue;
    }
    size_t size = std::min(static_cast<size_t>(std::max(bufLenTrans_, 1)), count - done);
    std::vector<uint8_t> chunk;
    try {
      chunk.assign(data + done, data + done + size);
    } catch (const std::bad_alloc&) {
      // A chunk that cannot be copied cannot be sent; the caller must not believe it was.
      return false;
    }
    transThread_->Post(std::move(chunk));
    done += size;
  }
  return true;
}

bool TCustomCommX::WriteString(const std::string& text) {
  return WriteBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

int TCustomCommX::ReadAvailable(uint8_t* buffer, int count) {
  for (;;) {
    ssize_t n = ::read(fd_, buffer, static_cast<size_t>(count));
    if (n > 0) return static_cast<int>(n);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) return 0;
    // 0 is a hung-up line (reads never return 0 otherwise, see MakeRawLine); EIO or ENXIO is a
    // device that went away.
    lineFailed_ = true;
    return -1;
  }
}

int TCustomCommX::ReadBytes(uint8_t* buffer, int count) {
  if (!IsOpen() || !receiveThread_ || buffer == nullptr || count < 0 || lineFailed_) return -1;
  if (count == 0) return 0;
  const unsigned openSerial = openSerial_;
  const unsigned purgeSerial = purgeSerial_;
  const int timeOut = std::max(timeOutReceive_.load(), 0);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeOut);
  if (readDepth_++ == 0) receiveThread_->SetReadInProgress(true);
  int got = 0;
  bool failed = false;
  // Most reads wait for a reply that has not come yet: wait first, then read.
  bool waitFirst = true;
  for (;;) {
    if (waitFirst) {
      waitFirst = false;
      pollfd line{fd_, POLLIN, 0};
      (void)poll(&line, 1, static_cast<int>(std::min<long long>(timeOut, kReadSliceMs)));
    }
    int n = ReadAvailable(buffer + got, count - got);
    if (n < 0) {
      failed = true;
      break;
    }
    got += n;
    if (got == count) break;
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd line{fd_, POLLIN, 0};
    (void)poll(&line, 1, static_cast<int>(std::min<long long>(left, kReadSliceMs)));
    if (eventPump_ && std::this_thread::get_id() == pumpThread_) {
      eventPump_->Pump();
      if (!IsOpen() || openSerial_ != openSerial || purgeSerial_ != purgeSerial) {
        failed = true;
        break;
      }
    }
  }
  EndRead(failed ? 0 : got);
  return failed ? -1 : got;
}

void TCustomCommX::Pump() {
  if (eventPump_ && std::this_thread::get_id() == pumpThread_) eventPump_->Pump();
}

void TCustomCommX::EndRead(int taken) {
  if (--readDepth_ > 0 || !receiveThread_) return;
  receiveThread_->SetReadInProgress(false);
  // Bytes beyond this read arrived while it ran and were not reported; let the receive thread
  // look again. Only after progress, so that a handler reading nothing cannot ping-pong.
  if (taken > 0 && !lineFailed_) {
    int queued = 0;
    if (ioctl(fd_, FIONREAD, &queued) == 0 && queued > 0) receiveThread_->Wake();
  }
}

void TCustomCommX::PurgeTransmit() {
  std::lock_guard exchange(exchangeLock_);
  if (!IsOpen()) return;
  if (transThread_) {
    transThread_->Discard();
  } else {
    std::lock_guard lock(writeLock_);
    tcflush(fd_, TCOFLUSH);
  }
}

void TCustomCommX::PurgeReceive() {
  std::lock_guard exchange(exchangeLock_);
  if (!IsOpen()) return;
  ++purgeSerial_;
  tcflush(fd_, TCIFLUSH);
}

void TCustomCommX::SetRts(bool on) {
  if (IsOpen()) SetModemLine(fd_, TIOCM_RTS, on);
}

void TCustomCommX::SetDtr(bool on) {
  if (IsOpen()) SetModemLine(fd_, TIOCM_DTR, on);
}

int TCustomCommX::InQueueCount() {
  if (!IsOpen()) return 0;
  if (receiveThread_) receiveThread_->TakeLineErrors();
  int queued = 0;
  if (ioctl(fd_, FIONREAD, &queued) != 0) return 0;
  return queued;
}

void TCustomCommX::HandleLineEvent(TCommReceiveThread::LineEvent event, int errorState) {
  if (!IsOpen()) return;
  switch (event) {
    case TCommReceiveThread::LineEvent::Error:
      if (OnError) OnError(*this, errorState);
      break;
    case TCommReceiveThread::LineEvent::Break:
      if (OnBreak) OnBreak(*this);
      break;
    case TCommReceiveThread::LineEvent::HangUp:
      // The dead descriptor is let go at once: a USB adapter plugged in again gets its old name
      // only once nothing holds the old device. A read or write under way sees the port closed.
      lineFailed_ = true;
      Close();
      if (OnHangUp) OnHangUp(*this);
      break;
    case TCommReceiveThread::LineEvent::Receive: {
      // A read in progress takes the bytes itself; to this handler the queue looks empty. An
      // exchange on another thread (a live frame, well under a millisecond) is waited for: its
      // answer is not a report, and what comes after it is.
      std::lock_guard exchange(exchangeLock_);
      if (!OnReceive || readDepth_ > 0) break;
      int queued = InQueueCount();
      if (queued > 0) OnReceive(*this, queued);
      break;
    }
  }
}

}  // namespace brv3::platform
