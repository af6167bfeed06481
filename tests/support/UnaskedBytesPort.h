#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>

#include "core/comm/Port.h"
#include "core/util/Bytes.h"

namespace brv3::test {

// A port that hands out the bytes a board sent on its own and records what is written.
class UnaskedBytesPort : public Port {
 public:
  std::deque<uint8_t> incoming;
  Bytes written;

  bool IsOpen() const override { return true; }
  bool WriteBytes(const uint8_t* data, size_t count) override {
    written.insert(written.end(), data, data + count);
    return true;
  }
  int ReadBytes(uint8_t* buffer, int count) override {
    int n = std::min<int>(count, static_cast<int>(incoming.size()));
    for (int i = 0; i < n; ++i) {
      buffer[i] = incoming.front();
      incoming.pop_front();
    }
    return n;
  }
  void PurgeReceive() override { incoming.clear(); }
  void PurgeTransmit() override {}
  int TimeOutReceive() const override { return 10; }
  void SetTimeOutReceive(int) override {}
};

}  // namespace brv3::test
