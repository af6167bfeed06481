#pragma once

#include <sys/types.h>
#include <string>

namespace brv3::platform {

// A private X server (Xvfb) started for this process, for drawing with OpenGL on a machine with
// no display: Mesa renders in software behind it. Stopped when the object goes.
class PrivateDisplay {
 public:
  PrivateDisplay() = default;
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // Starts the server and waits until it accepts clients; false with `error` set when it cannot.
  bool Start(std::string& error);
  // ":N" once started.
  const std::string& Name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

}  // namespace brv3::platform
