#include "core/comm/Notifications.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "core/util/Translate.h"

namespace brv3 {

namespace {

// Fixed-point text of value x factor, where factor is given in units of 1e-5; halves round up.
std::string VoltText(uint16_t value, unsigned factor, const char* format) {
  const unsigned long centi = (static_cast<unsigned long>(value) * factor + 500) / 1000;
  char buf[32];
  std::snprintf(buf, sizeof buf, format, centi / 100, centi % 100);
  return buf;
}

}  // namespace

std::vector<std::string> PlaybackReport::Lines() const {
  std::vector<std::string> lines;
  const std::string format = Tr("Notifications", "[%1]Playback is done");
  for (int v : Entries) lines.push_back(Args(format, {std::to_string(v + 1)}));
  return lines;
}

std::string AnalogReport::VoltageText() const {
  return VoltText(Values[0], 1539, "%02lu.%02luV");
}

std::array<std::string, 3> AnalogReport::InputTexts() const {
  return {VoltText(Values[1], 532, "%lu.%02luV"), VoltText(Values[2], 532, "%lu.%02luV"),
          VoltText(Values[3], 532, "%lu.%02luV")};
}

size_t NotificationLength(uint8_t header) {
  switch (header) {
    case 0xFF:
      return 32;
    case 0xFE:
      return 10;
    case 0xFD:
      return 9;
    default:
      return 0;
  }
}

std::optional<Notification> DecodeNotification(const Bytes& frame) {
  if (frame.empty()) return std::nullopt;
  const size_t length = NotificationLength(frame[0]);
  if (length == 0 || frame.size() < length) return std::nullopt;
  switch (frame[0]) {
    case 0xFF: {
      std::set<int> done;
      for (int k = 0; k < 24; ++k) {
        const bool counted = (frame[1 + k / 4] >> (k % 4)) & 1;
        if (counted && frame[7 + k] != 255) done.insert(frame[7 + k]);
      }
      return PlaybackReport{std::vector<int>(done.begin(), done.end())};
    }
    case 0xFE: {
      AnalogReport report;
      for (size_t i = 0; i < 4; ++i) {
        report.Values[i] = static_cast<uint16_t>(frame[1 + 2 * i] * 128 + frame[2 + 2 * i]);
      }
      return report;
    }
    default: {
      RemoteReport report;
      report.Code = static_cast<uint16_t>((frame[2] << 8) | frame[3]);
      std::copy(frame.begin() + 4, frame.begin() + 8, report.Transmitter.begin());
      return report;
    }
  }
}

void NotificationBuffer::Append(const uint8_t* data, size_t count) {
  buffer_.insert(buffer_.end(), data, data + count);
}

bool NotificationBuffer::DropToHeader() {
  const auto header =
      std::find_if(buffer_.begin(), buffer_.end(), [](uint8_t b) { return NotificationLength(b); });
  buffer_.erase(buffer_.begin(), header);
  return !buffer_.empty();
}

std::optional<Bytes> NotificationBuffer::TakeFrame() {
  // Bytes without a header before them can never be part of a notification, so nothing that
  // precedes the first header is kept.
  if (!DropToHeader()) return std::nullopt;
  const size_t length = NotificationLength(buffer_[0]);
  if (buffer_.size() < length) return std::nullopt;
  Bytes frame(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
  return frame;
}

// A board that sends notifications faster than receive events arrive would otherwise make the
// backlog grow without end; the oldest whole notifications go first.
void NotificationBuffer::Bound() {
  while (buffer_.size() > kMaxHeld) {
    if (!DropToHeader()) return;
    const size_t length = std::min(NotificationLength(buffer_[0]), buffer_.size());
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(length));
  }
}

std::optional<Notification> NotificationBuffer::ReceiveEvent(const uint8_t* data, size_t count) {
  Append(data, count);
  std::optional<Notification> result;
  if (auto frame = TakeFrame()) result = DecodeNotification(*frame);
  Bound();
  return result;
}

std::optional<Notification> NotificationBuffer::ReceiveEvent(Port& port, int reportedCount) {
  const int want = std::clamp(reportedCount, 0, static_cast<int>(kMaxRead));
  uint8_t data[kMaxRead];
  const int got = want > 0 ? port.ReadBytes(data, want) : 0;
  return ReceiveEvent(data, got > 0 ? static_cast<size_t>(got) : 0);
}

}  // namespace brv3
