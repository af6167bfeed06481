#pragma once

#include <string>

namespace brv3::platform {

// The folder for per-session files (the instance lock, the message socket): $XDG_RUNTIME_DIR when
// set, else /tmp.
std::string RuntimeDir();

// Holds an exclusive lock on a file named for `name` in RuntimeDir() for the object's life, so a
// second copy of the program can see that the first one runs. The kernel drops the lock when the
// process ends, however it ends.
class SingleInstance {
 public:
  explicit SingleInstance(const std::string& name = "BRV3");
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another holder has the lock. When the lock file cannot be made at all there is
  // nothing to compare against, and the start is allowed.
  bool Acquired() const { return acquired_; }
  const std::string& LockPath() const { return path_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool acquired_ = false;
};

}  // namespace brv3::platform
