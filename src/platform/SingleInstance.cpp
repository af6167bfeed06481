#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/util/Translate.h"

namespace brv3::platform {

SingleInstance::SingleInstance(const std::string& name) {
  acquired_ = true;
  const std::string dir = RuntimeDir(&problem_);
  if (dir.empty()) return;
  path_ = dir + "/brivane3-" + name + ".lock";

  // Never through a link, and never another user's file: either would let someone else hold the
  // lock or make this program create a file where they choose.
  fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) {
    const std::string cause = std::strerror(errno);
    problem_ = Args(Tr("SingleInstance", "The lock file %1 cannot be used (%2)"), {path_, cause});
    return;
  }
  struct stat st {};
  if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
    problem_ = Args(Tr("SingleInstance", "The lock file %1 is not this user's file"), {path_});
    close(fd_);
    fd_ = -1;
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
