#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/MainThreadDispatcher.h"

namespace brv3::platform {

// A dispatcher for programs without an event loop (the CLI, tests): Dispatch queues the function
// and waits; the main thread runs the queue with RunPending, for example from its EventPump. A
// Dispatch made on the thread that created the dispatcher runs at once.
class QueuedDispatcher final : public MainThreadDispatcher {
 public:
  QueuedDispatcher();
  void Dispatch(std::function<void()> fn) override;

  // Runs every queued function; returns how many ran.
  int RunPending();
  // Waits up to `timeoutMs` for something to be queued, then runs the queue.
  int WaitAndRunPending(int timeoutMs);
  // Number of Dispatch calls so far.
  int DispatchCount() const;
  // Waits up to `timeoutMs` until DispatchCount reaches `count`, without running anything.
  bool WaitForDispatchCount(int count, int timeoutMs) const;

 private:
  struct Item {
    std::function<void()> fn;
    bool done = false;
  };
  std::thread::id mainThread_;
  mutable std::mutex mutex_;
  mutable std::condition_variable queued_;
  std::condition_variable finished_;
  std::deque<std::shared_ptr<Item>> items_;
  int dispatchCount_ = 0;
};

}  // namespace brv3::platform
