#include "core/board/ServoList.h"

#include "core/comm/BoardLink.h"
#include "core/motion/PanelLayout.h"
#include "core/util/Prompter.h"

namespace brv3 {

bool ServoList::Open() {
  Close();
  Bytes svl, serial;
  if (!link_.ReadSvlChannelMask(svl) || svl.size() < 3) return false;
  if (!link_.ReadSsvChannelMask(serial) || serial.size() < 3) return false;
  svlMask_ = {svl[0], svl[1], svl[2]};
  serialMask_ = {serial[0], serial[1], serial[2]};
  if (!link_.SetSvlMode(ModeSwitch::On)) return false;
  open_ = true;
  for (int n = 1; n <= kChannels; ++n) ShowRow(n, nullptr);
  return true;
}

bool ServoList::Close() {
  if (!open_) return true;
  open_ = false;
  return link_.SetSvlMode(ModeSwitch::Off);
}

ServoList::ModeCheck ServoList::CheckMode() {
  Bytes reply;
  if (!link_.ReadModeWord(Area::Working, reply) || reply.size() < 2) return ModeCheck::Failed;
  if (reply[0] & 0x40) return ModeCheck::InMode;
  prompter_.MsgBox(MsgKind::Warning, MsgButtons::Ok, Tr("ServoList", kRebootToSvlMode), kEnglish);
  return ModeCheck::NotInMode;
}

bool ServoList::Load() {
  if (CheckMode() != ModeCheck::InMode) return false;
  for (int n = 1; n <= kChannels; ++n) {
    std::optional<ServoRecord> record;
    if (Svl(n)) record = ReadRecord(n, FormatOf(n));
    ShowRow(n, record ? &*record : nullptr);
  }
  return true;
}

std::optional<ServoRecord> ServoList::ReadRecord(int channel, RecordFormat format) {
  if (!Valid(channel)) return std::nullopt;
  Bytes reply;
  const bool ok = format == RecordFormat::Long ? link_.ReadSvlEntryLong(channel - 1, reply)
                                               : link_.ReadSvlEntryShort(channel - 1, reply);
  if (!ok) return std::nullopt;
  return ServoRecord::FromBytes(format, reply);
}

bool ServoList::WriteRecord(int channel, const ServoRecord& record) {
  if (!Valid(channel) || record.bytes.size() != RecordSize(record.format)) return false;
  return record.format == RecordFormat::Long ? link_.WriteSvlEntryLong(channel - 1, record.bytes)
                                             : link_.WriteSvlEntryShort(channel - 1, record.bytes);
}

std::optional<ServoRecord> ServoList::BeginEdit(int channel) {
  if (CheckMode() != ModeCheck::InMode) return std::nullopt;
  if (!Valid(channel) || !Svl(channel)) return std::nullopt;
  return ReadRecord(channel, FormatOf(channel));
}

bool ServoList::FinishEdit(int channel, const ServoRecord& record) {
  if (!Valid(channel)) return false;
  ShowRow(channel, &record);
  return WriteRecord(channel, record);
}

std::string ServoList::EditCaption(int channel) const {
  return std::to_string(channel) + ":" + Name(channel);
}

bool ServoList::CanDrop(int from, int to) const {
  return Valid(from) && Valid(to) && Svl(from) && Svl(to) && Serial(from) == Serial(to);
}

bool ServoList::Drop(int from, int to) {
  if (!CanDrop(from, to)) return false;
  const std::optional<ServoRecord> record = ReadRecord(from, FormatOf(to));
  if (!record) return false;
  ShowRow(to, &*record);
  return WriteRecord(to, *record);
}

std::string ServoList::Name(int channel) const {
  if (look_) return look_->ChannelCaption(channel);
  return "CH" + std::to_string(channel);
}

void ServoList::ShowRow(int channel, const ServoRecord* record) {
  rows_[static_cast<size_t>(channel - 1)] =
      ServoListRowFor(channel, Name(channel), Svl(channel), Serial(channel), record);
}

}  // namespace brv3
