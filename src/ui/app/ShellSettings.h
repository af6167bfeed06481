#pragma once

#include <string>

namespace brv3 {

// The main window's keys of section BRV3 in BRV3.ini.
struct ShellSettings {
  int CommPort = 0;
  bool Grid = false;
  int GridWidth = 2;
  int GridHeight = 2;
};

constexpr int kMinGridSpacing = 2;

// Reads the keys (defaults where missing, spacing at least kMinGridSpacing), then writes the file
// back as the start-up does; a failed write is ignored.
ShellSettings ReadShellSettings(const std::string& path);

// Loads the whole file, writes it back once as a test, then sets the four keys and writes it
// again, so every other key survives. False (nothing changed) when the file exists but cannot be
// read, or cannot be written.
bool WriteShellSettings(const std::string& path, const ShellSettings& settings);

}  // namespace brv3
