#pragma once

#include <functional>

namespace brv3::platform {

// How a worker thread hands work to the main thread: Dispatch runs `fn` on the main thread and
// returns once it has run. It is called from worker threads only; the caller holds no lock that
// the main thread may need, so the main thread is free to close the port from inside `fn`.
class MainThreadDispatcher {
 public:
  virtual ~MainThreadDispatcher() = default;
  virtual void Dispatch(std::function<void()> fn) = 0;
};

}  // namespace brv3::platform
