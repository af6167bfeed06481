#include "core/util/SafeFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <utility>

#include "core/util/Translate.h"

namespace brv3 {
namespace fs = std::filesystem;
namespace {

// Small enough to stay in the cache, large enough to keep the calls few.
constexpr uintmax_t kPieceSize = 64 * 1024;

// Links followed before a chain is taken for a loop (the system's own limit).
constexpr int kMaxLinkHops = 40;

fs::path FolderOf(const fs::path& p) {
  fs::path folder = p.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

bool MarkedReadOnly(const fs::file_status& st) {
  return fs::exists(st) && (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::string KindText(fs::file_type type) {
  switch (type) {
    case fs::file_type::directory:
      return Tr("SafeFile", "it is a folder");
    case fs::file_type::fifo:
      return Tr("SafeFile", "it is a FIFO");
    case fs::file_type::character:
    case fs::file_type::block:
      return Tr("SafeFile", "it is a device");
    case fs::file_type::socket:
      return Tr("SafeFile", "it is a socket");
    case fs::file_type::regular:
      return Tr("SafeFile", "it is a file, not a folder");
    default:
      return Tr("SafeFile", "it is not a regular file");
  }
}

// The file a save through `path` replaces: the end of its chain of symbolic links. nullopt when
// the chain does not end.
std::optional<fs::path> SaveTarget(const fs::path& path, std::string& error) {
  fs::path p = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(p, ec))) return p;
    fs::path next = fs::read_symlink(p, ec);
    if (ec) {
      error = ec.message();
      return std::nullopt;
    }
    p = next.is_absolute() ? next : FolderOf(p) / next;
  }
  error = std::strerror(ELOOP);
  return std::nullopt;
}

// Checks that the save target is absent or a writable regular file.
bool TargetUsable(const fs::path& target, std::string& error) {
  std::error_code ec;
  fs::file_status st = fs::status(target, ec);
  if (!fs::exists(st)) return true;
  if (!fs::is_regular_file(st)) {
    error = KindText(st.type());
    return false;
  }
  if (MarkedReadOnly(st)) {
    error = Tr("SafeFile", "the file is read-only");
    return false;
  }
  return true;
}

bool WriteNewFilePortably(const std::string& path, const std::string& content, std::string& error) {
  std::error_code ec;
  if (fs::exists(fs::symlink_status(path, ec))) {
    error = std::strerror(EEXIST);
    return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    error = std::strerror(errno);
    return false;
  }
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.flush();
  if (!out) {
    out.close();
    fs::remove(path, ec);
    error = Tr("SafeFile", "write error (disk full?)");
    return false;
  }
  return true;
}

FileSystemHooks& Hooks() {
  static FileSystemHooks hooks;
  return hooks;
}

bool WriteNewFile(const std::string& path, const std::string& content, std::string& error) {
  const auto write = Hooks().writeNewFile ? Hooks().writeNewFile : WriteNewFilePortably;
  return write(path, content, error);
}

void SyncFolder(const fs::path& folder) {
  if (Hooks().syncFolder) Hooks().syncFolder(folder.string());
}

std::string TempNameBeside(const fs::path& target, const char* tag = ".tmp") {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  std::ostringstream name;
  name << "." << target.filename().string() << tag << std::hex << rd() << counter++;
  return (FolderOf(target) / name.str()).string();
}

}  // namespace

void InstallFileSystemHooks(const FileSystemHooks& hooks) {
  Hooks() = hooks;
}

bool ReadFileInPieces(const std::string& path, const std::function<void(std::string_view)>& onPiece,
                      std::string* error, FileProblem* problem) {
  auto fail = [&](FileProblem why, const std::string& text) {
    if (error) *error = text;
    if (problem) *problem = why;
    return false;
  };
  if (problem) *problem = FileProblem::None;
  std::error_code ec;
  fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st))
    return fail(FileProblem::CannotOpen, ec ? ec.message() : std::strerror(ENOENT));
  if (!fs::is_regular_file(st)) return fail(FileProblem::NotARegularFile, KindText(st.type()));
  uintmax_t size = fs::file_size(path, ec);
  if (ec) return fail(FileProblem::CannotOpen, ec.message());
  if (size > kMaxInputFileSize)
    return fail(FileProblem::TooLarge, Tr("SafeFile", "it is larger than 256 MB"));
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail(FileProblem::CannotOpen, std::strerror(errno));
  // A file that grew since its size was taken is read on, within the limit.
  std::string buffer(std::min<uintmax_t>(size + 1, kPieceSize), '\0');
  uint64_t total = 0;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    auto got = static_cast<size_t>(in.gcount());
    total += got;
    if (total > kMaxInputFileSize)
      return fail(FileProblem::TooLarge, Tr("SafeFile", "it is larger than 256 MB"));
    if (got > 0) onPiece(std::string_view(buffer.data(), got));
  }
  if (in.bad()) return fail(FileProblem::ReadFailed, Tr("SafeFile", "read error"));
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error,
                                         FileProblem* problem) {
  std::string bytes;
  std::error_code ec;
  uintmax_t size = fs::file_size(path, ec);
  if (!ec && size <= kMaxInputFileSize) bytes.reserve(static_cast<size_t>(size));
  if (!ReadFileInPieces(
          path, [&bytes](std::string_view piece) { bytes.append(piece); }, error, problem))
    return std::nullopt;
  return bytes;
}

