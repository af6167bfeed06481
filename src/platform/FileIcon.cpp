#include "platform/FileIcon.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/util/SafeFile.h"

extern char** environ;

namespace brv3::platform {
namespace fs = std::filesystem;

namespace {

std::string MimePackageText() {
  return std::string(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
             "  <mime-type type=\"") +
         kQvbMimeType +
         "\">\n"
         "    <comment>QVB DataFile</comment>\n"
         "    <icon name=\"brivane3\"/>\n"
         "    <glob pattern=\"*.qvb\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopText(const std::string& programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Brivane 3\n"
         "Comment=QVB DataFile\n"
         "Exec=" +
         DesktopExecArgument(programPath) +
         " %f\n"
         "Icon=brivane3\n"
         "MimeType=" +
         kQvbMimeType +
         ";\n"
         "NoDisplay=true\n"
         "Terminal=false\n";
}

// Runs a cache tool quietly when it is installed; its outcome does not matter to the caller.
void RunIfPresent(const std::string& tool, const std::string& arg) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv{const_cast<char*>(tool.c_str()), const_cast<char*>(arg.c_str()), nullptr};
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

bool RemoveFile(const std::string& path, std::string* error) {
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) {
    if (error) *error = path + ": " + ec.message();
    return false;
  }
  return true;
}

bool WriteWithFolder(const std::string& path, const std::string& text, std::string* error) {
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  if (ec) {
    if (error) *error = fs::path(path).parent_path().string() + ": " + ec.message();
    return false;
  }
  return WriteFileAtomically(path, text, error);
}

}  // namespace

std::string DataHome() {
  if (const char* dir = std::getenv("XDG_DATA_HOME"); dir && *dir) return dir;
  if (const char* home = std::getenv("HOME"); home && *home)
    return (fs::path(home) / ".local" / "share").string();
  return (fs::temp_directory_path() / "brivane3-data").string();
}

std::string MimePackagePath() {
  return DataHome() + "/mime/packages/brivane3-qvb.xml";
}
std::string AssociationDesktopPath() {
  return DataHome() + "/applications/brivane3-qvb.desktop";
}

bool FileIconInstalled() {
  std::error_code ec;
  return fs::exists(MimePackagePath(), ec);
}

bool SetFileIcon(bool on, const std::string& programPath, std::string* error) {
  bool ok;
  if (on) {
    ok = WriteWithFolder(MimePackagePath(), MimePackageText(), error) &&
         WriteWithFolder(AssociationDesktopPath(), DesktopText(programPath), error);
  } else {
    ok = RemoveFile(AssociationDesktopPath(), error) && RemoveFile(MimePackagePath(), error);
  }
  std::error_code ec;
  if (fs::is_directory(DataHome() + "/mime", ec))
    RunIfPresent("update-mime-database", DataHome() + "/mime");
  if (fs::is_directory(DataHome() + "/applications", ec))
    RunIfPresent("update-desktop-database", DataHome() + "/applications");
  return ok;
}

std::string DesktopExecArgument(const std::string& arg) {
  bool plain = !arg.empty();
  for (char c : arg) {
    if (!(isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '.' || c == '-' || c == '_' ||
          c == '+' || c == ',' || c == ':' || static_cast<unsigned char>(c) >= 0x80))
      plain = false;
  }
  // Inside quotes ", `, $ and \ take a backslash; the key file syntax then doubles each
  // backslash, and a literal % is written %%.
  std::string quoted;
  for (char c : arg) {
    if (c == '\\') {
      quoted += "\\\\\\\\";
      continue;
    }
    if (c == '"' || c == '`' || c == '$') quoted += "\\\\";
    if (c == '%') {
      quoted += "%%";
      continue;
    }
    if (c == '\n') {
      quoted += "\\n";
      continue;
    }
    quoted += c;
  }
  return plain ? quoted : "\"" + quoted + "\"";
}

}  // namespace brv3::platform
