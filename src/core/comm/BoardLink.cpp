#include "core/comm/BoardLink.h"

#include <ctime>
#include <mutex>
#include <optional>

#include "core/comm/ConnectionWatch.h"
#include "core/comm/Frame.h"
#include "core/comm/LiveLane.h"
#include "core/comm/Transact.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"

namespace brv3 {

// Holds the busy caption and, for the serial-servo record commands, the long time-out and the
// single try, for exactly the life of one command; restores them however the command ends.
class CommandScope {
 public:
  CommandScope(BoardLink& link, bool svlRecord, bool singleTry)
      : link_(link), svlRecord_(svlRecord), singleTry_(singleTry) {
    link_.busy_ = true;
    if (link_.prompter_)
      link_.prompter_->SetCaption(Args(Tr("BoardLink", "%1 [Communication now]"), {link_.title_}));
    if (svlRecord_ && link_.port_) link_.port_->SetTimeOutReceive(BoardLink::kLongReceiveTimeOut);
    if (singleTry_) link_.attemptLimit_ = 1;
  }
  ~CommandScope() {
    if (singleTry_) link_.attemptLimit_ = BoardLink::kDefaultAttemptLimit;
    if (svlRecord_ && link_.port_) link_.port_->SetTimeOutReceive(BoardLink::kReceiveTimeOut);
    if (link_.prompter_) link_.prompter_->SetCaption(link_.title_);
    link_.busy_ = false;
  }
  CommandScope(const CommandScope&) = delete;
  CommandScope& operator=(const CommandScope&) = delete;

 private:
  BoardLink& link_;
  bool svlRecord_;
  bool singleTry_;
};

BoardLink::BoardLink(Port* port, Prompter* prompter) : port_(port), prompter_(prompter) {}

BoardLink::~BoardLink() = default;

void BoardLink::SetPort(Port* port) {
  const bool background = lane_ != nullptr;
  lane_.reset();  // sends what it holds to the old port
  port_ = port;
  if (background) SendLiveFramesInBackground();
}

void BoardLink::SendLiveFramesInBackground() {
  if (lane_ || !port_ || !port_->ExchangeLock()) return;
  lane_ = std::make_unique<LiveLane>(*port_->ExchangeLock(),
                                     [this](const Bytes& frame) { return SendLaneFrame(frame); });
}

void BoardLink::FlushLiveFrames() {
  if (!lane_) return;
  std::lock_guard exchange(*port_->ExchangeLock());
  SendPendingLiveFrames();
}

void BoardLink::SendPendingLiveFrames() {
  std::optional<LinkFault> last = lane_->TakeOutcome();
  for (Bytes& frame : lane_->TakePending()) last = SendLaneFrame(std::move(frame));
  ReportLiveOutcome(last);
}

// On the lane's thread, or on the caller's with the exchange lock held: the frame alone, without
// the busy caption or the connection watch, which belong to the user-interface thread.
LinkFault BoardLink::SendLaneFrame(Bytes frame) {
  AppendChecksum(frame);
  LinkFault fault = LinkFault::None;
  brv3::Transact(port_, frame, 0, 1, &fault);
  return fault;
}

void BoardLink::ReportLiveOutcome(std::optional<LinkFault> fault) {
  if (fault && watch_) watch_->CommandEnded(*fault);
}

std::array<uint8_t, 4> BoardLink::Now() const {
  if (clock_) return clock_();
  const std::time_t t = std::time(nullptr);
  const std::tm* tm = std::localtime(&t);
  if (tm == nullptr) return {0xFF, 0xFF, 0xFF, 0xFF};
  return {static_cast<uint8_t>(tm->tm_mon + 1), static_cast<uint8_t>(tm->tm_mday),
          static_cast<uint8_t>(tm->tm_hour), static_cast<uint8_t>(tm->tm_min)};
}

Bytes BoardLink::Transact(const Bytes& frame, size_t replyLength) {
  return brv3::Transact(port_, frame, replyLength, attemptLimit_, &lastFault_);
}

bool BoardLink::Run(Bytes frame, const Shape& shape, Bytes* reply) {
  if (reply) reply->clear();
  if (lane_ && shape.kind == ReplyKind::Live) {
    // Queued for the lane; a lost port is reopened first, as for any command.
    ReportLiveOutcome(lane_->TakeOutcome());
    if (!busy_ && watch_ && !watch_->BeforeCommand()) {
      watch_->CommandEnded(LinkFault::PortGone);
      return true;
    }
    lane_->Post(std::move(frame));
    return true;
  }
  // A command started from an event handled while another one waits would interleave on the
  // line; it is refused instead.
  if (busy_) return shape.kind == ReplyKind::Live;
  // The line is this command's until it ends; live frames asked for before it go out first.
  std::unique_lock<std::recursive_mutex> exchange;
  if (lane_) {
    exchange = std::unique_lock(*port_->ExchangeLock());
    SendPendingLiveFrames();
  }
  // A lost port is reopened before the command; when that fails nothing is sent.
  bool ok = shape.kind == ReplyKind::Live;
  if (watch_ && !watch_->BeforeCommand()) {
    lastFault_ = LinkFault::PortGone;
  } else {
    CommandScope scope(*this, shape.svlRecord, shape.singleTry);
    int tries = shape.kind == ReplyKind::Data && !shape.singleTry ? 1 + readRetries_ : 1;
    auto lineFault = [this] {
      return lastFault_ == LinkFault::NoAnswer || lastFault_ == LinkFault::ShortReply ||
             lastFault_ == LinkFault::BadChecksum;
    };
    do {
      ok = Exchange(frame, shape, reply);
    } while (!ok && --tries > 0 && lineFault());
  }
  if (watch_) watch_->CommandEnded(lastFault_);
  return ok;
}

bool BoardLink::Exchange(Bytes frame, const Shape& shape, Bytes* reply) {
  AppendChecksum(frame);
  switch (shape.kind) {
    case ReplyKind::Live:
      Transact(frame, 0);
      return true;
    case ReplyKind::Ack: {
      const Bytes answer = Transact(frame, 1);
      if (answer.size() == 1 && answer[0] == kAck) return true;
      if (!answer.empty()) lastFault_ = LinkFault::Nak;
      return false;
    }
    case ReplyKind::Data: {
      Bytes answer = Transact(frame, shape.replyLength);
      if (answer.empty()) return false;
      if (!VerifyReply(answer)) {
        lastFault_ = LinkFault::BadChecksum;
        return false;
      }
      answer.pop_back();  // callers get the payload; the checksum was checked here
      if (reply) *reply = std::move(answer);
      return true;
    }
  }
  return false;
}

bool BoardLink::Data(Bytes frame, size_t replyLength, Bytes& reply) {
  return Run(std::move(frame), {ReplyKind::Data, replyLength}, &reply);
}

bool BoardLink::Ack(Bytes frame) {
  return Run(std::move(frame), {ReplyKind::Ack, 1}, nullptr);
}

bool BoardLink::Live(Bytes frame) {
  return Run(std::move(frame), {ReplyKind::Live, 0}, nullptr);
}

void BoardLink::ShowPanel(int panel, const std::string& text) {
  if (prompter_) prompter_->SetStatusPanel(panel, text);
}

}  // namespace brv3
