#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/comm/PortEntries.h"

namespace brv3::platform {

// The USB serial adapters the system has, and word of adapters coming and going. The platform
// implements it with libudev; tests put a fake in its place.
class SerialDeviceSource {
 public:
  virtual ~SerialDeviceSource() = default;
  // Every /dev/ttyUSB* and /dev/ttyACM* device present now.
  virtual std::vector<SerialAdapter> Enumerate() = 0;
  // A descriptor that becomes readable when an adapter is plugged in or pulled out; -1 when
  // hot-plug cannot be watched here.
  virtual int MonitorFd() = 0;
  // Takes what made MonitorFd readable; true when a serial device came or went, so that the list
  // is enumerated again.
  virtual bool TakeChanges() = 0;
};

// The system's adapters through libudev.
std::unique_ptr<SerialDeviceSource> MakeUdevSerialDevices();

// A udev property value with its \xNN escapes decoded (the _ENC properties keep a device's own
// spaces and punctuation that the plain ones replace with '_').
std::string DecodeUdevText(const std::string& encoded);

// True for the kernel names of USB serial adapters: ttyUSB<n> and ttyACM<n>.
bool IsAdapterDeviceName(const std::string& sysname);

}  // namespace brv3::platform
