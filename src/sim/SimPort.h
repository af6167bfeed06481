#pragma once

#include <string>
#include <vector>

#include "core/comm/Port.h"
#include "sim/Engine.h"

namespace brv3::sim {

// A Port wired straight to an in-process engine. Time is simulated: writing advances the
// engine's clock by each byte's time on a 115200 bit/s line, reading waits (in simulated time)
// for the reply bytes, at most the receive time-out. Nothing sleeps, so tests run fast.
class SimPort final : public Port {
 public:
  explicit SimPort(Engine& engine) : engine_(engine) {}

  bool IsOpen() const override { return open_; }
  bool WriteBytes(const uint8_t* data, size_t count) override;
  int ReadBytes(uint8_t* buffer, int count) override;
  void PurgeReceive() override;
  void PurgeTransmit() override {}
  int TimeOutReceive() const override { return timeOutMs_; }
  void SetTimeOutReceive(int ms) override { timeOutMs_ = ms; }

  // What crossed the line, one entry per burst: '>' host to board (one per WriteBytes), '<'
  // board to host (as the bytes arrived, read or purged).
  struct Burst {
    Nanos time;
    char direction;
    Bytes bytes;
  };
  const std::vector<Burst>& Log() const { return log_; }
  // The log as text without time stamps, one "> 0D" / "< 06" line per burst.
  std::string LogText() const;
  void ClearLog() { log_.clear(); }

  void Close() { open_ = false; }
  void Open() { open_ = true; }
  Engine& engine() { return engine_; }

 private:
  Engine& engine_;
  bool open_ = true;
  int timeOutMs_ = 300;
  void Arrive(const Bytes& bytes);

  Bytes received_;
  std::vector<Burst> log_;
};

}  // namespace brv3::sim
