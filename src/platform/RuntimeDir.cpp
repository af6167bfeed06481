#include "platform/RuntimeDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/util/Translate.h"

namespace brv3::platform {
namespace {

// `what` says what is wrong with the folder, as a whole clause naming it.
std::string Unsafe(std::string* error, const std::string& what) {
  if (error)
    *error = Args(Tr("RuntimeDir",
                     "%1; it is not private to this user, so the program keeps no lock or "
                     "message socket there"),
                  {what});
  return {};
}

std::string Failed(std::string* error, const char* what, const std::string& path) {
  const std::string cause = std::strerror(errno);
  return Unsafe(error, Args(Tr("RuntimeDir", what), {path, cause}));
}

}  // namespace

std::string PrivateRuntimeDir(const std::string& base, std::string* error) {
  const std::string path = base + "/brivane3-" + std::to_string(getuid());
  if (mkdir(path.c_str(), 0700) == 0) {
    // A strict umask must not leave the new folder unusable to its owner.
    chmod(path.c_str(), 0700);
  } else if (errno != EEXIST) {
    return Failed(error, BRV3_TR_NOOP("RuntimeDir", "The folder %1 cannot be made (%2)"), path);
  }
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0)
    return Failed(error, BRV3_TR_NOOP("RuntimeDir", "The folder %1 cannot be examined (%2)"), path);
  if (S_ISLNK(st.st_mode))
    return Unsafe(error, Args(Tr("RuntimeDir", "The folder %1 is a symbolic link"), {path}));
  if (!S_ISDIR(st.st_mode))
    return Unsafe(error, Args(Tr("RuntimeDir", "The folder %1 is not a folder"), {path}));
  if (st.st_uid != getuid())
    return Unsafe(error, Args(Tr("RuntimeDir", "The folder %1 belongs to another user (uid %2)"),
                              {path, std::to_string(st.st_uid)}));
  if ((st.st_mode & 07777) != 0700) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return Unsafe(error,
                  Args(Tr("RuntimeDir", "The folder %1 has mode %2, not 0700"), {path, mode}));
  }

  return path;
}

std::string RuntimeDir(std::string* error) {
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && dir[0] == '/') return dir;
  return PrivateRuntimeDir("/tmp", error);
}

}  // namespace brv3::platform
