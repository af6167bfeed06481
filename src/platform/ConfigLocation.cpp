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

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool UnderUsr(const std::string& dir) {
  return dir == "/usr" || dir.rfind("/usr/", 0) == 0;
}

}  // namespace

std::string ChooseConfigDir(const ConfigSources& sources) {
  if (!sources.configDirVariable.empty()) return sources.configDirVariable;
  if (!sources.programDir.empty() && sources.programDirWritable && !UnderUsr(sources.programDir))
    return sources.programDir;
  fs::path base;
  if (!sources.xdgConfigHome.empty())
    base = sources.xdgConfigHome;
  else if (!sources.home.empty())
    base = fs::path(sources.home) / ".config";
  else
    base = sources.tempDir;
  return (base / "brivane3").string();
}

std::string ConfigDir() {
  ConfigSources sources;
  sources.configDirVariable = Variable("BRV3_CONFIG_DIR");
  if (sources.configDirVariable.empty()) {
    sources.programDir = ProgramDir();
    sources.programDirWritable =
        !sources.programDir.empty() && access(sources.programDir.c_str(), W_OK) == 0;
    sources.xdgConfigHome = Variable("XDG_CONFIG_HOME");
    sources.home = Variable("HOME");
    std::error_code ec;
    sources.tempDir = fs::temp_directory_path(ec).string();
    if (ec) sources.tempDir = "/tmp";
  }
  const std::string dir = ChooseConfigDir(sources);
  if (sources.configDirVariable.empty()) {
    std::error_code ec;
    fs::create_directories(dir, ec);
  }
  return dir;
}

std::string SettingsFilePath() {
  return ConfigDir() + "/BRV3.ini";
}
std::string PatternFilePath() {
  return ConfigDir() + "/PATTERN.ini";
}

}  // namespace brv3::platform
