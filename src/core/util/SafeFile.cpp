#include "core/util/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace brv3 {
namespace fs = std::filesystem;
namespace {

fs::path FolderOf(const fs::path& p) {
  fs::path folder = p.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

bool MarkedReadOnly(const fs::path& p) {
  std::error_code ec;
  auto st = fs::status(p, ec);
  if (ec || !fs::exists(st)) return false;
  return (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::string TempNameBeside(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  std::ostringstream name;
  name << "." << target.filename().string() << ".tmp" << std::hex << rd() << counter++;
  return (FolderOf(target) / name.str()).string();
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    if (error) *error = std::strerror(EISDIR);
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = std::strerror(errno);
    return std::nullopt;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) {
    if (error) *error = "read error";
    return std::nullopt;
  }
  return ss.str();
}

bool CanWriteFile(const std::string& path) {
  std::error_code ec;
  fs::path target(path);
  if (fs::is_directory(target, ec) || MarkedReadOnly(target)) return false;
  if (!fs::is_directory(FolderOf(target), ec)) return false;
  std::string probe = TempNameBeside(target);
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    if (!out) return false;
  }
  fs::remove(probe, ec);
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::error_code ec;
  fs::path target(path);
  if (fs::is_directory(target, ec)) return fail(std::strerror(EISDIR));
  if (MarkedReadOnly(target)) return fail("the file is read-only");
  std::string temp = TempNameBeside(target);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return fail(std::strerror(errno));
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return fail("write error (disk full?)");
    }
  }
  // Keep the permissions of the file being replaced.
  auto st = fs::status(target, ec);
  if (!ec && fs::exists(st)) fs::permissions(temp, st.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return fail(ec.message());
  }
  return true;
}

}  // namespace brv3
