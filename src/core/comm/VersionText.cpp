#include "core/comm/VersionText.h"

#include <algorithm>

#include "core/util/Cp932.h"

namespace brv3 {

std::array<std::string, 4> VersionLines(const Bytes& reply) {
  std::array<std::string, 4> lines;
  const size_t size = std::min<size_t>(reply.size(), 64);
  for (size_t line = 0; line < 4; ++line) {
    const size_t begin = std::min(size, line * 16);
    const size_t end = std::min(size, begin + 16);
    const auto first = reply.begin() + static_cast<std::ptrdiff_t>(begin);
    const auto last = std::find(first, reply.begin() + static_cast<std::ptrdiff_t>(end), 0);
    lines[line] = Cp932ToUtf8(std::string(first, last));
  }
  return lines;
}

}  // namespace brv3
