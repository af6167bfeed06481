#pragma once

#include <string>

namespace brv3::platform {

// The .qvb file association of the desktop: a shared-mime-info package that names *.qvb files and
// a .desktop entry that opens them with the program, both under $XDG_DATA_HOME
// (~/.local/share when unset).
constexpr const char* kQvbMimeType = "application/x-brivane3-qvb";

std::string DataHome();
std::string MimePackagePath();         // DataHome()/mime/packages/brivane3-qvb.xml
std::string AssociationDesktopPath();  // DataHome()/applications/brivane3-qvb.desktop

// True when the association is in place (the MIME package file exists).
bool FileIconInstalled();

// Writes (on) or removes (off) both files, then refreshes the desktop's MIME and application
// caches with update-mime-database / update-desktop-database where those tools are installed.
// `programPath` is the executable the association starts with the file as its first argument.
// False with the reason in `error` when a file cannot be written or removed.
bool SetFileIcon(bool on, const std::string& programPath, std::string* error = nullptr);

// `arg` as one argument of a .desktop Exec line, quoted and escaped where it needs to be.
std::string DesktopExecArgument(const std::string& arg);

}  // namespace brv3::platform
