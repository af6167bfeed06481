// Feeds arbitrary host bytes to the simulated board's engine, in pieces and over time, mixed with
// well-formed transactions built from the input so that playback runs over motion memory, table
// entries and scenarios the input wrote. Checks that every well-formed transaction on a quiet line
// gets its whole reply and that the engine always resynchronises afterwards.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "sim/Board.h"
#include "sim/Engine.h"
#include "sim/Protocol.h"

namespace {

using brv3::Bytes;
using namespace brv3::sim;
using brv3::kAck;
using brv3::kAttention;
using brv3::kNak;

class InputReader {
 public:
  InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
  Bytes Take(size_t count) {
    const size_t n = std::min(count, size_ - at_);
    Bytes out(data_ + at_, data_ + at_ + n);
    at_ += n;
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void CheckQueue(const Engine& engine) {
  const Nanos next = engine.NextOutputTime();
  const Nanos last = engine.LastOutputTime();
  if ((next < 0) != (last < 0)) __builtin_trap();
  if (next > last) __builtin_trap();
}

Bytes TakeAll(Engine& engine) {
  CheckQueue(engine);
  const Nanos last = engine.LastOutputTime();
  if (last < 0) return {};
  engine.AdvanceTo(std::max(last, engine.Now()));
  return engine.TakeOutput(last);
}

// The reply the command promises: its length, its sum, or an ACK / NAK.
bool WholeReply(const CommandInfo& info, const Bytes& reply) {
  if (info.reply == ReplyKind::None || static_cast<int>(reply.size()) != info.replyLength)
    return false;
  if (info.reply == ReplyKind::Ack) return reply[0] == kAck || reply[0] == kNak;
  return Checksum(reply.data(), reply.size() - 1) == reply.back();
}

// Nothing, or whole playback, analog and remote reports one after another.
bool WholeNotifications(const Bytes& bytes) {
  size_t at = 0;
  while (at < bytes.size()) {
    size_t length = 0;
    switch (bytes[at]) {
      case 0xFF:
        length = 32;
        break;
      case 0xFE:
        length = 10;
        break;
      case 0xFD:
        length = 9;
        break;
      default:
        return false;
    }
    at += length;
  }
  return at == bytes.size();
}

// A host transaction on a line left quiet long enough for any half frame to be dropped: purge,
// attention, purge, frame, reply. The answer and the reply must each arrive whole.
Bytes Transaction(Engine& engine, const Bytes& frame) {
  engine.Advance(60 * kMillisecond);
  engine.DropOutput(engine.Now());
  const uint8_t attention = kAttention;
  engine.Receive(&attention, 1);
  if (TakeAll(engine) != Bytes{kAttentionAnswer}) __builtin_trap();
  engine.Receive(frame);
  const Bytes reply = TakeAll(engine);
  const CommandInfo* info = FindCommand(frame[0]);
  if (info == nullptr || static_cast<int>(frame.size()) != info->frameLength) return reply;
  // A frame whose arguments the board refuses gets no reply; then reports held back during the
  // transaction follow at once, each whole.
  if (!WholeReply(*info, reply) && !WholeNotifications(reply)) __builtin_trap();
  return reply;
}

// A whole frame of a known command: code from the input, arguments from the input, good sum.
Bytes BuildFrame(InputReader& in, uint8_t code) {
  const CommandInfo* info = FindCommand(code);
  if (info == nullptr) info = FindCommand(0xFF);
  Bytes frame{info->code};
  const Bytes args = in.Take(static_cast<size_t>(info->frameLength - 2));
  frame.insert(frame.end(), args.begin(), args.end());
  frame.resize(static_cast<size_t>(info->frameLength - 1), 0x00);
  frame.push_back(Checksum(frame));
  return frame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InputReader in(data, size);
  EngineOptions options;
  options.pacing = (in.Byte() & 1) == 0;
  Engine engine(std::make_unique<Board>(), options);

  for (int ops = 0; ops < 128 && !in.Empty(); ++ops) {
    const uint8_t op = in.Byte();
    const uint8_t arg = in.Byte();
    switch (op % 8) {
      case 0:
      case 1: {
        // Raw bytes at the current time, cut into pieces.
        const Bytes bytes = in.Take(arg);
        const size_t piece = 1 + (op >> 3);
        for (size_t at = 0; at < bytes.size(); at += piece) {
          const size_t n = std::min(piece, bytes.size() - at);
          engine.Receive(bytes.data() + at, n);
          if (op & 0x80) engine.Advance(kByteTimeNs);
        }
        break;
      }
      case 2:
        engine.Advance(static_cast<Nanos>(arg) * (op & 0x80 ? kTick : kByteTimeNs));
        break;
      case 3: {
        const Nanos next = engine.NextOutputTime();
        if (op & 0x80) {
          (void)engine.TakeOutput();
        } else if (next >= 0) {
          engine.AdvanceTo(std::max(next, engine.Now()));
          (void)engine.TakeOutput(next);
          if (engine.NextOutputTime() >= 0 && engine.NextOutputTime() <= next) __builtin_trap();
        }
        break;
      }
      case 4:
      case 5:
        Transaction(engine, BuildFrame(in, arg));
        break;
      case 6:
        engine.board().InjectRemote(static_cast<uint16_t>(arg << 8 | in.Byte()),
                                    {in.Byte(), in.Byte(), in.Byte(), in.Byte()}, engine.Now());
        break;
      default: {
        const uint16_t value = static_cast<uint16_t>((arg << 8 | in.Byte()) & 0x3FFF);
        engine.board().SetAnalogValues({value, value, static_cast<uint16_t>(value / 2), 0});
        break;
      }
    }
    CheckQueue(engine);
  }

  // Whatever came before, the board answers a version read in full.
  const Bytes reply = Transaction(engine, Bytes{0xFF, 0xFF});
  const std::string text = Board::VersionText();
  if (reply.size() != text.size() + 1 || !std::equal(text.begin(), text.end(), reply.begin()))
    __builtin_trap();
  return 0;
}
