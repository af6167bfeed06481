#include "platform/RuntimeDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace brv3::platform {
namespace {

std::string Unsafe(std::string* error, const std::string& path, const std::string& why) {
  if (error)
    *error = "The folder " + path + " " + why +
             "; it is not private to this user, so the program keeps no lock or message "
             "socket there";
  return {};
}

}  // namespace

std::string PrivateRuntimeDir(const std::string& base, std::string* error) {
  const std::string path = base + "/brivane3-" + std::to_string(getuid());
  if (mkdir(path.c_str(), 0700) == 0) {
    // A strict umask must not leave the new folder unusable to its owner.
    chmod(path.c_str(), 0700);
  } else if (errno != EEXIST) {
    return Unsafe(error, path, std::string("cannot be made (") + std::strerror(errno) + ")");
  }
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0)
    return Unsafe(error, path, std::string("cannot be examined (") + std::strerror(errno) + ")");
  if (S_ISLNK(st.st_mode)) return Unsafe(error, path, "is a symbolic link");
  if (!S_ISDIR(st.st_mode)) return Unsafe(error, path, "is not a folder");
  if (st.st_uid != getuid())
    return Unsafe(error, path, "belongs to another user (uid " + std::to_string(st.st_uid) + ")");
  if ((st.st_mode & 07777) != 0700) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return Unsafe(error, path, std::string("has mode ") + mode + ", not 0700");
  }
  return path;
}

std::string RuntimeDir(std::string* error) {
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && dir[0] == '/') return dir;
  return PrivateRuntimeDir("/tmp", error);
}

}  // namespace brv3::platform
