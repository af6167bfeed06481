#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace brv3::platform {

// Threads started once and kept, that join the calling thread in running one job at a time: for
// work split into parts that several threads take from a shared counter, done again and again
// (a picture painted at every redraw) where starting threads each time would cost more than the
// work.
class WorkerPool {
 public:
  // Starts up to `helpers` threads; fewer when the system gives no more.
  explicit WorkerPool(int helpers);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  int Helpers() const { return static_cast<int>(threads_.size()); }
  // Runs `job` on the calling thread and on up to `threads` - 1 helpers at once, and returns when
  // every call has returned. A helper that is late finds the job gone and does not run it, so the
  // job must not count on how many threads run it. `job` must not throw. Calls from several
  // threads take turns.
  void Run(const std::function<void()>& job, int threads);

 private:
  void Serve();

  std::mutex runLock_;  // one Run at a time
  std::mutex lock_;
  std::condition_variable wake_;
  std::condition_variable done_;
  const std::function<void()>* job_ = nullptr;
  uint64_t generation_ = 0;
  int tickets_ = 0;  // helpers that may still join the current job
  int running_ = 0;  // helpers inside the current job
  bool stop_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace brv3::platform
