#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brv3 {

// The main window's keys of section BRV3 in BRV3.ini.
struct ShellSettings {
  int CommPort = 0;
  bool Grid = false;
  int GridWidth = 2;
  int GridHeight = 2;
  // The adapter chosen by its stable path (CommPort is 0 then); empty for none.
  std::string CommPortDevice{};
};

constexpr int kMinGridSpacing = 2;

// Reads the keys (defaults where missing, spacing at least kMinGridSpacing). The file is never
// rewritten: a missing one is created empty, an existing one is left as it is. When the file
// exists but cannot be read as text, `problem` gets a status-line message saying so.
ShellSettings ReadShellSettings(const std::string& path, std::string* problem = nullptr);

// Sets keys of one section of a settings file; every other line stays byte for byte. False
// (nothing changed) when the file exists but cannot be read as text, or cannot be written.
bool WriteSettingsKeys(const std::string& path, std::string_view section,
                       const std::vector<std::pair<std::string, std::string>>& keys);

// Sets the four keys in the file, and CommPortDevice where it has a value or the file has one;
// every line the program does not own stays byte for byte. False (nothing changed) when the file
// exists but cannot be read as text, or cannot be written.
bool WriteShellSettings(const std::string& path, const ShellSettings& settings);

}  // namespace brv3
