#pragma once

#include <QCoreApplication>

#include "core/comm/Port.h"
#include "sim/SimPort.h"

namespace brv3::test {

// The in-process board behind a port that lets the event loop run while a reply is awaited, as
// the serial port of the program does: input that arrived meanwhile is handled inside the
// exchange.
class PumpingPort final : public Port {
 public:
  explicit PumpingPort(sim::SimPort& inner) : inner_(inner) {}

  bool IsOpen() const override { return inner_.IsOpen(); }
  bool WriteBytes(const uint8_t* data, size_t count) override {
    return inner_.WriteBytes(data, count);
  }
  int ReadBytes(uint8_t* buffer, int count) override {
    QCoreApplication::processEvents();
    return inner_.ReadBytes(buffer, count);
  }
  void PurgeReceive() override { inner_.PurgeReceive(); }
  void PurgeTransmit() override { inner_.PurgeTransmit(); }
  int TimeOutReceive() const override { return inner_.TimeOutReceive(); }
  void SetTimeOutReceive(int ms) override { inner_.SetTimeOutReceive(ms); }

 private:
  sim::SimPort& inner_;
};

}  // namespace brv3::test
