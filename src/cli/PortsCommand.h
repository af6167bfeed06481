#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/comm/PortEntries.h"

namespace brv3::cli {

// One port the editor's list offers, with what --port takes for it and whether this user can
// open it.
struct PortListing {
  PortEntry entry;
  SerialAdapter adapter;  // for an adapter entry
  std::string port;       // the --port value: the adapter's path, or COMn
  std::string device;     // the device it opens
  std::string problem;    // why it cannot be opened; empty when it can
};

// Why `path` cannot be opened; empty when it can.
using ProblemCheck = std::function<std::string(const std::string& path)>;
// The device COMn opens.
using ComResolver = std::function<std::string(int n)>;

// The editor's list without "OFF": the adapters, then COM1..COM20.
std::vector<PortListing> ListPorts(const std::vector<SerialAdapter>& adapters,
                                   const ProblemCheck& problem, const ComResolver& com);

// A table for people, one line per port: the entry, the device, and "ok" or the problem.
void PrintPorts(const std::vector<PortListing>& ports, std::ostream& out);
// The same as a JSON array.
void PrintPortsJson(const std::vector<PortListing>& ports, std::ostream& out);
// Only the --port values, one a line (for shell completion).
void PrintPortNames(const std::vector<PortListing>& ports, std::ostream& out);

}  // namespace brv3::cli
