#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brv3 {

// No input the program reads comes near this size; anything larger is refused before reading.
constexpr uint64_t kMaxInputFileSize = 256ull << 20;  // 256 MB

// Why a file could not be read.
enum class FileProblem {
  None,
  CannotOpen,       // missing, no permission, ...
  NotARegularFile,  // a folder, FIFO, device or socket
  TooLarge,         // larger than kMaxInputFileSize
  ReadFailed,       // an error while reading
};

// Reads a whole regular file (following symbolic links); nullopt (with the reason in `error` and
// its class in `problem`) when it cannot be read. FIFOs and devices are never opened, so a read
// can neither block nor run without end.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr,
                                         FileProblem* problem = nullptr);

// The same checks, then hands the file to `onPiece` in pieces of up to 64 KB, so a reader can work
// through a large file without holding it whole. False (with `error` and `problem`) when the file
// cannot be read; pieces already handed over stay handed over.
bool ReadFileInPieces(const std::string& path, const std::function<void(std::string_view)>& onPiece,
                      std::string* error = nullptr, FileProblem* problem = nullptr);

// The system calls behind the writes below, which the core does not make itself. The programs
// install the system layer's (a temporary file created exclusively, never through a link, with
// owner-only access and flushed to the disk; the folder flushed after a rename; new files given
// the mode the user's umask allows); without them the standard library writes the files.
struct FileSystemHooks {
  // Creates `path`, which must not exist, holding `content`; false with the reason in `error`.
  bool (*writeNewFile)(const std::string& path, const std::string& content,
                       std::string& error) = nullptr;
  // Flushes the entries of `folder` (a rename in it) to the disk.
  void (*syncFolder)(const std::string& folder) = nullptr;
  // The permission bits a newly made file gets (0666 less the umask); -1 to leave them.
  int (*newFileMode)() = nullptr;
};
void InstallFileSystemHooks(const FileSystemHooks& hooks);

// Writes `content` to a temporary file in the target's folder and renames it over the target, so
// the old file stays intact when anything fails. A symbolic link is followed: the file it points
// at is replaced and the link stays. A target marked read-only, or one that is not a regular file
// (folder, FIFO, device, socket), is refused.
bool WriteFileAtomically(const std::string& path, const std::string& content,
                         std::string* error = nullptr);

// True when WriteFileAtomically could replace `path`: its (link-resolved) folder exists and
// accepts new files and the file itself, if present, is a regular file not marked read-only.
bool CanWriteFile(const std::string& path);

// Builds a folder's new content in a fresh folder beside it and swaps it in only when complete,
// so the folder holds either its old content or the whole new one, never a mix. A symbolic link
// is followed: the folder it points at is replaced and the link stays. A target that exists and
// is not a folder is refused. The new folder is removed again unless it was swapped in.
class FolderReplacement {
 public:
  // Renames `from` to `to`; the default is the file system's rename. Tests put a failing one in.
  using RenameFn = std::function<bool(const std::string& from, const std::string& to)>;

  explicit FolderReplacement(RenameFn rename = {});
  ~FolderReplacement();
  FolderReplacement(const FolderReplacement&) = delete;
  FolderReplacement& operator=(const FolderReplacement&) = delete;

  // Resolves `target`, creates its missing parent folders and the empty new folder beside it.
  bool Begin(const std::string& target, std::string* error = nullptr);
  // The folder that will be replaced (links resolved) and the new folder to fill.
  const std::string& Target() const { return target_; }
  const std::string& Staging() const { return staging_; }
  // Moves the old folder aside, the new one in and removes the old one. When the new one cannot
  // be moved in, the old one is put back and the new one removed.
  bool Commit(std::string* error = nullptr);
  // After a good Commit: the old folder's hidden name when it could not be removed, else empty.
  const std::string& LeftBehind() const { return leftBehind_; }
  // After Begin: removes the new folders that earlier replacements of the same target left
  // behind when they were killed, but only those whose every entry `isOurs` accepts (by name,
  // regular files only). Returns the names of the folders removed.
  std::vector<std::string> RemoveStaleStaging(
      const std::function<bool(const std::string& name)>& isOurs);

 private:
  RenameFn rename_;
  std::string target_, staging_, leftBehind_;
};

}  // namespace brv3
