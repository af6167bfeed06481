#pragma once

#include <memory>

#include "core/util/Bytes.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"

namespace brv3::sim::test {

// A minimal host side for the tests: one transaction is attention byte, one answer byte, the
// frame with its checksum, then `replyLength` bytes (fewer when the board stays silent).
class SimHost {
 public:
  explicit SimHost(EngineOptions options = {})
      : engine_(std::make_unique<Board>(), options), port_(engine_) {}

  Engine& engine() { return engine_; }
  Board& board() { return engine_.board(); }
  SimPort& port() { return port_; }

  static Bytes Frame(Bytes body) {
    AppendChecksum(body);
    return body;
  }

  Bytes Read(int count) {
    Bytes buffer(static_cast<size_t>(count));
    const int n = port_.ReadBytes(buffer.data(), count);
    buffer.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return buffer;
  }
  void Write(const Bytes& bytes) { port_.WriteBytes(bytes.data(), bytes.size()); }

  // Attention then frame; returns what came back within the time-out. An empty result when the
  // attention byte got no answer.
  Bytes Transact(const Bytes& body, int replyLength) {
    port_.PurgeReceive();
    Write({0x0D});
    if (Read(1).size() != 1) return {};
    port_.PurgeReceive();
    Write(Frame(body));
    if (replyLength == 0) return {};
    return Read(replyLength);
  }
  bool Acked(const Bytes& body) { return Transact(body, 1) == Bytes{0x06}; }

  void Wait(Nanos time) { engine_.Advance(time); }

 private:
  Engine engine_;
  SimPort port_;
};

inline Bytes PoseBytes(uint8_t speed, uint16_t word) {
  Bytes pose{speed};
  for (int c = 0; c < 24; ++c) {
    pose.push_back(static_cast<uint8_t>(word >> 8));
    pose.push_back(static_cast<uint8_t>(word & 0xFF));
  }
  return pose;
}

inline Bytes Concat(Bytes a, const Bytes& b) {
  a.reserve(a.size() + b.size());
  for (uint8_t x : b) a.push_back(x);
  return a;
}

}  // namespace brv3::sim::test
