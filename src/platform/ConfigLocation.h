#pragma once

#include <string>

namespace brv3::platform {

// What the settings folder is chosen from.
struct ConfigSources {
  std::string configDirVariable;  // $BRV3_CONFIG_DIR
  std::string programDir;         // the folder of the running program ("" when unknown)
  bool programDirWritable = false;
  std::string xdgConfigHome;  // $XDG_CONFIG_HOME
  std::string home;           // $HOME
  std::string tempDir;        // the system's temporary folder
};

// The folder that holds BRV3.ini and PATTERN.ini: $BRV3_CONFIG_DIR when set; else the program's
// own folder when it is writable and not under /usr (a portable install); else
// $XDG_CONFIG_HOME/brivane3 (~/.config/brivane3 when XDG_CONFIG_HOME is unset, the temporary
// folder's brivane3 without a home).
std::string ChooseConfigDir(const ConfigSources& sources);

// ChooseConfigDir for this process, the folder created on demand.
std::string ConfigDir();
std::string SettingsFilePath();  // ConfigDir() + "/BRV3.ini"
std::string PatternFilePath();   // ConfigDir() + "/PATTERN.ini"

}  // namespace brv3::platform
