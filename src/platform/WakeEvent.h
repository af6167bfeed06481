#pragma once

namespace brv3::platform {

// A pollable auto-reset event (an eventfd): Set from any thread wakes a poll on Fd(); Clear
// consumes the wake-up.
class WakeEvent {
 public:
  WakeEvent();  // throws std::system_error when the kernel refuses
  ~WakeEvent();
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;

  int Fd() const { return fd_; }
  void Set();
  void Clear();

 private:
  int fd_;
};

}  // namespace brv3::platform
