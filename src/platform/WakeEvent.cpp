#include "platform/WakeEvent.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace brv3::platform {

WakeEvent::WakeEvent() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

WakeEvent::~WakeEvent() {
  ::close(fd_);
}

void WakeEvent::Set() {
  uint64_t one = 1;
  (void)!::write(fd_, &one, sizeof one);
}

void WakeEvent::Clear() {
  uint64_t value;
  (void)!::read(fd_, &value, sizeof value);
}

}  // namespace brv3::platform
