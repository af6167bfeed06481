#include <libudev.h>

#include <cctype>
#include <cstring>

#include "platform/SerialDevices.h"

namespace brv3::platform {

namespace {

std::string Property(udev_device* device, const char* name) {
  const char* value = udev_device_get_property_value(device, name);
  return value ? value : "";
}

// The encoded property where the device has one, else the plain one with '_' read as spaces,
// else the hardware database's name.
std::string Described(udev_device* device, const char* encoded, const char* plain,
                      const char* database) {
  std::string text = DecodeUdevText(Property(device, encoded));
  if (text.empty()) {
    text = Property(device, plain);
    for (char& c : text)
      if (c == '_') c = ' ';
  }
  if (text.empty()) text = Property(device, database);
  return text;
}

std::string ByIdLink(udev_device* device) {
  for (udev_list_entry* link = udev_device_get_devlinks_list_entry(device); link;
       link = udev_list_entry_get_next(link)) {
    const std::string path = udev_list_entry_get_name(link);
    if (path.rfind("/dev/serial/by-id/", 0) == 0) return path;
  }
  return "";
}

class UdevSerialDevices final : public SerialDeviceSource {
 public:
  UdevSerialDevices() : udev_(udev_new()) {
    if (!udev_) return;
    // Events from the udev daemon arrive after its rules ran, so the by-id links exist by then.
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ &&
        (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0 ||
         udev_monitor_enable_receiving(monitor_) < 0)) {
      udev_monitor_unref(monitor_);
      monitor_ = nullptr;
    }
  }
  ~UdevSerialDevices() override {
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
  }
  UdevSerialDevices(const UdevSerialDevices&) = delete;
  UdevSerialDevices& operator=(const UdevSerialDevices&) = delete;

  std::vector<SerialAdapter> Enumerate() override {
    std::vector<SerialAdapter> adapters;
    if (!udev_) return adapters;
    udev_enumerate* scan = udev_enumerate_new(udev_);
    if (!scan) return adapters;
    udev_enumerate_add_match_subsystem(scan, "tty");
    // Only these names are looked at closer; a machine has a hundred other terminals.
    udev_enumerate_add_match_sysname(scan, "ttyUSB*");
    udev_enumerate_add_match_sysname(scan, "ttyACM*");
    udev_enumerate_scan_devices(scan);
    for (udev_list_entry* entry = udev_enumerate_get_list_entry(scan); entry;
         entry = udev_list_entry_get_next(entry)) {
      udev_device* device = udev_device_new_from_syspath(udev_, udev_list_entry_get_name(entry));
      if (!device) continue;
      const char* sysname = udev_device_get_sysname(device);
      const char* node = udev_device_get_devnode(device);
      if (sysname && node && IsAdapterDeviceName(sysname)) {
        SerialAdapter adapter;
        adapter.Device = node;
        adapter.ById = ByIdLink(device);
        adapter.Vendor = Described(device, "ID_VENDOR_ENC", "ID_VENDOR", "ID_VENDOR_FROM_DATABASE");
        adapter.Model = Described(device, "ID_MODEL_ENC", "ID_MODEL", "ID_MODEL_FROM_DATABASE");
        adapter.Serial = Property(device, "ID_SERIAL_SHORT");
        adapters.push_back(std::move(adapter));
      }
      udev_device_unref(device);
    }
    udev_enumerate_unref(scan);
    return adapters;
  }

  int MonitorFd() override { return monitor_ ? udev_monitor_get_fd(monitor_) : -1; }

  bool TakeChanges() override {
    if (!monitor_) return false;
    bool changed = false;
    // The socket is non-blocking: this reads what is there and stops.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
      const char* sysname = udev_device_get_sysname(device);
      const char* action = udev_device_get_action(device);
      if (sysname && IsAdapterDeviceName(sysname) && action &&
          (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0 ||
           std::strcmp(action, "change") == 0))
        changed = true;
      udev_device_unref(device);
    }
    return changed;
  }

 private:
  udev* udev_ = nullptr;
  udev_monitor* monitor_ = nullptr;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::unique_ptr<SerialDeviceSource> MakeUdevSerialDevices() {
  return std::make_unique<UdevSerialDevices>();
}

std::string DecodeUdevText(const std::string& encoded) {
  std::string text;
  for (size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '\\' && i + 3 < encoded.size() && encoded[i + 1] == 'x') {
      const int high = HexDigit(encoded[i + 2]);
      const int low = HexDigit(encoded[i + 3]);
      if (high >= 0 && low >= 0) {
        text += static_cast<char>(high * 16 + low);
        i += 3;
        continue;
      }
    }
    text += encoded[i];
  }
  // Devices pad their strings with spaces.
  const size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  const size_t start = text.find_first_not_of(' ');
  text.erase(0, start == std::string::npos ? text.size() : start);
  return text;
}

bool IsAdapterDeviceName(const std::string& sysname) {
  if (sysname.size() <= 6) return false;
  if (sysname.compare(0, 6, "ttyUSB") != 0 && sysname.compare(0, 6, "ttyACM") != 0) return false;
  for (size_t i = 6; i < sysname.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(sysname[i]))) return false;
  return true;
}

}  // namespace brv3::platform
