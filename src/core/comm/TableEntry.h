#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/comm/Slot.h"
#include "core/util/Bytes.h"

namespace brv3 {

// One 42-byte entry of the board's motion table.
struct TableEntry {
  static constexpr size_t kSize = 42;
  static constexpr size_t kNameSize = 32;
  static constexpr uint8_t kNoDate = 0xFF;  // month byte of an undated entry
  static constexpr uint16_t kNoCode = 0xFFFF;

  uint8_t Count = 0;     // records of a motion, steps of a scenario; 0 = empty
  uint32_t Value24 = 0;  // 24 bits, least significant byte first on the board
  std::array<uint8_t, 4> Date{0xFF, 0xFF, 0xFF, 0xFF};  // month, day, hour, minute
  uint16_t Code = kNoCode;                // remote-control code, high byte first on the board
  std::array<uint8_t, kNameSize> Name{};  // cp932, padded with 0x00

  Bytes Encode() const;
  // nullopt for fewer than kSize bytes; a trailing checksum byte is ignored.
  static std::optional<TableEntry> Decode(const Bytes& bytes);

  bool operator==(const TableEntry&) const = default;
};

// 42 bytes 0x00 except offsets 4 ... 9 (date and code), which are 0xFF.
Bytes EmptyTableEntry();

// The date argument of UpdateTableEntry: keep the board's date, stamp the current time, or use
// four given bytes.
struct EntryDate {
  enum class Kind { Keep, Now, Given };
  Kind kind = Kind::Keep;
  std::array<uint8_t, 4> bytes{};

  static EntryDate Keep() { return {}; }
  static EntryDate Now() { return {Kind::Now, {}}; }
  static EntryDate Given(const std::array<uint8_t, 4>& date) { return {Kind::Given, date}; }
  // The text form callers use: a single 0x00 byte keeps, an empty text stamps now, four or more
  // bytes give the date from the first four. Anything else (1 ... 3 other bytes) keeps the date.
  static EntryDate FromText(const Bytes& text);
};

// "--/-- --:--" for an undated entry, else for example "3/7 09:05".
std::string DateText(const std::array<uint8_t, 4>& date);

// The entry's name up to its first 0x00 byte, as UTF-8.
std::string EntryNameText(const TableEntry& entry);

// Name bytes for the board: UTF-8 to cp932, cut to 32 bytes without splitting a character.
std::array<uint8_t, TableEntry::kNameSize> EntryNameBytes(const std::string& nameUtf8);

// One row of the motion table list.
struct TableRow {
  std::string No;
  std::string Name;
  std::string Count;
  std::string Date;
  std::string Control;

  bool operator==(const TableRow&) const = default;
};

// The row of entry `index`; bytes too short for an entry show as the empty entry.
TableRow FormatTableRow(const Bytes& entry, int index);

}  // namespace brv3
