#pragma once

#include <string>

namespace brv3::platform {

// The device path of COM port n: $BRV3_COMn when set, else key COMn of section Ports in BRV3.ini,
// else /dev/ttyUSB(n-1) for n = 1..10 and /dev/ttyACM(n-11) for n = 11..20.
std::string ComPortPath(int n);

// Accepts "COMn" (any case, n = 1..255) or a device path; returns the device path, or an empty
// string when `name` is neither.
std::string ResolvePortName(const std::string& name);

}  // namespace brv3::platform
