#pragma once

#include <cstddef>
#include <cstdint>

#include "core/comm/Frame.h"
#include "core/util/Bytes.h"

namespace brv3::sim {

constexpr uint8_t kAttentionAnswer = 0x06;

// One second of a 115200 bit/s line carries 11520 bytes (start bit, 8 data bits, stop bit).
constexpr int64_t kByteTimeNs = 1'000'000'000LL * 10 / 115200;

enum class ReplyKind { None, Ack, Data };

// What the board knows of a command from its first byte alone.
struct CommandInfo {
  uint8_t code = 0;
  const char* name = "";
  int frameLength = 0;  // whole frame, command byte and checksum included
  ReplyKind reply = ReplyKind::None;
  int replyLength = 0;  // bytes sent back, checksum or ACK included; 0 for none
};

// nullptr for a byte that starts no command.
const CommandInfo* FindCommand(uint8_t code);

// The board sums its frames the way the program does.
using brv3::AppendChecksum;
using brv3::Checksum;
inline uint8_t Checksum(const Bytes& bytes) {
  return brv3::Checksum(bytes.data(), bytes.size());
}

}  // namespace brv3::sim
