#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "core/util/Bytes.h"
#include "sim/Board.h"
#include "sim/Faults.h"
#include "sim/Protocol.h"

namespace brv3::sim {

struct EngineOptions {
  // Output bytes follow one another at the line's byte time; off, a reply leaves all at once.
  bool pacing = true;
  // A frame whose bytes stop coming for this long is dropped, so the next attention byte is
  // seen as one again.
  Nanos frameTimeout = 50 * kMillisecond;
  // Awake after an attention byte, the board waits this long for a command byte.
  Nanos awakeTimeout = 1000 * kMillisecond;
};

// The board's side of the serial line: bytes in, bytes out, on a clock the caller advances. No
// threads and no I/O.
//
// Line rules: while idle the board listens only for the attention byte 0x0D and answers it with
// one byte (0x06). Awake, the next byte must start a known command; any other byte is dropped
// and the board goes back to idle (a further 0x0D is answered again). The command byte fixes the
// frame length; a complete frame with a wrong checksum gets no reply. A frame that stalls for
// `frameTimeout` is dropped. Notifications go out only between transactions.
//
// A notification still on its way when an attention byte arrives is cut off and sent again whole
// after the transaction (analog reports, being periodic, are simply dropped). If bytes reached the
// host after its purge (complete but not yet taken when the attention byte arrives), the host will
// take the first of them as the answer, so the board sends no answer of its own; otherwise it
// answers. Either way the host's second purge leaves the line clean for the reply.
class Engine {
 public:
  explicit Engine(std::unique_ptr<Board> board = std::make_unique<Board>(),
                  EngineOptions options = {});

  Nanos Now() const { return now_; }
  void AdvanceTo(Nanos time);
  void Advance(Nanos delta) { AdvanceTo(now_ + delta); }

  // Bytes from the host, all arriving at Now().
  void Receive(const uint8_t* data, size_t count);
  void Receive(const Bytes& bytes) { Receive(bytes.data(), bytes.size()); }

  // Output bytes whose last bit has left the board by `time`.
  Bytes TakeOutput(Nanos time);
  Bytes TakeOutput() { return TakeOutput(now_); }
  // When the next queued output byte is complete; -1 when nothing is queued.
  Nanos NextOutputTime() const;
  // When the last queued output byte is complete; -1 when nothing is queued.
  Nanos LastOutputTime() const { return output_.empty() ? -1 : output_.back().time; }
  // Drops output complete by `time`, as a host's purge of its receive side would.
  void DropOutput(Nanos time) { TakeOutput(time); }

  void SetFaults(FaultPlan faults) { faults_ = std::move(faults); }
  FaultPlan& Faults() { return faults_; }
  // True once the disconnect fault fired: the board hears and says nothing any more.
  bool Disconnected() const { return disconnected_; }
  int FramesReceived() const { return frames_; }

  Board& board() { return *board_; }
  const Board& board() const { return *board_; }
  // A board with other memory in the same engine (tests start from prepared flash this way).
  void ReplaceBoard(std::unique_ptr<Board> board) { board_ = std::move(board); }

 private:
  enum class State { Idle, Awake, Collecting };
  struct OutByte {
    Nanos time;
    uint8_t value;
    int report;  // index into reportsOnLine_, or -1 for answers and replies
  };

  void ReceiveByte(uint8_t byte);
  void Attention();
  void HandleFrame();
  void Send(const Bytes& bytes, Nanos extraDelay, int report = -1);
  void DrainNotifications();
  void CheckTimeouts();

  std::unique_ptr<Board> board_;
  EngineOptions options_;
  FaultPlan faults_;
  Nanos now_ = 0;
  State state_ = State::Idle;
  Nanos lastByte_ = 0;
  const CommandInfo* command_ = nullptr;
  Bytes frame_;
  std::deque<OutByte> output_;
  std::deque<Bytes> pending_;
  std::vector<Bytes> reportsOnLine_;
  Nanos lineFree_ = 0;
  int frames_ = 0;
  bool disconnected_ = false;
};

}  // namespace brv3::sim
