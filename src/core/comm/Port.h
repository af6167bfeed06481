#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

namespace brv3 {

// What the transaction layer needs of a serial port. The platform serial component implements it
// over a device; tests implement it over an in-process simulated board.
class Port {
 public:
  virtual ~Port() = default;

  virtual bool IsOpen() const = 0;
  // Queues `count` bytes for sending, in order; false when the port is closed.
  virtual bool WriteBytes(const uint8_t* data, size_t count) = 0;
  // Reads up to `count` bytes, waiting at most TimeOutReceive() ms for all of them. Returns the
  // number read, or -1 when the port is closed or the read fails.
  virtual int ReadBytes(uint8_t* buffer, int count) = 0;
  // Drops everything received and not yet read.
  virtual void PurgeReceive() = 0;
  // Drops everything queued and not yet sent.
  virtual void PurgeTransmit() = 0;
  virtual int TimeOutReceive() const = 0;
  virtual void SetTimeOutReceive(int ms) = 0;
  // Held for the whole of each exchange by whoever makes it, when exchanges can come from more
  // than one thread (live frames go out from a thread of their own); null for a port used from
  // one thread only.
  virtual std::recursive_mutex* ExchangeLock() { return nullptr; }
};

}  // namespace brv3
