#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/comm/Port.h"
#include "core/util/Bytes.h"

namespace brv3 {

// 0xFF: the board finished playing entries.
struct PlaybackReport {
  std::vector<int> Entries;  // entry indexes, ascending, without repeats and without 255
  // One status line per entry: "[" + (index + 1) + "]Playback is done".
  std::vector<std::string> Lines() const;
  bool operator==(const PlaybackReport&) const = default;
};

// 0xFE: supply voltage and the three analog inputs as raw 14-bit values.
struct AnalogReport {
  std::array<uint16_t, 4> Values{};
  std::string VoltageText() const;                // "00.00V" from Values[0] x 0.01539
  std::array<std::string, 3> InputTexts() const;  // "0.00V" from Values[1..3] x 0.00532
  bool operator==(const AnalogReport&) const = default;
};

// 0xFD: the last remote-control code and the four transmitter values.
struct RemoteReport {
  uint16_t Code = 0;
  std::array<uint8_t, 4> Transmitter{};
  std::string CodeText() const { return std::to_string(Code); }
  bool operator==(const RemoteReport&) const = default;
};

using Notification = std::variant<PlaybackReport, AnalogReport, RemoteReport>;

// Total length of a notification starting with `header`, or 0 for a byte that starts none.
size_t NotificationLength(uint8_t header);

// Decodes one complete notification (header first); nullopt for an unknown header or too few bytes.
std::optional<Notification> DecodeNotification(const Bytes& frame);

// Collects the bytes the board sends on its own and cuts notifications out of them, one per
// receive event. Bytes before a header byte, and header bytes of no known notification, are
// dropped; the held backlog is bounded.
class NotificationBuffer {
 public:
  static constexpr size_t kMaxRead = 256;   // bytes taken from the port per receive event
  static constexpr size_t kMaxHeld = 1024;  // backlog beyond this loses its oldest notifications

  void Clear() { buffer_.clear(); }
  size_t Size() const { return buffer_.size(); }
  const Bytes& Held() const { return buffer_; }

  void Append(const uint8_t* data, size_t count);
  // The first complete notification, cut from the buffer; nullopt while none is complete.
  std::optional<Bytes> TakeFrame();

  // One receive event: append the bytes, then cut and decode at most one notification.
  std::optional<Notification> ReceiveEvent(const uint8_t* data, size_t count);
  // The same with the bytes read from the port: the reported count, at most kMaxRead.
  std::optional<Notification> ReceiveEvent(Port& port, int reportedCount);

 private:
  // Drops leading bytes until a known header stands first; false when none is left.
  bool DropToHeader();
  void Bound();

  Bytes buffer_;
};

}  // namespace brv3
