#include "core/board/Trim.h"

#include "core/comm/BoardLink.h"
#include "core/util/IniFile.h"
#include "core/util/NumberText.h"

namespace brv3 {

TrimRange TrimRangeFor(const ChannelMask& serialMask, int channel) {
  if (MaskHasChannel(serialMask, channel)) return {kSerialTrimMin, kSerialTrimMax};
  return {kPulseTrimMin, kPulseTrimMax};
}

Bytes TrimBytes(const TrimSet& trim) {
  Bytes bytes;
  bytes.reserve(2 * kChannels);
  for (uint16_t v : trim) {
    bytes.push_back(static_cast<uint8_t>(v / 256));
    bytes.push_back(static_cast<uint8_t>(v % 256));
  }
  return bytes;
}

std::optional<TrimSet> TrimFromBytes(const Bytes& bytes) {
  if (bytes.size() < 2 * kChannels) return std::nullopt;
  TrimSet trim{};
  for (size_t i = 0; i < trim.size(); ++i)
    trim[i] = static_cast<uint16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
  return trim;
}

std::optional<TrimSet> ReadTrimFile(const IniFile& ini) {
  if (!ini.SectionExists(kTrimSection)) return std::nullopt;
  TrimSet trim{};
  for (int n = 1; n <= kChannels; ++n) {
    const int32_t value = ini.ReadInteger(kTrimSection, "CH" + std::to_string(n), -1);
    if (value < 0 || value > 0xFFFF) return std::nullopt;
    trim[static_cast<size_t>(n - 1)] = static_cast<uint16_t>(value);
  }
  return trim;
}

void WriteTrimFile(IniFile& ini, const TrimSet& trim) {
  ini.Clear();
  for (int n = 1; n <= kChannels; ++n)
    ini.WriteInteger(kTrimSection, "CH" + std::to_string(n), trim[static_cast<size_t>(n - 1)]);
}

std::optional<TrimSet> ReadStoredTrim(BoardLink& link) {
  Bytes reply;
  if (!link.ReadTrim(Area::Stored, reply)) return std::nullopt;
  return TrimFromBytes(reply);
}

bool TrimEditor::Open() {
  if (!link_.SetSleep(ModeSwitch::On)) return false;
  Bytes reply;
  if (!link_.ReadSsvChannelMask(reply) || reply.size() < 3) return false;
  mask_ = {reply[0], reply[1], reply[2]};
  const std::optional<TrimSet> trim = ReadStoredTrim(link_);
  if (!trim) return false;
  Fill(*trim);
  return link_.SetSleep(ModeSwitch::Off);
}

bool TrimEditor::Close() {
  storedWritten_ = false;
  if (!link_.SetSleep(ModeSwitch::On)) return false;
  storedWritten_ = link_.WriteTrim(Area::Stored, TrimBytes(trim_));
  // The write's fault is the one to tell when both fail.
  const LinkFault fault = link_.LastFault();
  const bool awake = link_.SetSleep(ModeSwitch::Off);
  if (!storedWritten_ && awake) link_.RestoreFault(fault);
  return storedWritten_ && awake;
}

void TrimEditor::SliderMoved(int channel, int position) {
  if (!Valid(channel)) return;
  trim_[Index(channel)] = static_cast<uint16_t>(Range(channel).Hold(position));
  offsets_[Index(channel)] = trim_[Index(channel)] - kTrimCentre;
  link_.SetTrimLive(channel - 1, trim_[Index(channel)]);
}

void TrimEditor::EditEntered(int channel, const std::string& text) {
  if (!Valid(channel)) return;
  const std::optional<int64_t> typed = ParseDecimalInteger(text);
  const int64_t offset = typed && *typed > -100000 && *typed < 100000 ? *typed : Offset(channel);
  SliderMoved(channel, static_cast<int>(offset + kTrimCentre));
}

void TrimEditor::Fill(const TrimSet& trim) {
  for (int n = 1; n <= kChannels; ++n) {
    trim_[Index(n)] = static_cast<uint16_t>(Range(n).Hold(trim[Index(n)]));
    offsets_[Index(n)] = trim[Index(n)] - kTrimCentre;
  }
}

bool TrimEditor::LoadTrim(const TrimSet& trim) {
  Fill(trim);
  if (!link_.SetSleep(ModeSwitch::On)) return false;
  const bool written = link_.WriteTrim(Area::Working, TrimBytes(trim_));
  const bool awake = link_.SetSleep(ModeSwitch::Off);
  return written && awake;
}

}  // namespace brv3
