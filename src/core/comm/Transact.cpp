#include "core/comm/Transact.h"

#include "core/comm/Frame.h"

namespace brv3 {

Bytes Transact(Port* port, const Bytes& frame, size_t replyLength, int attemptLimit) {
  Bytes reply;
  if (port == nullptr) return reply;
  int attemptsLeft = attemptLimit;
  while (true) {
    reply.clear();
    port->PurgeReceive();
    const uint8_t attention = kAttention;
    if (!port->WriteBytes(&attention, 1)) return {};
    uint8_t answer = 0;
    // Any answer byte will do; none means the board is not there, and asking again is pointless.
    if (port->ReadBytes(&answer, 1) != 1) return {};
    port->PurgeReceive();
    if (!port->WriteBytes(frame.data(), frame.size())) return {};
    if (replyLength == 0) return {};

    reply.resize(replyLength);
    const int got = port->ReadBytes(reply.data(), static_cast<int>(replyLength));
    const bool complete = got == static_cast<int>(replyLength);
    if (complete) return reply;
    if (--attemptsLeft <= 0) return {};
  }
}

}  // namespace brv3
