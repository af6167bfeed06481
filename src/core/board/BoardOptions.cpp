#include "core/board/BoardOptions.h"

#include <algorithm>
#include <cstdio>

#include "core/board/ReplyBytes.h"
#include "core/comm/BoardLink.h"
#include "core/util/RoundHalfEven.h"

namespace brv3 {
namespace {

constexpr std::array<const char*, kTimebaseCount> kTimebases = {"15ms", "17.5ms", "20ms", "22.5ms",
                                                                "25ms", "27.5ms", "30ms", "32.5ms"};

uint16_t SetIf(uint16_t word, uint16_t bits, bool on) {
  return on ? static_cast<uint16_t>(word | bits) : static_cast<uint16_t>(word & ~bits);
}

}  // namespace

uint16_t ApplyOptionBits(uint16_t read, const OptionChoices& c) {
  uint16_t word = read;
  word = SetIf(word, kModeRemotePlay, c.remotePlayback);
  word = SetIf(word, kModeStartSwitch, c.startSwitchItem != 0);
  word = SetIf(word, kModePowerUpMotion, c.powerUpItem != 0);
  word = SetIf(word, kModeLowVoltage, c.lowVoltageItem != 0);
  word = SetIf(word, kModePlaybackReport, c.motionReplay);
  word = SetIf(word, kOptAlwaysZero, false);
  word = SetIf(word, kOptZlt1, c.zlt1);
  const int timebase = c.timebase < 0 || c.timebase >= kTimebaseCount ? 0 : c.timebase;
  word = static_cast<uint16_t>((word & ~kOptTimebase) | timebase << 5);
  return word;
}

const char* TimebaseText(int index) {
  return index >= 0 && index < kTimebaseCount ? kTimebases[static_cast<size_t>(index)] : "";
}

std::optional<int> TimebaseIndex(const std::string& text) {
  for (int i = 0; i < kTimebaseCount; ++i)
    if (text == kTimebases[static_cast<size_t>(i)]) return i;
  return std::nullopt;
}

int RawToVoltTenths(uint16_t raw) {
  return static_cast<int>(RoundHalfEven(raw * 0.1539));
}

uint16_t VoltTenthsToRaw(int tenths) {
  const int64_t raw = RoundHalfEven(tenths / 0.15359);
  return static_cast<uint16_t>(raw < 0 ? 0 : raw > 0xFFFF ? 0xFFFF : raw);
}

std::string VoltText(int tenths) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%dV", tenths / 10, tenths % 10);
  return text;
}

int ListItemFor(uint8_t slot, bool bitSet) {
  return bitSet && slot < kTableEntries ? slot + 1 : 0;
}

std::vector<std::string> MotionListItems(const std::vector<std::string>& slotItems) {
  std::vector<std::string> items{"OFF"};
  for (int slot = 0; slot < kTableEntries; ++slot) {
    const size_t i = static_cast<size_t>(slot);
    items.push_back(i < slotItems.size() ? slotItems[i] : Slot::LabelOf(slot));
  }
  return items;
}

ChannelMask MaskOf(const std::array<bool, kChannels>& boxes) {
  ChannelMask mask{};
  for (size_t n = 0; n < boxes.size(); ++n)
    if (boxes[n]) mask[n / 8] = static_cast<uint8_t>(mask[n / 8] | 1 << n % 8);
  return mask;
}

std::vector<int> MaskChannels(const ChannelMask& mask) {
  std::vector<int> channels;
  for (int n = 1; n <= kChannels; ++n)
    if (MaskHasChannel(mask, n)) channels.push_back(n);
  return channels;
}

const std::array<OptionField, 8> kOptionFields = {{
    {"motion_replay", "Check5", OptionKind::Check, &OptionChoices::motionReplay},
    {"remote_playback", "Check1", OptionKind::Check, &OptionChoices::remotePlayback},
    {"zlt1", "Check7", OptionKind::Check, &OptionChoices::zlt1},
    {"timebase", "CycleList", OptionKind::Timebase, nullptr, &OptionChoices::timebase},
    {"start_switch_motion", "BtnList", OptionKind::Motion, nullptr,
     &OptionChoices::startSwitchItem},
    {"power_up_motion", "StartList", OptionKind::Motion, nullptr, &OptionChoices::powerUpItem},
    {"low_voltage_motion", "AlarmList", OptionKind::Motion, nullptr,
     &OptionChoices::lowVoltageItem},
    {"low_voltage", "AlmVoltBtn", OptionKind::Volt, nullptr, &OptionChoices::voltTenths},
}};

