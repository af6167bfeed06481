#pragma once

#include <termios.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/comm/EventPump.h"
#include "core/comm/Port.h"
#include "platform/CommReceiveThread.h"
#include "platform/CommTransThread.h"
#include "platform/CommTypes.h"
#include "platform/MainThreadDispatcher.h"

namespace brv3::platform {

class TCustomCommX;

// "Could not open the port: " and the reason for the system's error number `error` (busy, no
// such device, permission denied with the hint to join the dialout group, ...), translated.
std::string CannotOpenMessage(int error);

// How the component opens its device: open(2) by default; returns the descriptor, or -1 with
// errno set.
using DeviceOpenFunction = std::function<int(const std::string& path, int flags)>;

using TCommReceiveEvent = std::function<void(TCustomCommX& sender, int receiveSize)>;
using TCommBreakEvent = std::function<void(TCustomCommX& sender)>;
using TCommErrEvent = std::function<void(TCustomCommX& sender, int errorState)>;
// The device hung up or went away; the port is already closed when this is raised.
using TCommHangUpEvent = std::function<void(TCustomCommX& sender)>;

// The serial port component. Every public operation and every event runs on the main thread; a
// transmit thread writes the queued bytes and a receive thread reports bytes waiting, breaks and
// line errors through the MainThreadDispatcher.
class TCustomCommX {
 public:
  static constexpr int kMaxChunksInFlight = 32;

  TCustomCommX() = default;
  virtual ~TCustomCommX();
  TCustomCommX(const TCustomCommX&) = delete;
  TCustomCommX& operator=(const TCustomCommX&) = delete;

  // Opens the device and starts both threads; raises ECommError when already open or when the
  // device cannot be opened or set up (the port is closed again then).
  void Open();
  // Lowers DTR and RTS, purges both ways, stops the threads and closes the device.
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  // True when the port is open and its device has hung up or gone away (a pulled USB adapter, a
  // pseudo-terminal whose other side closed); it then stays so until closed.
  bool LineFailed() { return IsOpen() && LineGone(); }

  // Queues bytes for sending; returns once they are queued. False when closed or the device has
  // gone away.
  virtual bool WriteBytes(const uint8_t* data, size_t count);
  bool WriteByte(uint8_t value) { return WriteBytes(&value, 1); }
  bool WriteString(const std::string& text);
  // Reads up to `count` bytes, returning as soon as all are in or TimeOutReceive ms have passed.
  // Returns the number read, or -1 when closed, on a null buffer, or when the device fails.
  virtual int ReadBytes(uint8_t* buffer, int count);

  void PurgeTransmit();
  void PurgeReceive();
  // Waits until every byte written so far has left the driver (at most `timeoutMs`); true when
  // it has.
  bool Drain(int timeoutMs);
  // Close purges what was not sent; a program that ends after frames that await no reply closes
  // this way instead: it drains, then closes without dropping the driver's output.
  void CloseAfterSending(int timeoutMs);
  void SetRts(bool on);
  void SetDtr(bool on);
  // Bytes waiting in the driver's input queue; also forgets pending line errors.
  int InQueueCount();

  // Runs between the slices of a waiting read or write made on the thread that set it (never on
  // another: live frames are sent from a thread of their own); none by default.
  void SetEventPump(EventPump* pump) {
    eventPump_ = pump;
    pumpThread_ = std::this_thread::get_id();
  }
  // Carries OnReceive/OnBreak/OnError/OnHangUp to the main thread; without one none is raised.
  // Takes effect at the next Open.
  void SetDispatcher(std::shared_ptr<MainThreadDispatcher> dispatcher) {
    dispatcher_ = std::move(dispatcher);
  }
  // Replaces open(2) for the device (tests make it fail with a chosen error); null restores it.
  void SetDeviceOpenFunction(DeviceOpenFunction open) { openDevice_ = std::move(open); }

 protected:
  int PortNo() const { return portNo_; }
  void SetPortNo(int portNo);
  // A device path used instead of PortNo when not empty.
  const std::string& DevicePath() const { return devicePath_; }
  void SetDevicePath(const std::string& path);
  int BitRate() const { return bitRate_; }
  void SetBitRate(int bitRate);
  int CharSize() const { return charSize_; }
  void SetCharSize(int charSize);
  TCommParityBits ParityBit() const { return parityBit_; }
  void SetParityBit(TCommParityBits parity);
  TCommStopBits StopBit() const { return stopBit_; }
  void SetStopBit(TCommStopBits stopBits);
  TCommFlowCtrls FlowCtrl() const { return flowCtrl_; }
  void SetFlowCtrl(TCommFlowCtrls flow);
  int TimeOutTrans() const { return timeOutTrans_; }
  void SetTimeOutTrans(int ms);
  int TimeOutReceive() const { return timeOutReceive_; }
  void SetTimeOutReceive(int ms);
  char XonChar() const { return xonChar_; }
  void SetXonChar(char c);
  char XoffChar() const { return xoffChar_; }
  void SetXoffChar(char c);
  int BufLenTrans() const { return bufLenTrans_; }
  void SetBufLenTrans(int size);
  int BufLenReceive() const { return bufLenReceive_; }
  void SetBufLenReceive(int size);
  // The open descriptor, or -1 when closed.
  int Handle() const { return fd_; }

