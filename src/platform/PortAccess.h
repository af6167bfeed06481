#pragma once

#include <string>

namespace brv3::platform {

// Why the user may not open the device at `path`, and how to change that.
struct AccessHint {
  std::string Group;    // the group that owns the device; empty when unknown
  std::string Text;     // "permission denied: /dev/ttyUSB0 belongs to group dialout, ..."
  std::string Command;  // "sudo usermod -aG dialout $USER"; empty when joining a group won't do
};
AccessHint PermissionHint(const std::string& path);

// Why this user cannot open the device at `path` for reading and writing ("no such device",
// "permission denied (group dialout)"); empty when it can. Checked without opening the device,
// which could reset a board that restarts when its DTR line drops.
std::string PortProblem(const std::string& path);

}  // namespace brv3::platform
