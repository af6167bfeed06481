#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/chart/Chart.h"
#include "core/util/Bytes.h"

namespace brv3 {

// The 49-byte form of a pose on the wire and of a compiled step: byte 0 the speed (or step flag),
// then the 24 channel words, channel 1 first, each high byte first.
struct PoseRecord {
  static constexpr size_t kSize = 49;

  uint8_t Head = 0;
  ChannelWords Values{};

  Bytes Pack() const;
  void PackInto(uint8_t* out) const;  // writes kSize bytes
  // nullopt unless `bytes` holds at least kSize bytes; extra bytes (a checksum) are ignored.
  static std::optional<PoseRecord> Unpack(const Bytes& bytes);
  static PoseRecord Unpack(const uint8_t* bytes);  // reads kSize bytes

  bool operator==(const PoseRecord&) const = default;
};

}  // namespace brv3
