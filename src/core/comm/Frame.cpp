#include "core/comm/Frame.h"

namespace brv3 {

uint8_t Checksum(const uint8_t* data, size_t count) {
  unsigned sum = 0;
  for (size_t i = 0; i < count; ++i) sum += data[i];
  return static_cast<uint8_t>(sum & 0xFF);
}

void AppendChecksum(Bytes& bytes) {
  if (bytes.empty()) return;
  bytes.push_back(Checksum(bytes.data(), bytes.size()));
}

bool VerifyReply(const Bytes& reply) {
  if (reply.size() < 2) return false;
  return reply.back() == Checksum(reply.data(), reply.size() - 1);
}

}  // namespace brv3
