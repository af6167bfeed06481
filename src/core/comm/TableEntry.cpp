#include "core/comm/TableEntry.h"

#include <algorithm>
#include <cstdio>

#include "core/util/Cp932.h"

namespace brv3 {

Bytes TableEntry::Encode() const {
  Bytes out(kSize, 0);
  out[0] = Count;
  out[1] = static_cast<uint8_t>(Value24 & 0xFF);
  out[2] = static_cast<uint8_t>((Value24 >> 8) & 0xFF);
  out[3] = static_cast<uint8_t>((Value24 >> 16) & 0xFF);
  std::copy(Date.begin(), Date.end(), out.begin() + 4);
  out[8] = static_cast<uint8_t>(Code >> 8);
  out[9] = static_cast<uint8_t>(Code & 0xFF);
  std::copy(Name.begin(), Name.end(), out.begin() + 10);
  return out;
}

std::optional<TableEntry> TableEntry::Decode(const Bytes& bytes) {
  if (bytes.size() < kSize) return std::nullopt;
  TableEntry e;
  e.Count = bytes[0];
  e.Value24 = bytes[1] | (bytes[2] << 8) | (static_cast<uint32_t>(bytes[3]) << 16);
  std::copy(bytes.begin() + 4, bytes.begin() + 8, e.Date.begin());
  e.Code = static_cast<uint16_t>((bytes[8] << 8) | bytes[9]);
  std::copy(bytes.begin() + 10, bytes.begin() + 42, e.Name.begin());
  return e;
}

Bytes EmptyTableEntry() {
  return TableEntry{}.Encode();
}

EntryDate EntryDate::FromText(const Bytes& text) {
  if (text.empty()) return Now();
  if (text.size() >= 4) return Given({text[0], text[1], text[2], text[3]});
  return Keep();
}

std::string DateText(const std::array<uint8_t, 4>& date) {
  if (date[0] == TableEntry::kNoDate) return "--/-- --:--";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%u/%u %02u:%02u", unsigned{date[0]}, unsigned{date[1]},
                unsigned{date[2]}, unsigned{date[3]});
  return buf;
}

std::string EntryNameText(const TableEntry& entry) {
  const auto end = std::find(entry.Name.begin(), entry.Name.end(), 0);
  return Cp932ToUtf8(std::string(entry.Name.begin(), end));
}

namespace {

bool IsCp932Lead(uint8_t b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace

std::array<uint8_t, TableEntry::kNameSize> EntryNameBytes(const std::string& nameUtf8) {
  const std::string cp = Utf8ToCp932(nameUtf8);
  std::array<uint8_t, TableEntry::kNameSize> out{};
  size_t i = 0;
  while (i < cp.size()) {
    const size_t width = IsCp932Lead(static_cast<uint8_t>(cp[i])) && i + 1 < cp.size() ? 2 : 1;
    if (i + width > out.size()) break;
    for (size_t k = 0; k < width; ++k) out[i + k] = static_cast<uint8_t>(cp[i + k]);
    i += width;
  }
  return out;
}

TableRow FormatTableRow(const Bytes& entry, int index) {
  const TableEntry e = TableEntry::Decode(entry).value_or(TableEntry{});
  TableRow row;
  row.No = Slot::LabelOf(index);
  row.Name = EntryNameText(e);
  row.Count = std::to_string(e.Count);
  row.Date = DateText(e.Date);
  row.Control = std::to_string(e.Code);
  return row;
}

}  // namespace brv3
