#include "platform/QueuedDispatcher.h"

#include <chrono>

namespace brv3::platform {

QueuedDispatcher::QueuedDispatcher() : mainThread_(std::this_thread::get_id()) {}

void QueuedDispatcher::Dispatch(std::function<void()> fn) {
  if (std::this_thread::get_id() == mainThread_) {
    {
      std::lock_guard lock(mutex_);
      ++dispatchCount_;
      queued_.notify_all();
    }
    fn();
    return;
  }
  auto item = std::make_shared<Item>();
  item->fn = std::move(fn);
  std::unique_lock lock(mutex_);
  ++dispatchCount_;
  items_.push_back(item);
  queued_.notify_all();
  finished_.wait(lock, [&] { return item->done; });
}

int QueuedDispatcher::RunPending() {
  int ran = 0;
  for (;;) {
    std::shared_ptr<Item> item;
    {
      std::lock_guard lock(mutex_);
      if (items_.empty()) break;
      item = items_.front();
      items_.pop_front();
    }
    // The function runs without the lock so that it may do anything, including closing the port
    // whose thread is waiting for it.
    try {
      item->fn();
    } catch (...) {
      std::lock_guard lock(mutex_);
      item->done = true;
      finished_.notify_all();
      throw;
    }
    std::lock_guard lock(mutex_);
    item->done = true;
    finished_.notify_all();
    ++ran;
  }
  return ran;
}

int QueuedDispatcher::WaitAndRunPending(int timeoutMs) {
  {
    std::unique_lock lock(mutex_);
    queued_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !items_.empty(); });
  }
  return RunPending();
}

bool QueuedDispatcher::WaitForDispatchCount(int count, int timeoutMs) const {
  std::unique_lock lock(mutex_);
  return queued_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [&] { return dispatchCount_ >= count; });
}

int QueuedDispatcher::DispatchCount() const {
  std::lock_guard lock(mutex_);
  return dispatchCount_;
}

}  // namespace brv3::platform
