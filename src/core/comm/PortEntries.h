#pragma once

#include <string>
#include <vector>

namespace brv3 {

// A USB serial adapter as the system describes it.
struct SerialAdapter {
  std::string Device;  // the kernel's name for it, e.g. /dev/ttyUSB0
  std::string ById;    // its stable /dev/serial/by-id link; empty when there is none
  std::string Vendor;
  std::string Model;
  std::string Serial;
};

// What the adapter is called in the port list without its device: "Model (Serial)", the vendor
// standing in for a missing model, "USB serial adapter" for neither.
std::string AdapterName(const SerialAdapter& adapter);
// "FT232R USB UART (A50285BI) - /dev/ttyUSB0"
std::string AdapterCaption(const SerialAdapter& adapter);
// The path that finds the same adapter again after replugging: the by-id link where there is one.
std::string AdapterPath(const SerialAdapter& adapter);

// One entry of the port list.
struct PortEntry {
  enum class Kind { Off, Adapter, Com };
  Kind kind = Kind::Off;
  int Com = 0;          // n of COMn
  std::string Name;     // "OFF", "COM3" or the adapter's name; what the status texts call it
  std::string Caption;  // the list's text
  std::string Path;     // for an adapter, the path it opens

  static PortEntry Off();
  static PortEntry ComPort(int n);
  static PortEntry Adapter(const SerialAdapter& adapter);
  bool operator==(const PortEntry&) const = default;
};

// "OFF", then the adapters sorted by device, then "COM1" ... "COM20".
std::vector<PortEntry> PortEntries(std::vector<SerialAdapter> adapters);

// The index of COMn (n = 0 for "OFF") in `entries`; -1 when it is not there.
int IndexOfCom(const std::vector<PortEntry>& entries, int n);

}  // namespace brv3