bool CanWriteFile(const std::string& path) {
  // An empty name names no file; the probe beside it would still succeed.
  if (path.empty()) return false;
  std::string error;
  auto target = SaveTarget(path, error);
  if (!target || !TargetUsable(*target, error)) return false;
  std::error_code ec;
  if (!fs::is_directory(FolderOf(*target), ec)) return false;
  std::string probe = TempNameBeside(*target);
  if (!WriteNewFile(probe, "", error)) return false;
  fs::remove(probe, ec);
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::string why;
  auto resolved = SaveTarget(path, why);
  if (!resolved || !TargetUsable(*resolved, why)) return fail(why);
  const fs::path& target = *resolved;
  std::error_code ec;
  std::string temp = TempNameBeside(target);
  // Made for the owner alone while it fills; only the finished file gets its lasting mode.
  if (!WriteNewFile(temp, content, why)) return fail(why);
  // Keep the permissions of the file being replaced; a new file gets what the umask allows.
  auto st = fs::status(target, ec);
  if (!ec && fs::exists(st))
    fs::permissions(temp, st.permissions(), ec);
  else if (Hooks().newFileMode && Hooks().newFileMode() >= 0)
    fs::permissions(temp, static_cast<fs::perms>(Hooks().newFileMode()), ec);
  // The target may have turned into something else meanwhile; never rename over that.
  if (!TargetUsable(target, why)) {
    fs::remove(temp, ec);
    return fail(why);
  }
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return fail(ec.message());
  }
  SyncFolder(FolderOf(target));
  return true;
}

FolderReplacement::FolderReplacement(RenameFn rename) : rename_(std::move(rename)) {
  if (!rename_)
    rename_ = [](const std::string& from, const std::string& to) {
      std::error_code ec;
      fs::rename(from, to, ec);
      return !ec;
    };
}

FolderReplacement::~FolderReplacement() {
  if (staging_.empty()) return;
  std::error_code ec;
  fs::remove_all(staging_, ec);
}

bool FolderReplacement::Begin(const std::string& target, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::string why;
  std::error_code ec;
  // "DIR/" and "DIR/." name DIR itself; the swap needs its name in its parent folder.
  fs::path named = fs::absolute(fs::path(target), ec).lexically_normal();
  if (ec) return fail(ec.message());
  if (!named.has_filename() && named.has_relative_path()) named = named.parent_path();
  auto resolved = SaveTarget(named, why);
  if (!resolved) return fail(why);
  fs::path folder = resolved->lexically_normal();
  if (!folder.has_filename() || folder.filename() == "..")
    return fail(Tr("SafeFile", "it cannot be replaced as a whole"));
  fs::file_status st = fs::status(folder, ec);
  if (fs::exists(st) && !fs::is_directory(st)) return fail(KindText(st.type()));
  fs::create_directories(folder.parent_path(), ec);
  if (ec) return fail(ec.message());
  std::string staging = TempNameBeside(folder);
  if (!fs::create_directory(staging, ec) || ec)
    return fail(ec ? ec.message() : Tr("SafeFile", "already there"));
  // The new folder keeps the permissions of the one it replaces.
  if (fs::exists(st)) fs::permissions(staging, st.permissions(), ec);
  target_ = folder.string();
  staging_ = std::move(staging);
  return true;
}

std::vector<std::string> FolderReplacement::RemoveStaleStaging(
    const std::function<bool(const std::string& name)>& isOurs) {
  std::vector<std::string> removed;
  if (staging_.empty()) return removed;
  const fs::path target(target_);
  const std::string prefix = "." + target.filename().string() + ".tmp";
  std::error_code ec;
  std::vector<fs::path> stale;
  for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& p = it->path();
    std::error_code kind;
    if (p.filename().string().rfind(prefix, 0) != 0 || p == fs::path(staging_) ||
        !it->is_directory(kind) || it->is_symlink(kind))
      continue;
    bool ours = true;
    std::error_code inner;
    for (fs::directory_iterator f(p, inner), fend; ours && !inner && f != fend; f.increment(inner))
      ours =
          f->is_regular_file(kind) && !f->is_symlink(kind) && isOurs(f->path().filename().string());
    if (ours && !inner) stale.push_back(p);
  }
  for (const fs::path& p : stale) {
    fs::remove_all(p, ec);
    if (!ec) removed.push_back(p.filename().string());
  }
  return removed;
}

bool FolderReplacement::Commit(std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (staging_.empty()) return fail(Tr("SafeFile", "nothing to put in place"));
  std::error_code ec;
  fs::file_status st = fs::symlink_status(target_, ec);
  SyncFolder(staging_);
  if (!fs::exists(st)) {
    if (!rename_(staging_, target_))
      return fail(Tr("SafeFile", "the new folder could not be moved in place"));
    staging_.clear();
    SyncFolder(FolderOf(target_));
    return true;
  }
  // The target may have turned into something else meanwhile; never move that aside.
  if (!fs::is_directory(st)) return fail(KindText(st.type()));
  const std::string aside = TempNameBeside(target_, ".old");
  if (!rename_(target_, aside))
    return fail(Tr("SafeFile", "the old folder could not be moved aside"));
  if (!rename_(staging_, target_)) {
    if (!rename_(aside, target_))
      return fail(Args(
          Tr("SafeFile", "the new folder could not be moved in place and the old one stays at %1"),
          {aside}));
    return fail(Tr("SafeFile", "the new folder could not be moved in place; the old one is back"));
  }
  staging_.clear();
  SyncFolder(FolderOf(target_));
  fs::remove_all(aside, ec);
  if (ec || fs::exists(fs::symlink_status(aside, ec))) leftBehind_ = aside;
  return true;
}

}  // namespace brv3
