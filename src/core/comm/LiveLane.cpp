#include "core/comm/LiveLane.h"

#include <algorithm>
#include <utility>

namespace brv3 {

namespace {

bool SameTarget(const Bytes& a, const Bytes& b) {
  constexpr size_t kTargetBytes = 3;
  return a.size() >= kTargetBytes && b.size() >= kTargetBytes &&
         std::equal(a.begin(), a.begin() + kTargetBytes, b.begin());
}

}  // namespace

LiveLane::LiveLane(std::recursive_mutex& exchange, Send send)
    : exchange_(exchange), send_(std::move(send)) {
  thread_ = std::thread([this] { Run(); });
}

LiveLane::~LiveLane() {
  {
    std::lock_guard lock(lock_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void LiveLane::Post(Bytes frame) {
  {
    std::lock_guard lock(lock_);
    auto same = std::find_if(pending_.begin(), pending_.end(),
                             [&frame](const Bytes& queued) { return SameTarget(queued, frame); });
    if (same != pending_.end())
      *same = std::move(frame);
    else
      pending_.push_back(std::move(frame));
  }
  changed_.notify_all();
}

std::deque<Bytes> LiveLane::TakePending() {
  std::deque<Bytes> taken;
  {
    std::lock_guard lock(lock_);
    taken.swap(pending_);
  }
  changed_.notify_all();
  return taken;
}

void LiveLane::Drain() {
  std::unique_lock lock(lock_);
  changed_.wait(lock, [this] { return pending_.empty() && !sending_; });
}

std::optional<LinkFault> LiveLane::TakeOutcome() {
  std::lock_guard lock(lock_);
  return std::exchange(outcome_, std::nullopt);
}

void LiveLane::Run() {
  for (;;) {
    {
      std::unique_lock lock(lock_);
      changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
      if (pending_.empty()) return;  // stopping, and everything went out
    }
    // The frame is taken only once the line is ours: a command that holds it meanwhile may have
    // sent it already, and an older value must never follow a newer one.
    std::lock_guard exchange(exchange_);
    Bytes frame;
    {
      std::lock_guard lock(lock_);
      if (pending_.empty()) continue;
      frame = std::move(pending_.front());
      pending_.pop_front();
      sending_ = true;
    }
    const LinkFault fault = send_(frame);
    {
      std::lock_guard lock(lock_);
      sending_ = false;
      outcome_ = fault;
    }
    changed_.notify_all();
  }
}

}  // namespace brv3
