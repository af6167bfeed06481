#pragma once

#include <string>

namespace brv3::platform {

// Creates `path` with O_EXCL|O_NOFOLLOW|O_CLOEXEC and mode 0600 (so nothing already there, a
// link included, is ever written through, and no other user can open it while it fills), writes
// `content` and flushes it to the disk. On failure nothing is left behind and `error` says why.
bool WriteNewFileExclusive(const std::string& path, const std::string& content, std::string& error);

// Flushes a folder's entries to the disk (after a rename in it); failures are ignored.
void SyncFolder(const std::string& folder);

// 0666 less the process's umask.
int UmaskFileMode();

// Makes every file the program saves go through the three above.
void InstallDurableFileWrites();

}  // namespace brv3::platform
