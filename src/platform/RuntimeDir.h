#pragma once

#include <string>

namespace brv3::platform {

// The folder for per-session files (the instance lock, the message socket): $XDG_RUNTIME_DIR when
// set to an absolute path (the session's own folder), else the private folder PrivateRuntimeDir
// makes under /tmp. Empty, with the reason in `error`, when that folder is not safe to use.
std::string RuntimeDir(std::string* error = nullptr);

// BASE/brivane3-UID: created with mode 0700 when missing, and used only when it is a real folder
// (never a link followed) owned by this user with mode 0700, so no other user can plant a file,
// a link or a socket in it. Empty, with the reason in `error`, otherwise.
std::string PrivateRuntimeDir(const std::string& base, std::string* error = nullptr);

}  // namespace brv3::platform
