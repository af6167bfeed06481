#include "core/comm/Transact.h"

#include "core/comm/Frame.h"
#include "core/util/Translate.h"

namespace brv3 {

std::string LinkFaultText(LinkFault fault) {
  switch (fault) {
    case LinkFault::None:
      return Tr("Transact", "no fault");
    case LinkFault::NoAnswer:
      return Tr("Transact", "the board did not answer");
    case LinkFault::ShortReply:
      return Tr("Transact", "the board's reply was short");
    case LinkFault::BadChecksum:
      return Tr("Transact", "the board's reply had a bad checksum");
    case LinkFault::Nak:
      return Tr("Transact", "the board refused the command (NAK)");
    case LinkFault::PortGone:
      return Tr("Transact", "the serial port is gone");
  }
  return Tr("Transact", "unknown fault");
}

Bytes Transact(Port* port, const Bytes& frame, size_t replyLength, int attemptLimit,
               LinkFault* fault) {
  LinkFault ignored;
  LinkFault& why = fault ? *fault : ignored;
  why = LinkFault::None;
  Bytes reply;
  if (port == nullptr || !port->IsOpen()) {
    why = LinkFault::PortGone;
    return reply;
  }
  int attemptsLeft = attemptLimit;
  while (true) {
    reply.clear();
    port->PurgeReceive();
    const uint8_t attention = kAttention;
    if (!port->WriteBytes(&attention, 1)) {
      why = LinkFault::PortGone;
      return {};
    }
    uint8_t answer = 0;
    // Any answer byte will do; none means the board is not there, and asking again is pointless.
    const int answered = port->ReadBytes(&answer, 1);
    if (answered != 1) {
      why = answered < 0 ? LinkFault::PortGone : LinkFault::NoAnswer;
      return {};
    }
    port->PurgeReceive();
    if (!port->WriteBytes(frame.data(), frame.size())) {
      why = LinkFault::PortGone;
      return {};
    }
    if (replyLength == 0) return {};

    reply.resize(replyLength);
    const int got = port->ReadBytes(reply.data(), static_cast<int>(replyLength));
    const bool complete = got == static_cast<int>(replyLength);
    if (complete) return reply;
    if (got < 0) {
      why = LinkFault::PortGone;
      return {};
    }
    if (--attemptsLeft <= 0) {
      why = LinkFault::ShortReply;
      return {};
    }
  }
}

}  // namespace brv3
