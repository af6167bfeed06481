#include "platform/ConfigLocation.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace brv3::platform {
namespace fs = std::filesystem;

namespace {

std::string ProgramDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

std::string ConfigDir() {
  if (const char* dir = std::getenv("BRV3_CONFIG_DIR"); dir && *dir) return dir;
  std::string programDir = ProgramDir();
  if (!programDir.empty() && access(programDir.c_str(), W_OK) == 0 &&
      programDir.rfind("/usr", 0) != 0)
    return programDir;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = fs::path(home) / ".config";
  else
    base = fs::temp_directory_path();
  fs::path dir = base / "brivane3";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir.string();
}

std::string SettingsFilePath() {
  return ConfigDir() + "/BRV3.ini";
}
std::string PatternFilePath() {
  return ConfigDir() + "/PATTERN.ini";
}

}  // namespace brv3::platform
