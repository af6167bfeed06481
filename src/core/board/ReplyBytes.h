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

// Copies the first N bytes of a reply into `out`; false, leaving `out` as it was, when the command
// failed or the reply is shorter.
template <size_t N>
bool TakeBytes(bool ok, const Bytes& reply, std::array<uint8_t, N>& out) {
  const auto bytes = FirstBytes<N>(ok, reply);
  if (bytes) out = *bytes;
  return bytes.has_value();
}

// A fixed-size record as a command's argument.
template <size_t N>
Bytes AsBytes(const std::array<uint8_t, N>& record) {
  return Bytes(record.begin(), record.end());
}

}  // namespace brv3
