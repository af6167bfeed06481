#include "platform/PortAccess.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "core/util/Translate.h"

namespace brv3::platform {

namespace {

std::string GroupName(gid_t gid) {
  long size = sysconf(_SC_GETGR_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 4096);
  group entry{};
  group* found = nullptr;
  while (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20))
    buffer.resize(buffer.size() * 2);
  return found ? found->gr_name : std::string();
}

}  // namespace

AccessHint PermissionHint(const std::string& path) {
  AccessHint hint;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) hint.Group = GroupName(info.st_gid);
  if (hint.Group.empty() || hint.Group == "root") {
    // Joining root's group is no fix; the device must be handed to a group first.
    hint.Text = Args(Tr("PortAccess",
                        "permission denied: %1 is open to its owner only; a udev rule must give it "
                        "to the dialout group (GROUP=\"dialout\", MODE=\"0660\")"),
                     {path});
    return hint;
  }
  hint.Command = "sudo usermod -aG " + hint.Group + " $USER";
  hint.Text = Args(Tr("PortAccess",
                      "permission denied: %1 belongs to group %2, which you are not in. Join it "
                      "with \"%3\", then log out and in again"),
                   {path, hint.Group, hint.Command});
  return hint;
}

std::string PortProblem(const std::string& path) {
  if (faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) == 0) return "";
  const int error = errno;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Tr("PortAccess", "no such device");
    case EACCES:
    case EPERM: {
      const std::string group = PermissionHint(path).Group;
      return group.empty() ? Tr("PortAccess", "permission denied")
                           : Args(Tr("PortAccess", "permission denied (group %1)"), {group});
    }

    default:
      return std::generic_category().message(error);
  }
}

}  // namespace brv3::platform
