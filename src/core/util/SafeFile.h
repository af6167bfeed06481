#pragma once

#include <optional>
#include <string>

namespace brv3 {

// Reads a whole file; nullopt (with the reason in `error`) when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr);

// Writes `content` to a temporary file in the target's folder and renames it over the target, so
// the old file stays intact when anything fails. A target marked read-only is refused.
bool WriteFileAtomically(const std::string& path, const std::string& content,
                         std::string* error = nullptr);

// True when WriteFileAtomically could replace `path`: its folder exists and accepts new files and
// the file itself, if present, is not marked read-only.
bool CanWriteFile(const std::string& path);

}  // namespace brv3
