#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "core/comm/Transact.h"
#include "core/util/Bytes.h"

namespace brv3 {

// Sends live frames (a servo, trim or calibration value that takes no reply) from a thread of its
// own, back to back as fast as the line takes them, whatever the user-interface thread is doing.
// Only the newest frame for each target (the frame's first three bytes: command, area, channel) is
// kept: a value superseded before it went out is dropped, as a slider move during a send always
// was. Frames for different targets go out in the order they were first posted.
class LiveLane {
 public:
  // Sends one frame (without its checksum) and says why it failed (None when it was sent).
  using Send = std::function<LinkFault(const Bytes& frame)>;

  // `exchange` is held for each frame, from taking it off the queue until it is sent: whoever
  // else holds it (for a command of its own) can take the pending frames and send them first.
  LiveLane(std::recursive_mutex& exchange, Send send);
  // Sends what is still pending, then stops.
  ~LiveLane();
  LiveLane(const LiveLane&) = delete;
  LiveLane& operator=(const LiveLane&) = delete;

  void Post(Bytes frame);
  // The frames not yet taken, oldest first, for a caller holding the exchange lock to send now.
  std::deque<Bytes> TakePending();
  // Returns once every frame posted so far has been sent (or failed). Not with the exchange lock
  // held.
  void Drain();
  // How the last frame sent since the previous call went; nullopt when none was sent.
  std::optional<LinkFault> TakeOutcome();

 private:
  void Run();

  std::recursive_mutex& exchange_;
  Send send_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<Bytes> pending_;  // at most one frame per target
  bool sending_ = false;
  bool stopping_ = false;
  std::optional<LinkFault> outcome_;
  std::thread thread_;
};

}  // namespace brv3
