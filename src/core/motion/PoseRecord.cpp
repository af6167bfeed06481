#include "core/motion/PoseRecord.h"

namespace brv3 {

void PoseRecord::PackInto(uint8_t* out) const {
  out[0] = Head;
  for (size_t c = 0; c < Values.size(); ++c) {
    out[1 + 2 * c] = static_cast<uint8_t>(Values[c] >> 8);
    out[2 + 2 * c] = static_cast<uint8_t>(Values[c] & 0xFF);
  }
}

Bytes PoseRecord::Pack() const {
  Bytes out(kSize);
  PackInto(out.data());
  return out;
}

PoseRecord PoseRecord::Unpack(const uint8_t* bytes) {
  PoseRecord r;
  r.Head = bytes[0];
  for (size_t c = 0; c < r.Values.size(); ++c)
    r.Values[c] = static_cast<uint16_t>(bytes[1 + 2 * c] << 8 | bytes[2 + 2 * c]);
  return r;
}

std::optional<PoseRecord> PoseRecord::Unpack(const Bytes& bytes) {
  if (bytes.size() < kSize) return std::nullopt;
  return Unpack(bytes.data());
}

}  // namespace brv3
