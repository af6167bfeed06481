#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/MainThreadDispatcher.h"
#include "platform/WakeEvent.h"

namespace brv3::platform {

// Line errors and breaks counted by the driver since the last look.
struct LineErrors {
  int errorState = 0;  // kCommErrorOverrun | kCommErrorParity | kCommErrorFrame
  bool breakSeen = false;
};

// Watches the port for received bytes, breaks and line errors, and hands each to the main thread
// through the dispatcher. After a notification it sleeps until new bytes arrive or it is woken,
// so bytes left unread never make it spin.
//
// The object is shared with its thread. Stop never waits for the main thread: when the thread
// is inside a hand-over (possibly the very one the main thread is running), Stop lets it go and
// the thread ends by itself once the hand-over returns, without touching the port again.
class TCommReceiveThread : public std::enable_shared_from_this<TCommReceiveThread> {
 public:
  // HangUp: the device hung up or went away; told once.
  enum class LineEvent { Error, Break, Receive, HangUp };
  // Runs on the main thread; never called after Stop.
  using Handler = std::function<void(LineEvent, int errorState)>;

  // Throws std::system_error when no thread can be made.
  static std::shared_ptr<TCommReceiveThread> Start(int fd,
                                                   std::shared_ptr<MainThreadDispatcher> dispatcher,
                                                   Handler handler);
  ~TCommReceiveThread();

  // Makes the thread look at the port again (after the main thread took some bytes).
  void Wake() { wake_.Set(); }
  // While a read runs on the main thread no receive notification is sent: the read takes the
  // bytes itself. The port is not even watched meanwhile (a hang-up still is), so that this
  // thread does not wake on every answer byte and take a core from the reader it would wait for.
  void SetReadInProgress(bool reading);
  LineErrors TakeLineErrors();
  void Stop();

  // Private to Start; public for std::make_shared.
  TCommReceiveThread(int fd, std::shared_ptr<MainThreadDispatcher> dispatcher, Handler handler);

 private:
  void Run();
  bool Notify(LineEvent event, int errorState);

  const int fd_;
  std::shared_ptr<MainThreadDispatcher> dispatcher_;
  Handler handler_;
  WakeEvent wake_;
  int epoll_ = -1;
  std::atomic<bool> readInProgress_{false};
  std::atomic<bool> cancelled_{false};

  std::mutex stateLock_;
  bool terminated_ = false;
  bool inHandOver_ = false;

  std::mutex countLock_;
  bool haveCounts_ = false;
  std::atomic<bool> noCounters_{false};  // the device keeps no error counters (a pty)
  int overrun_ = 0, parity_ = 0, frame_ = 0, breaks_ = 0;

  std::thread thread_;
};

}  // namespace brv3::platform