OptionChoices BoardOptionsData::Choices() const {
  OptionChoices c;
  c.remotePlayback = (modeWord & kModeRemotePlay) != 0;
  c.motionReplay = (modeWord & kModePlaybackReport) != 0;
  c.zlt1 = (modeWord & kOptZlt1) != 0;
  c.timebase = (modeWord & kOptTimebase) >> 5;
  c.startSwitchItem = ListItemFor(startMotions[0], (modeWord & kModeStartSwitch) != 0);
  c.powerUpItem = ListItemFor(startMotions[1], (modeWord & kModePowerUpMotion) != 0);
  c.lowVoltageItem = ListItemFor(alarm[0], (modeWord & kModeLowVoltage) != 0);
  c.voltTenths = RawToVoltTenths(VoltRaw());
  return c;
}

std::optional<BoardOptionsData> BoardOptions::Load() {
  BoardOptionsData data;
  Bytes reply;
  if (!link_.ReadModeWord(Area::Stored, reply) || reply.size() < 2) return std::nullopt;
  data.modeWord = static_cast<uint16_t>(reply[0] << 8 | reply[1]);
  if (!TakeBytes(link_.ReadStartMotions(reply), reply, data.startMotions)) return std::nullopt;
  if (!TakeBytes(link_.ReadAlarmMotion(reply), reply, data.alarm)) return std::nullopt;
  if (!TakeBytes(link_.ReadSsvChannelMask(reply), reply, data.serialMask)) return std::nullopt;
  if (!TakeBytes(link_.ReadSvlChannelMask(reply), reply, data.svlMask)) return std::nullopt;
  return data;
}

std::optional<BoardOptionsData> BoardOptions::Open() {
  if (!link_.SetSleep(ModeSwitch::On)) return std::nullopt;
  std::optional<BoardOptionsData> data = Load();
  if (!data || !link_.SetSleep(ModeSwitch::Off)) return std::nullopt;
  return data;
}

bool BoardOptions::WriteModeWord(const OptionChoices& choices) {
  Bytes reply;
  if (!link_.ReadModeWord(Area::Stored, reply) || reply.size() < 2) return false;
  const uint16_t word = ApplyOptionBits(static_cast<uint16_t>(reply[0] << 8 | reply[1]), choices);
  if (!link_.WriteModeWord(Area::Stored, word)) return false;
  return link_.WriteModeWord(Area::Working, word);
}

bool BoardOptions::WriteStartMotions(const OptionChoices& choices) {
  Bytes reply;
  std::array<uint8_t, 2> bytes{};
  if (!TakeBytes(link_.ReadStartMotions(reply), reply, bytes)) return false;
  if (!WriteModeWord(choices)) return false;
  if (choices.startSwitchItem > 0) bytes[0] = static_cast<uint8_t>(choices.startSwitchItem - 1);
  if (choices.powerUpItem > 0) bytes[1] = static_cast<uint8_t>(choices.powerUpItem - 1);
  return link_.WriteStartMotions(bytes[0], bytes[1]);
}

bool BoardOptions::WriteLowVoltage(const OptionChoices& choices) {
  if (!WriteModeWord(choices)) return false;
  Bytes reply;
  std::array<uint8_t, 3> bytes{};
  if (!TakeBytes(link_.ReadAlarmMotion(reply), reply, bytes)) return false;
  const int motion = choices.lowVoltageItem > 0 ? choices.lowVoltageItem - 1 : bytes[0];
  return link_.WriteAlarmMotion(motion, VoltTenthsToRaw(choices.voltTenths));
}

bool BoardOptions::WriteSerialMask(const ChannelMask& mask) {
  return link_.WriteSsvChannelMask(Bytes(mask.begin(), mask.end()));
}

bool BoardOptions::WriteSvlMask(const ChannelMask& mask) {
  return link_.WriteSvlChannelMask(Bytes(mask.begin(), mask.end()));
}

}  // namespace brv3
