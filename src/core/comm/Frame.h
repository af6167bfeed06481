#pragma once

#include <cstdint>

#include "core/util/Bytes.h"

namespace brv3 {

constexpr uint8_t kAttention = 0x0D;
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;

// Sum of the bytes modulo 256.
uint8_t Checksum(const uint8_t* data, size_t count);

// Appends the checksum of `bytes`; an empty string stays empty.
void AppendChecksum(Bytes& bytes);

// True when `reply` holds at least 2 bytes and its last byte is the checksum of the others. The
// reply keeps its checksum byte.
bool VerifyReply(const Bytes& reply);

}  // namespace brv3
