#pragma once

#include "core/comm/BoardLink.h"

namespace brv3 {

// Wakes the board; waking changes nothing stored, so a wake that fails on the line is tried once
// more.
inline bool WakeBoard(BoardLink& link) {
  return link.SetSleep(ModeSwitch::Off) || link.SetSleep(ModeSwitch::Off);
}

// The board asleep for one sequence (servos let go, nothing plays, settings may be written).
// Begin puts it to sleep, End wakes it; a scope left without End wakes the board on the way out,
// so no early return leaves it asleep. Waking changes nothing stored, so a wake that fails on the
// line is tried once more. The cause of an earlier failure is kept for the report when the wake
// succeeds.
class SleepScope {
 public:
  explicit SleepScope(BoardLink& link) : link_(link) {}
  ~SleepScope() {
    if (asleep_) End();
  }
  SleepScope(const SleepScope&) = delete;
  SleepScope& operator=(const SleepScope&) = delete;

  // A sleep that failed on the line may still have reached the board, so it is woken at the end
  // all the same.
  bool Begin() {
    asleep_ = true;
    return link_.SetSleep(ModeSwitch::On);
  }
  bool End() {
    asleep_ = false;
    const LinkFault earlier = link_.LastFault();
    const bool awake = WakeBoard(link_);
    if (awake && earlier != LinkFault::None) link_.RestoreFault(earlier);
    return awake;
  }

 private:
  BoardLink& link_;
  bool asleep_ = false;
};

}  // namespace brv3
