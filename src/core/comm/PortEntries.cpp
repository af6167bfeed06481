#include "core/comm/PortEntries.h"

#include <algorithm>

#include "core/util/Translate.h"

namespace brv3 {

namespace {

constexpr int kComEntries = 20;

}  // namespace

std::string AdapterName(const SerialAdapter& adapter) {
  std::string name = !adapter.Model.empty()    ? adapter.Model
                     : !adapter.Vendor.empty() ? adapter.Vendor
                                               : Tr("PortEntries", "USB serial adapter");
  if (!adapter.Serial.empty()) name += " (" + adapter.Serial + ")";
  return name;
}

std::string AdapterCaption(const SerialAdapter& adapter) {
  return AdapterName(adapter) + " - " + adapter.Device;
}

std::string AdapterPath(const SerialAdapter& adapter) {
  return adapter.ById.empty() ? adapter.Device : adapter.ById;
}

PortEntry PortEntry::Off() {
  return {Kind::Off, 0, "OFF", "OFF", ""};
}

PortEntry PortEntry::ComPort(int n) {
  const std::string name = "COM" + std::to_string(n);
  return {Kind::Com, n, name, name, ""};
}

PortEntry PortEntry::Adapter(const SerialAdapter& adapter) {
  return {Kind::Adapter, 0, AdapterName(adapter), AdapterCaption(adapter), AdapterPath(adapter)};
}

std::vector<PortEntry> PortEntries(std::vector<SerialAdapter> adapters) {
  // ttyUSB10 after ttyUSB9: shorter names first, then by name.
  std::sort(adapters.begin(), adapters.end(), [](const SerialAdapter& a, const SerialAdapter& b) {
    if (a.Device.size() != b.Device.size()) return a.Device.size() < b.Device.size();
    return a.Device < b.Device;
  });
  std::vector<PortEntry> entries{PortEntry::Off()};
  for (const SerialAdapter& adapter : adapters) entries.push_back(PortEntry::Adapter(adapter));
  for (int n = 1; n <= kComEntries; ++n) entries.push_back(PortEntry::ComPort(n));
  return entries;
}

int IndexOfCom(const std::vector<PortEntry>& entries, int n) {
  for (size_t i = 0; i < entries.size(); ++i) {
    const PortEntry& e = entries[i];
    if ((n == 0 && e.kind == PortEntry::Kind::Off) ||
        (e.kind == PortEntry::Kind::Com && e.Com == n))
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace brv3
