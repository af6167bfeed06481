#include "ui/app/ShellSettings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/util/IniFile.h"

namespace brv3 {

namespace {

constexpr const char* kSection = "BRV3";

// Loads the file when there is one. A file that exists but cannot be read must not be written
// over, or the other writers' keys would be lost.
bool LoadExisting(const std::string& path, IniFile& ini) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return !ec;
  return ini.LoadFile(path);
}

}  // namespace

ShellSettings ReadShellSettings(const std::string& path) {
  IniFile ini;
  ShellSettings s;
  if (!LoadExisting(path, ini)) return s;
  s.CommPort = ini.ReadInteger(kSection, "CommPort", 0);
  s.Grid = ini.ReadBool(kSection, "Grid", false);
  s.GridWidth =
      std::max(kMinGridSpacing, static_cast<int>(ini.ReadInteger(kSection, "GridWidth", 2)));
  s.GridHeight =
      std::max(kMinGridSpacing, static_cast<int>(ini.ReadInteger(kSection, "GridHeight", 2)));
  ini.SaveFile(path);
  return s;
}

bool WriteShellSettings(const std::string& path, const ShellSettings& settings) {
  IniFile ini;
  if (!LoadExisting(path, ini)) return false;
  if (!ini.SaveFile(path)) return false;
  ini.WriteInteger(kSection, "CommPort", settings.CommPort);
  ini.WriteBool(kSection, "Grid", settings.Grid);
  ini.WriteInteger(kSection, "GridWidth", settings.GridWidth);
  ini.WriteInteger(kSection, "GridHeight", settings.GridHeight);
  return ini.SaveFile(path);
}

}  // namespace brv3
