#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/CommTypes.h"
#include "platform/WakeEvent.h"

namespace brv3::platform {

// Writes queued chunks to the port in order on its own thread. The owner keeps the descriptor
// open until Stop has returned.
class TCommTransThread {
 public:
  // `writeLock` is held around every write and every transmit purge; `flowCtrl` is read before
  // each burst (half-duplex RTS handling); `lineFailed` is set when the device stops taking bytes.
  TCommTransThread(int fd, std::mutex& writeLock, const std::atomic<int>& flowCtrl,
                   std::atomic<bool>& lineFailed);
  ~TCommTransThread();
  TCommTransThread(const TCommTransThread&) = delete;
  TCommTransThread& operator=(const TCommTransThread&) = delete;

  void Start();  // throws std::system_error when no thread can be made
  void SetCharTime(int ms) { charTimeMs_ = ms; }

  void Post(std::vector<uint8_t> chunk);
  // Writes from the caller's thread when the thread is idle (nothing queued or being written)
  // and the line needs no RTS turn-around, which spares a thread hand-over on every short
  // command. Returns how many bytes went out; the caller posts the rest, so order is kept.
  size_t WriteNow(const uint8_t* data, size_t count);
  int QueuedChunks() const;
  size_t PendingBytes() const;
  // Waits up to `ms` for a chunk to finish.
  void WaitForProgress(int ms);
  // Drops every queued chunk and the rest of the one being written, flushing the driver's
  // output queue until nothing is pending.
  void Discard();
  // Ends the thread and waits for it; chunks still queued are dropped.
  void Stop();

 private:
  void Run();
  bool WriteChunk(const std::vector<uint8_t>& chunk);
  void WaitUntilSent();
  void FinishChunk(size_t size);
  void Pause(int ms);

  const int fd_;
  std::mutex& writeLock_;
  const std::atomic<int>& flowCtrl_;
  std::atomic<bool>& lineFailed_;
  std::atomic<int> charTimeMs_{2};
  std::atomic<bool> discard_{false};
  std::atomic<bool> terminated_{false};
  WakeEvent wake_;

  mutable std::mutex queueLock_;  // the counter lock; also guards the queue
  std::condition_variable queueChanged_;
  std::deque<std::vector<uint8_t>> queue_;
  size_t pendingBytes_ = 0;
  int queuedChunks_ = 0;
  std::thread thread_;
};

}  // namespace brv3::platform