  TCommReceiveEvent OnReceive;
  TCommBreakEvent OnBreak;
  TCommErrEvent OnError;
  TCommHangUpEvent OnHangUp;

 private:
  std::string DeviceToOpen() const;
  void OpenSteps();
  void ApplySettings(const termios& settings, const char* failureMessage);
  void ApplyBitRate();
  void ApplyCharSize();
  void ApplyParityBit();
  void ApplyStopBit();
  void ApplyFlowCtrl();
  void ApplyXonXoff(const char* failureMessage);
  void ApplyQueueSizes();
  void HandleLineEvent(TCommReceiveThread::LineEvent event, int errorState);
  bool LineGone();
  int ReadAvailable(uint8_t* buffer, int count);
  void EndRead(int taken);
  void Pump();

 protected:
  // Held by every exchange with the board (see Port::ExchangeLock), and by opening, closing and
  // purging, so that none of them happens in the middle of an exchange made on another thread.
  std::recursive_mutex exchangeLock_;

 private:
  int portNo_ = 1;
  std::string devicePath_;
  int bitRate_ = 9600;
  int charSize_ = 8;
  TCommParityBits parityBit_ = cpbNone;
  TCommStopBits stopBit_ = csb1;
  TCommFlowCtrls flowCtrl_ = cfcRtsCts;
  int timeOutTrans_ = 3000;
  std::atomic<int> timeOutReceive_{3000};
  char xonChar_ = 17;
  char xoffChar_ = 19;
  int bufLenTrans_ = 2048;
  int bufLenReceive_ = 2048;

  int fd_ = -1;
  termios settings_{};
  std::mutex writeLock_;
  std::atomic<int> threadFlowCtrl_{cfcRtsCts};
  std::atomic<bool> lineFailed_{false};
  bool keepOutput_ = false;  // the next Close leaves the driver's output queue alone
  std::unique_ptr<TCommTransThread> transThread_;
  std::shared_ptr<TCommReceiveThread> receiveThread_;
  EventPump* eventPump_ = nullptr;
  std::thread::id pumpThread_;
  std::shared_ptr<MainThreadDispatcher> dispatcher_;
  DeviceOpenFunction openDevice_;
  // Changes at every open and close, and at every receive purge, so that a read that let the
  // event pump run notices the port was closed, reopened or purged under it.
  unsigned openSerial_ = 0;
  unsigned purgeSerial_ = 0;
  int readDepth_ = 0;
};

// The component with its properties public, usable wherever the transaction layer needs a Port.
class TCommX final : public TCustomCommX, public Port {
 public:
  using TCustomCommX::BitRate;
  using TCustomCommX::BufLenReceive;
  using TCustomCommX::BufLenTrans;
  using TCustomCommX::CharSize;
  using TCustomCommX::DevicePath;
  using TCustomCommX::FlowCtrl;
  using TCustomCommX::Handle;
  using TCustomCommX::OnBreak;
  using TCustomCommX::OnError;
  using TCustomCommX::OnHangUp;
  using TCustomCommX::OnReceive;
  using TCustomCommX::ParityBit;
  using TCustomCommX::PortNo;
  using TCustomCommX::SetBitRate;
  using TCustomCommX::SetBufLenReceive;
  using TCustomCommX::SetBufLenTrans;
  using TCustomCommX::SetCharSize;
  using TCustomCommX::SetDevicePath;
  using TCustomCommX::SetFlowCtrl;
  using TCustomCommX::SetParityBit;
  using TCustomCommX::SetPortNo;
  using TCustomCommX::SetStopBit;
  using TCustomCommX::SetTimeOutTrans;
  using TCustomCommX::SetXoffChar;
  using TCustomCommX::SetXonChar;
  using TCustomCommX::StopBit;
  using TCustomCommX::TimeOutTrans;
  using TCustomCommX::XoffChar;
  using TCustomCommX::XonChar;

  bool IsOpen() const override { return TCustomCommX::IsOpen(); }
  bool WriteBytes(const uint8_t* data, size_t count) override {
    return TCustomCommX::WriteBytes(data, count);
  }
  int ReadBytes(uint8_t* buffer, int count) override {
    return TCustomCommX::ReadBytes(buffer, count);
  }
  void PurgeReceive() override { TCustomCommX::PurgeReceive(); }
  void PurgeTransmit() override { TCustomCommX::PurgeTransmit(); }
  int TimeOutReceive() const override { return TCustomCommX::TimeOutReceive(); }
  void SetTimeOutReceive(int ms) override { TCustomCommX::SetTimeOutReceive(ms); }
  std::recursive_mutex* ExchangeLock() override { return &exchangeLock_; }
};

}  // namespace brv3::platform
