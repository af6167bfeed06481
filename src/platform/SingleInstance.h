#pragma once

#include <string>

#include "platform/RuntimeDir.h"

namespace brv3::platform {

// Holds an exclusive lock on a file named for `name` in RuntimeDir() for the object's life, so a
// second copy of the program can see that the first one runs. The kernel drops the lock when the
// process ends, however it ends.
class SingleInstance {
 public:
  explicit SingleInstance(const std::string& name = "BRV3");
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another holder has the lock. When the lock file cannot be made at all (the
  // folder is not safe, a link or another user's file is in the way) there is nothing to
  // compare against and the start is allowed; Problem() then says why.
  bool Acquired() const { return acquired_; }
  const std::string& LockPath() const { return path_; }
  const std::string& Problem() const { return problem_; }

 private:
  std::string path_;
  std::string problem_;
  int fd_ = -1;
  bool acquired_ = false;
};

}  // namespace brv3::platform
