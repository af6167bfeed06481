#include "sim/Engine.h"

#include <algorithm>

namespace brv3::sim {
namespace {

constexpr uint8_t kAnalogHeader = 0xFE;

}  // namespace

Engine::Engine(std::unique_ptr<Board> board, EngineOptions options)
    : board_(std::move(board)), options_(options) {}

void Engine::AdvanceTo(Nanos time) {
  if (time < now_) return;
  now_ = time;
  CheckTimeouts();
  board_->AdvanceTo(now_);
  DrainNotifications();
}

void Engine::CheckTimeouts() {
  if (state_ == State::Collecting && now_ - lastByte_ > options_.frameTimeout) {
    state_ = State::Idle;
    frame_.clear();
  } else if (state_ == State::Awake && now_ - lastByte_ > options_.awakeTimeout) {
    state_ = State::Idle;
  }
}

void Engine::Receive(const uint8_t* data, size_t count) {
  CheckTimeouts();
  board_->AdvanceTo(now_);
  for (size_t i = 0; i < count; ++i) ReceiveByte(data[i]);
  DrainNotifications();
}

void Engine::ReceiveByte(uint8_t byte) {
  if (disconnected_) return;
  CheckTimeouts();
  lastByte_ = now_;
  switch (state_) {
    case State::Idle:
      if (byte == kAttention) Attention();
      return;
    case State::Awake:
      if (byte == kAttention) {
        Attention();
        return;
      }
      command_ = FindCommand(byte);
      if (!command_) {
        state_ = State::Idle;
        return;
      }
      frame_.assign(1, byte);
      state_ = State::Collecting;
      return;
    case State::Collecting:
      frame_.push_back(byte);
      if (static_cast<int>(frame_.size()) == command_->frameLength) {
        state_ = State::Idle;
        HandleFrame();
      }
      return;
  }
}

void Engine::Attention() {
  // Cut whatever has not fully left the board; notifications among it go out again later.
  std::vector<int> cut;
  while (!output_.empty() && output_.back().time > now_) {
    const int report = output_.back().report;
    if (report >= 0 && std::find(cut.begin(), cut.end(), report) == cut.end()) {
      cut.push_back(report);
    }
    output_.pop_back();
  }
  std::sort(cut.begin(), cut.end());
  for (auto it = cut.rbegin(); it != cut.rend(); ++it) {
    if (reportsOnLine_[*it][0] != kAnalogHeader) pending_.push_front(reportsOnLine_[*it]);
  }
  lineFree_ = std::min(lineFree_, now_);
  if (faults_.Hit(FaultKind::NoAttention)) {
    state_ = State::Idle;
    return;
  }
  state_ = State::Awake;
  if (!output_.empty()) return;  // the host takes the first of those bytes as the answer
  Send(Bytes{kAttentionAnswer}, faults_.NextDelayMs() * kMillisecond);
}

void Engine::HandleFrame() {
  ++frames_;
  const Bytes frame = std::move(frame_);
  frame_.clear();
  const bool sumGood = Checksum(frame.data(), frame.size() - 1) == frame.back();
  if (sumGood) {
    Bytes out;
    if (command_->reply == ReplyKind::Ack && faults_.Hit(FaultKind::Nak)) {
      out = {kNak};
    } else {
      out = board_->HandleFrame(*command_, frame, now_).bytes;
      if (!out.empty() && command_->reply == ReplyKind::Data &&
          faults_.Hit(FaultKind::BadChecksum)) {
        out.back() = static_cast<uint8_t>(out.back() ^ 0xFF);
      }
    }
    if (!out.empty() && faults_.Hit(FaultKind::ShortReply)) out.resize(out.size() / 2);
    if (!out.empty()) Send(out, faults_.NextDelayMs() * kMillisecond);
  }
  const int limit = faults_.DisconnectAfter();
  if (limit > 0 && frames_ >= limit) disconnected_ = true;
}

void Engine::Send(const Bytes& bytes, Nanos extraDelay, int report) {
  Nanos t = std::max(now_ + extraDelay, lineFree_);
  for (uint8_t b : bytes) {
    if (options_.pacing) t += kByteTimeNs;
    output_.push_back({t, b, report});
  }
  lineFree_ = t;
}

void Engine::DrainNotifications() {
  std::vector<Bytes> reports = board_->TakeNotifications();
  if (disconnected_) return;
  // Held back while a transaction is under way so they never split a reply. Reports that pile up
  // behind a host that never reads are dropped oldest first.
  for (const Bytes& report : reports) {
    // Analog readings are a state, not events: only the latest waiting one is worth sending.
    if (report[0] == kAnalogHeader) {
      std::erase_if(pending_, [](const Bytes& r) { return r[0] == kAnalogHeader; });
    }
    pending_.push_back(report);
  }
  constexpr size_t kMaxPending = 64;
  while (pending_.size() > kMaxPending) pending_.pop_front();
  if (state_ != State::Idle || !output_.empty()) return;
  reportsOnLine_.clear();
  while (!pending_.empty()) {
    reportsOnLine_.push_back(pending_.front());
    Send(pending_.front(), 0, static_cast<int>(reportsOnLine_.size()) - 1);
    pending_.pop_front();
  }
}

Bytes Engine::TakeOutput(Nanos time) {
  Bytes out;
  while (!output_.empty() && output_.front().time <= time) {
    out.push_back(output_.front().value);
    output_.pop_front();
  }
  return out;
}

Nanos Engine::NextOutputTime() const {
  return output_.empty() ? -1 : output_.front().time;
}

}  // namespace brv3::sim
