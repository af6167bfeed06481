#include "platform/DurableFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3::platform {

bool WriteNewFileExclusive(const std::string& path, const std::string& content,
                           std::string& error) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  size_t done = 0;
  int failure = 0;
  while (done < content.size()) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure = n < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (failure == 0 && fsync(fd) != 0) failure = errno;
  if (close(fd) != 0 && failure == 0) failure = errno;
  if (failure != 0) {
    unlink(path.c_str());
    error = Args(Tr("DurableFiles", "write error (%1)"), {std::strerror(failure)});
    return false;
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

int UmaskFileMode() {
  // umask can only be read by setting it; the pair runs under a lock so that two savers in this
  // process never see the temporary value.
  static std::mutex lock;
  std::lock_guard<std::mutex> hold(lock);
  const mode_t mask = umask(0077);
  umask(mask);
  return static_cast<int>(0666 & ~mask);
}

void InstallDurableFileWrites() {
  FileSystemHooks hooks;
  hooks.writeNewFile = WriteNewFileExclusive;
  hooks.syncFolder = SyncFolder;
  hooks.newFileMode = UmaskFileMode;
  InstallFileSystemHooks(hooks);
}

}  // namespace brv3::platform
