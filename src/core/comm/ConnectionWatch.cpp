#include "core/comm/ConnectionWatch.h"

#include <exception>

#include "core/comm/Notifications.h"
#include "core/comm/SelectPort.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"

namespace brv3 {

namespace {

std::string OkText(const PortEntry& entry) {
  return Args(Tr("ConnectionWatch", "%1 OK"), {entry.Name});
}

}  // namespace

bool IsConnectionFault(LinkFault fault) {
  return fault == LinkFault::NoAnswer || fault == LinkFault::PortGone;
}

ConnectionWatch::ConnectionWatch(Prompter* prompter, PortControl* port, NotificationBuffer* buffer)
    : prompter_(prompter), port_(port), buffer_(buffer) {}

std::string ConnectionWatch::LostText() const {
  if (entry_.kind == PortEntry::Kind::Off) return Tr("ConnectionWatch", "No Connection");
  return Args(Tr("ConnectionWatch", "%1 lost"), {entry_.Name});
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
  if (lost_) ShowPanel(reopenable_ ? OkText(entry_) : "", "");
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
    prompter_->ShowStatus(Tr("ConnectionWatch", "Connection failed"));
    ShowPanel(LostText(), reopenFailure_);
    return;
  }
  // Any answer, even a refusal, shows the board is there again.
  if (!lost_) return;
  lost_ = false;
  if (!prompter_) return;
  if (entry_.kind != PortEntry::Kind::Off) {
    const std::string ok = OkText(entry_);
    prompter_->ShowStatus(ok);
    ShowPanel(ok, "");
  } else {
    ShowPanel("", "");
  }
}

}  // namespace brv3
