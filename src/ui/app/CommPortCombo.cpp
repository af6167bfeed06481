#include "ui/app/CommPortCombo.h"

#include <QAbstractItemView>
#include <QSocketNotifier>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>

#include "platform/ComPortName.h"
#include "platform/SerialDevices.h"
#include "ui/app/MessageDialogs.h"

namespace brv3 {

namespace {

// Marks the caption of an adapter that is away.
const char* const kUnplugged = " (unplugged)";

bool IsAdapter(const PortEntry& entry) {
  return entry.kind == PortEntry::Kind::Adapter;
}

// An adapter away keeps its caption with the mark; it is shown in the user's language.
QString EntryText(const PortEntry& entry) {
  const QString caption = QString::fromStdString(entry.Caption);
  if (!IsAdapter(entry) || !entry.Caption.ends_with(kUnplugged)) return caption;
  return CommPortCombo::tr("%1 (unplugged)").arg(caption.chopped(int(std::strlen(kUnplugged))));
}

}  // namespace

CommPortCombo::CommPortCombo(QWidget* parent) : QComboBox(parent) {
  setObjectName("CommPort");
  setEditable(false);
  LimitDropDownRows(*this, 30);
  setFixedWidth(64);
  setToolTip(tr("COM Port"));
  Refill();
  setCurrentIndex(0);
  // An entry picked with the mouse or Return becomes current only after the list has closed;
  // `activated` follows right after, with the new entry current.
  connect(this, &QComboBox::activated, this, [this] {
    closing_ = true;
    ReportClosedUp();
  });
}

void CommPortCombo::DetachDeviceSource() {
  delete notifier_;
  notifier_ = nullptr;
  source_ = nullptr;
}

void CommPortCombo::SetDeviceSource(platform::SerialDeviceSource* source) {
  DetachDeviceSource();
  source_ = source;
  if (source_ && source_->MonitorFd() >= 0) {
    notifier_ = new QSocketNotifier(source_->MonitorFd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CommPortCombo::DevicesChanged);
  }
  Refill();
}

PortEntry CommPortCombo::Entry(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return PortEntry::Off();
  return entries_[static_cast<size_t>(index)];
}

void CommPortCombo::DevicesChanged() {
  if (source_ && source_->TakeChanges()) Refill();
}

void CommPortCombo::Refill() {
  const PortEntry current = Entry(currentIndex());
  std::vector<PortEntry> entries =
      PortEntries(source_ ? source_->Enumerate() : std::vector<SerialAdapter>{});
  int chosen = 0;
  bool chosenGone = false;
  if (IsAdapter(current)) {
    auto same = std::find_if(entries.begin(), entries.end(), [&](const PortEntry& e) {
      return IsAdapter(e) && e.Path == current.Path;
    });
    if (same != entries.end()) {
      chosen = static_cast<int>(same - entries.begin());
    } else {
      // The chosen adapter stays listed while it is away, after the adapters that are there.
      auto firstCom = std::find_if(entries.begin(), entries.end(), [](const PortEntry& e) {
        return e.kind == PortEntry::Kind::Com;
      });
      chosen = static_cast<int>(firstCom - entries.begin());
      PortEntry away = current;
      if (!away.Caption.ends_with(kUnplugged)) away.Caption += kUnplugged;
      entries.insert(firstCom, away);
      chosenGone = !current.Caption.ends_with(kUnplugged);
    }
  } else {
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].kind == current.kind && entries[i].Com == current.Com)
        chosen = static_cast<int>(i);
  }

  entries_ = std::move(entries);
  clear();
  for (size_t i = 0; i < entries_.size(); ++i) {
    const PortEntry& e = entries_[i];
    addItem(EntryText(e));
    QString tip;
    switch (e.kind) {
      case PortEntry::Kind::Off:
        tip = tr("No port");
        break;
      case PortEntry::Kind::Adapter:
        tip = QString::fromStdString(e.Path);
        break;
      case PortEntry::Kind::Com:
        tip = QString::fromStdString(platform::ComPortPath(e.Com));
        break;
    }
    setItemData(static_cast<int>(i), tip, Qt::ToolTipRole);
  }
  setCurrentIndex(chosen);
  // The box stays narrow on the toolbar; its list is as wide as its longest entry.
  if (view()) {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    view()->setMinimumWidth(
        std::max(width(), view()->sizeHintForColumn(0) + scrollBar + 2 * view()->frameWidth()));
  }
  if (chosenGone) emit ChosenAdapterGone();
}

void CommPortCombo::hidePopup() {
  // The combo box also hides its popup whenever it is hidden itself (the window closing or being
  // destroyed); only a list that was open counts as closed up.
  const bool wasOpen = view() && view()->isVisible();
  QComboBox::hidePopup();
  if (!wasOpen) return;
  // Closed without a pick (Escape, a click elsewhere): report once the event that closed the list
  // is done, with the entry that was current all along.
  closing_ = true;
  QMetaObject::invokeMethod(this, &CommPortCombo::ReportClosedUp, Qt::QueuedConnection);
}

void CommPortCombo::ReportClosedUp() {
  if (!closing_) return;
  closing_ = false;
  emit ClosedUp();
}

void CommPortCombo::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

}  // namespace brv3
