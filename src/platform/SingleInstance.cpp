#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace brv3::platform {

std::string RuntimeDir() {
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) return dir;
  return "/tmp";
}

SingleInstance::SingleInstance(const std::string& name) {
  // /tmp is shared by every user, so the name carries the user id there.
  std::string dir = RuntimeDir();
  std::string file = "brivane3-" + name + ".lock";
  if (dir == "/tmp") file = "brivane3-" + std::to_string(getuid()) + "-" + name + ".lock";
  path_ = dir + "/" + file;

  fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) {
    acquired_ = true;
    return;
  }
  int rc;
  do {
    rc = flock(fd_, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  acquired_ = rc == 0;
  if (!acquired_) {
    close(fd_);
    fd_ = -1;
  }
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace brv3::platform
