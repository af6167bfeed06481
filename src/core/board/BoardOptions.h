#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/comm/TableEntry.h"
#include "core/motion/PoseEditorBoard.h"

namespace brv3 {

class BoardLink;

// Mode-word bits the options own besides the named ones of BoardLayout.h: remote play,
// start switch, power-up motion, low voltage and playback reports.
constexpr uint16_t kOptAlwaysZero = 0x0110;  // bits 8 and 4
constexpr uint16_t kOptTimebase = 0x00E0;    // bits 7..5
constexpr uint16_t kOptZlt1 = 0x0008;        // bit 3

constexpr int kTimebaseCount = 8;
constexpr int kMinVoltTenths = 55;
constexpr int kMaxVoltTenths = 150;
constexpr int kDefaultVoltTenths = 60;

// What the options dialog's controls hold. A list item 0 is "OFF"; item k stands for slot k - 1.
struct OptionChoices {
  bool remotePlayback = false;  // Check1
  bool motionReplay = false;    // Check5
  bool zlt1 = false;            // Check7
  int timebase = 0;             // CycleList index
  int startSwitchItem = 0;      // BtnList
  int powerUpItem = 0;          // StartList
  int lowVoltageItem = 0;       // AlarmList
  int voltTenths = kDefaultVoltTenths;
  bool operator==(const OptionChoices&) const = default;
};

// One control of the options dialog, described once: the dialog binds it by `control` and the
// configuration file writes and reads it under `key`.
enum class OptionKind {
  Check,     // a check box: `flag`
  Timebase,  // the timebase list: `item`, shown as TimebaseText
  Motion,    // a motion list: `item`, 0 for "OFF", else slot item - 1
  Volt,      // the low-voltage threshold in tenths of a volt: `item`
};
struct OptionField {
  const char* key;
  const char* control;
  OptionKind kind;
  bool OptionChoices::*flag = nullptr;
  int OptionChoices::*item = nullptr;
};
// In the configuration file's order.
extern const std::array<OptionField, 8> kOptionFields;

// The word written for `read`: owned bits from the choices, bits 8 and 4 cleared, bits 15, 14
// and 2..0 as read.
uint16_t ApplyOptionBits(uint16_t read, const OptionChoices& choices);

const char* TimebaseText(int index);  // "15ms" .. "32.5ms"; "" out of range
std::optional<int> TimebaseIndex(const std::string& text);

// Raw threshold to tenths of a volt and back, both rounded half to even.
int RawToVoltTenths(uint16_t raw);
uint16_t VoltTenthsToRaw(int tenths);
std::string VoltText(int tenths);  // "06.0V"

// The list item for a slot byte and its mode-word bit: the slot's item, or 0 ("OFF").
int ListItemFor(uint8_t slot, bool bitSet);
// "OFF", then one item per slot 0..84: the slot lists' texts (number, name, date, or that the
// row was not read); a slot without a text shows its number.
std::vector<std::string> MotionListItems(const std::vector<std::string>& slotItems);

// The channel boxes and the mask bytes.
ChannelMask MaskOf(const std::array<bool, kChannels>& boxes);
std::vector<int> MaskChannels(const ChannelMask& mask);

// Everything the options dialog shows, as the board holds it.
struct BoardOptionsData {
  uint16_t modeWord = 0;  // stored copy
  std::array<uint8_t, 2> startMotions{};
  std::array<uint8_t, 3> alarm{};
  ChannelMask serialMask{};
  ChannelMask svlMask{};

  uint16_t VoltRaw() const { return static_cast<uint16_t>(alarm[1] << 8 | alarm[2]); }
  // The controls as the dialog fills them.
  OptionChoices Choices() const;
};

// The options' board exchanges. Every write reads the board's current value first and changes
// only its own bits or bytes; a failed read means no write.
class BoardOptions {
 public:
  explicit BoardOptions(BoardLink& link) : link_(link) {}

  // The reads in the dialog's order, stopping at the first failure.
  std::optional<BoardOptionsData> Load();
  // Sleep on, Load, sleep off (a failed load leaves the board asleep).
  std::optional<BoardOptionsData> Open();

  // Stored copy (0x03), then only if that worked the working copy (0x01) with the same value.
  bool WriteModeWord(const OptionChoices& choices);
  // After a start-switch or power-up list change; a list on "OFF" keeps the board's byte.
  bool WriteStartMotions(const OptionChoices& choices);
  // After a low-voltage list change or a voltage release.
  bool WriteLowVoltage(const OptionChoices& choices);
  bool WriteSerialMask(const ChannelMask& mask);
  bool WriteSvlMask(const ChannelMask& mask);

 private:
  BoardLink& link_;
};

}  // namespace brv3
