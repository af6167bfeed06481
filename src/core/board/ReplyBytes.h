#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "core/util/Bytes.h"

namespace brv3 {

// The first N bytes of a reply, or nullopt when the command failed or the reply is shorter.
template <size_t N>
std::optional<std::array<uint8_t, N>> FirstBytes(bool ok, const Bytes& reply) {
  if (!ok || reply.size() < N) return std::nullopt;
  std::array<uint8_t, N> out{};
  std::copy_n(reply.begin(), N, out.begin());
  return out;
}

}  // namespace brv3
