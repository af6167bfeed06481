#include "core/comm/ConnectionWatch.h"

#include <exception>

#include "core/comm/Notifications.h"
#include "core/comm/SelectPort.h"
#include "core/util/Prompter.h"

namespace brv3 {

namespace {

const char* const kConnectionFailedText = "Connection failed";

}  // namespace

bool IsConnectionFault(LinkFault fault) {
  return fault == LinkFault::NoAnswer || fault == LinkFault::PortGone;
}

ConnectionWatch::ConnectionWatch(Prompter* prompter, PortControl* port, NotificationBuffer* buffer)
    : prompter_(prompter), port_(port), buffer_(buffer) {}

std::string ConnectionWatch::LostText() const {
  if (entry_.kind == PortEntry::Kind::Off) return "No Connection";
  return entry_.Name + " lost";
}

void ConnectionWatch::ShowPanel(const std::string& text, const std::string& hint) {
  if (!prompter_) return;
  prompter_->SetStatusPanel(kPortPanel, text);
  prompter_->SetStatusPanelHint(kPortPanel, hint);
}

void ConnectionWatch::PortSelected(int index, bool opened) {
  PortSelected(index > 0 ? PortEntry::ComPort(index) : PortEntry::Off(), opened);
}

void ConnectionWatch::PortSelected(const PortEntry& entry, bool opened) {
  ++selection_;
  entry_ = opened ? entry : PortEntry::Off();
  reopenable_ = opened && entry.kind != PortEntry::Kind::Off;
  reopenFailure_.clear();
  // SelectPort has said on the status line what became of the choice; the panel no longer
  // speaks of the port that was lost.
  if (lost_) ShowPanel(reopenable_ ? entry_.Name + " OK" : "", "");
  lost_ = false;
}

bool ConnectionWatch::BeforeCommand() {
  commandSelection_ = selection_;
  if (!port_ || !reopenable_ || !port_->Gone()) return true;
  // The dead descriptor goes first: a device that comes back may otherwise get another name.
  try {
    if (buffer_) buffer_->Clear();  // the start of a report from the old line ends nowhere
    OpenPortEntry(*port_, entry_);
  } catch (const std::exception& e) {
    reopenFailure_ = e.what();
    try {
      port_->Close();
    } catch (const std::exception&) {
    }
    return false;
  }
  reopenFailure_.clear();
  return true;
}

void ConnectionWatch::PortHungUp() {
  if (entry_.kind == PortEntry::Kind::Off || lost_) return;
  lost_ = true;
  ShowPanel(LostText(), "");
}

void ConnectionWatch::CommandEnded(LinkFault fault) {
  if (commandSelection_ != selection_) return;
  if (IsConnectionFault(fault)) {
    lost_ = true;
    if (!prompter_) return;
    prompter_->ShowStatus(kConnectionFailedText);
    ShowPanel(LostText(), reopenFailure_);
    return;
  }
  // Any answer, even a refusal, shows the board is there again.
  if (!lost_) return;
  lost_ = false;
  if (!prompter_) return;
  if (entry_.kind != PortEntry::Kind::Off) {
    const std::string ok = entry_.Name + " OK";
    prompter_->ShowStatus(ok);
    ShowPanel(ok, "");
  } else {
    ShowPanel("", "");
  }
}

}  // namespace brv3
