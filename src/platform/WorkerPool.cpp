#include "platform/WorkerPool.h"

#include <algorithm>
#include <system_error>

namespace brv3::platform {

WorkerPool::WorkerPool(int helpers) {
  for (int i = 0; i < helpers; ++i) {
    try {
      threads_.emplace_back([this] { Serve(); });
    } catch (const std::system_error&) {
      break;  // the ones started do the work
    }
  }
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void WorkerPool::Run(const std::function<void()>& job, int threads) {
  std::lock_guard<std::mutex> turn(runLock_);
  const int helpers = std::clamp(threads - 1, 0, Helpers());
  if (helpers > 0) {
    std::lock_guard<std::mutex> guard(lock_);
    job_ = &job;
    tickets_ = helpers;
    ++generation_;
  }
  if (helpers > 0) wake_.notify_all();
  job();
  if (helpers == 0) return;
  std::unique_lock<std::mutex> guard(lock_);
  tickets_ = 0;
  done_.wait(guard, [this] { return running_ == 0; });
  job_ = nullptr;
}

void WorkerPool::Serve() {
  std::unique_lock<std::mutex> guard(lock_);
  uint64_t joined = 0;
  for (;;) {
    wake_.wait(guard, [&] { return stop_ || (generation_ != joined && tickets_ > 0); });
    if (stop_) return;
    joined = generation_;
    --tickets_;
    ++running_;
    const std::function<void()>* job = job_;
    guard.unlock();
    (*job)();
    guard.lock();
    if (--running_ == 0) done_.notify_all();
  }
}

}  // namespace brv3::platform
