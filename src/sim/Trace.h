#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace brv3::sim {

// Byte log of the line: one line per burst, "SECONDS.MICROS DIR HEX", where DIR is '>' for bytes
// from the host to the board and '<' for bytes from the board, e.g. "12.345678 > 0D".
class Trace {
 public:
  Trace() = default;
  ~Trace();
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;

  bool Open(const std::string& path, std::string* error);
  bool IsOpen() const { return file_ != nullptr; }
  void Write(double seconds, char direction, const uint8_t* data, size_t count);

 private:
  std::FILE* file_ = nullptr;
};

std::string TraceLine(double seconds, char direction, const uint8_t* data, size_t count);

}  // namespace brv3::sim
