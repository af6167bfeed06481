#include "core/comm/BoardLink.h"

namespace brv3 {

bool BoardLink::UpdateTableEntry(int index, int count, int value24, const std::string& nameUtf8,
                                 const EntryDate& date, int code) {
  Bytes reply;
  if (!ReadTableEntry(index, reply)) return false;
  TableEntry entry = *TableEntry::Decode(reply);
  if (count != -1) entry.Count = static_cast<uint8_t>(count & 0xFF);
  if (value24 != -1) entry.Value24 = static_cast<uint32_t>(value24) & 0xFFFFFF;
  if (code != -1) entry.Code = static_cast<uint16_t>(code & 0xFFFF);
  if (date.kind == EntryDate::Kind::Now) entry.Date = Now();
  if (date.kind == EntryDate::Kind::Given) entry.Date = date.bytes;
  entry.Name = EntryNameBytes(nameUtf8);
  const Bytes written = entry.Encode();
  if (!WriteTableEntry(index, written)) return false;
  if (observer_) observer_->ShowTableEntry(written, index, false);
  return true;
}

bool BoardLink::ClearTableEntry(int index) {
  Bytes reply;
  if (!ReadTableEntry(index, reply)) return false;
  const Bytes empty = EmptyTableEntry();
  if (!WriteTableEntry(index, empty)) return false;
  if (observer_) observer_->ShowTableEntry(empty, index, false);
  return true;
}

}  // namespace brv3
