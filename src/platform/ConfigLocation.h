#pragma once

#include <string>

namespace brv3::platform {

// The folder that holds BRV3.ini and PATTERN.ini: $BRV3_CONFIG_DIR when set; else the program's
// own folder when it is writable (a portable install); else $XDG_CONFIG_HOME/brivane3 (created on
// demand, ~/.config/brivane3 when XDG_CONFIG_HOME is unset).
std::string ConfigDir();
std::string SettingsFilePath();  // ConfigDir() + "/BRV3.ini"
std::string PatternFilePath();   // ConfigDir() + "/PATTERN.ini"

}  // namespace brv3::platform
