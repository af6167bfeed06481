#include "platform/ComPortName.h"

#include <cstdlib>

#include "core/util/IniFile.h"
#include "platform/ConfigLocation.h"

namespace brv3::platform {

std::string ComPortPath(int n) {
  std::string key = "COM" + std::to_string(n);
  if (const char* env = std::getenv(("BRV3_" + key).c_str()); env && *env) return env;
  IniFile ini;
  if (ini.LoadFile(SettingsFilePath())) {
    std::string path = ini.ReadString("Ports", key, "");
    if (!path.empty()) return path;
  }
  if (n >= 1 && n <= 10) return "/dev/ttyUSB" + std::to_string(n - 1);
  if (n >= 11 && n <= 20) return "/dev/ttyACM" + std::to_string(n - 11);
  return "/dev/ttyS" + std::to_string(n - 1);
}

std::string ResolvePortName(const std::string& name) {
  if (name.size() > 3 && FoldCase(name.substr(0, 3)) == "com") {
    auto n = ParseIniInteger(name.substr(3));
    if (n && *n >= 1 && *n <= 255 &&
        name.substr(3).find_first_not_of("0123456789") == std::string::npos)
      return ComPortPath(*n);
  }
  if (name.find('/') != std::string::npos) return name;
  return "";
}

}  // namespace brv3::platform
