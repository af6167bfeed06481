#include "sim/SimPort.h"

#include <algorithm>

namespace brv3::sim {

bool SimPort::WriteBytes(const uint8_t* data, size_t count) {
  if (!open_) return false;
  if (count > 0) log_.push_back({engine_.Now(), '>', Bytes(data, data + count)});
  for (size_t i = 0; i < count; ++i) {
    // A byte reaches the board when its stop bit is done.
    engine_.Advance(kByteTimeNs);
    engine_.Receive(&data[i], 1);
  }
  return true;
}

int SimPort::ReadBytes(uint8_t* buffer, int count) {
  if (!open_) return -1;
  if (count <= 0) return 0;
  const Nanos deadline = engine_.Now() + static_cast<Nanos>(timeOutMs_) * kMillisecond;
  for (;;) {
    Arrive(engine_.TakeOutput(engine_.Now()));
    if (static_cast<int>(received_.size()) >= count) break;
    const Nanos next = engine_.NextOutputTime();
    if (engine_.Now() >= deadline) break;
    // Step to the next output byte, or in ticks so playback and reports get their turn.
    Nanos step = std::min(deadline, engine_.Now() + kTick);
    if (next >= 0) step = std::min(step, std::max(next, engine_.Now()));
    if (step == engine_.Now()) step = std::min(deadline, engine_.Now() + 1);
    engine_.AdvanceTo(step);
  }
  const int n = std::min(count, static_cast<int>(received_.size()));
  std::copy_n(received_.begin(), n, buffer);
  received_.erase(received_.begin(), received_.begin() + n);
  return n;
}

void SimPort::PurgeReceive() {
  Arrive(engine_.TakeOutput(engine_.Now()));
  received_.clear();
}

void SimPort::Arrive(const Bytes& bytes) {
  if (bytes.empty()) return;
  received_.insert(received_.end(), bytes.begin(), bytes.end());
  if (!log_.empty() && log_.back().direction == '<') {
    log_.back().bytes.insert(log_.back().bytes.end(), bytes.begin(), bytes.end());
  } else {
    log_.push_back({engine_.Now(), '<', bytes});
  }
}

std::string SimPort::LogText() const {
  std::string text;
  for (const Burst& burst : log_) {
    text += burst.direction;
    text += ' ';
    text += HexText(burst.bytes);
    text += '\n';
  }
  return text;
}

}  // namespace brv3::sim
