#pragma once

#include <cstddef>
#include <string>

#include "core/comm/Port.h"
#include "core/util/Bytes.h"

namespace brv3 {

// Why an exchange failed.
enum class LinkFault { None, NoAnswer, ShortReply, BadChecksum, Nak, PortGone };

// "the board did not answer", "a bad checksum" ...: the cause for a message, in the user's
// language.
std::string LinkFaultText(LinkFault fault);

// One exchange with the board: attention byte, its one-byte answer, the frame (already carrying
// its checksum), then a reply of exactly `replyLength` bytes. Only a short reply is retried, up to
// `attemptLimit` tries in all. Returns the complete reply, or an empty string on failure or when
// no reply is awaited (`replyLength` 0). A null port fails at once.
// `fault`, when given, tells why it failed (None on success).
Bytes Transact(Port* port, const Bytes& frame, size_t replyLength, int attemptLimit,
               LinkFault* fault = nullptr);

}  // namespace brv3
