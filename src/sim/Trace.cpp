#include "sim/Trace.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace brv3::sim {

Trace::~Trace() {
  if (file_) std::fclose(file_);
}

bool Trace::Open(const std::string& path, std::string* error) {
  // Opening a FIFO or a device for writing could block the start or never end; only a regular
  // file (or a new one) is written.
  std::error_code ec;
  const std::filesystem::file_status st = std::filesystem::status(path, ec);
  if (std::filesystem::exists(st) && !std::filesystem::is_regular_file(st)) {
    if (error)
      *error = path + ": " +
               (std::filesystem::is_fifo(st)        ? "it is a FIFO"
                : std::filesystem::is_directory(st) ? "it is a folder"
                                                    : "it is not a regular file");
    return false;
  }
  file_ = std::fopen(path.c_str(), "w");
  if (!file_ && error) *error = path + ": " + std::strerror(errno);
  return file_ != nullptr;
}

void Trace::Write(double seconds, char direction, const uint8_t* data, size_t count) {
  if (!file_ || count == 0) return;
  const std::string line = TraceLine(seconds, direction, data, count);
  std::fputs(line.c_str(), file_);
  std::fflush(file_);
}

std::string TraceLine(double seconds, char direction, const uint8_t* data, size_t count) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%.6f %c", seconds, direction);
  std::string line = stamp;
  static const char* kDigits = "0123456789ABCDEF";
  for (size_t i = 0; i < count; ++i) {
    line += ' ';
    line += kDigits[data[i] >> 4];
    line += kDigits[data[i] & 15];
  }
  line += '\n';
  return line;
}

}  // namespace brv3::sim
