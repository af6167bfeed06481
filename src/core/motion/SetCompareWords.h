#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/chart/Chart.h"

namespace brv3 {

// The options of the Set dialog, one per radio button (None: no button selected).
enum class SetOption {
  None,
  Capture,             // RadBtn1
  LoopCounter,         // RadBtn2: operand = loop count 1..255
  ComparisonRegister,  // RadBtn3: operand = register value -1023..16383
  SensorReference,     // RadBtn4: operand = AdList index 0..2 (AD1..AD3)
  Timebase,            // RadBtn5: operand = CycleList index 0..7
  SensorControl,       // RadBtn6: operand = the Sck bits 0..63 (Sck1 = bit 0)
  Jump,                // RadBtn11: operand = board slot 0..84
  Call,                // RadBtn12: operand = board slot 0..84
  CallReturn,          // RadBtn13
};

struct SetChoice {
  SetOption option = SetOption::None;
  int operand = 0;  // meaning per option above; ignored where an option has none
  bool operator==(const SetChoice&) const = default;
};

// What the Set dialog shows when it opens: the option and, when the 24 words share one base, the
// operand in the units of SetChoice. Without an operand the controls keep their opening values.
struct SetDisplay {
  SetOption option = SetOption::None;
  std::optional<int> operand;
  bool operator==(const SetDisplay&) const = default;
};

constexpr uint16_t kSetNoOptionWord = 64497;
constexpr int kLoopCountMin = 1, kLoopCountMax = 255;
constexpr int kRegisterMin = -1023, kRegisterMax = 16383;

// The output periods of CycleList, in item order.
extern const std::array<const char*, 8> kCycleItems;

// The word of a Set choice; operands outside their range are held at the ends (sensor bits are
// masked to six). No option gives 64497.
uint16_t EncodeSetWord(const SetChoice& choice);
ChannelWords EncodeSetWords(const SetChoice& choice);

// The class the Set dialog reads from 24 words: classes in channel order with all mixing classes
// counted as one; 0 when two non-zero classes differ, else the class of channel 24's word.
int SetDialogClass(const ChannelWords& words);
SetDisplay DecodeSetWords(const ChannelWords& words);

// Edit1 after Enter: the integer typed, or the bar position when the text is not an integer in
// 1..255.
int LoopCountFromText(std::string_view text, int barPosition);
// Edit2: the integer typed (0 when it is not one), held within -1023..16383.
int RegisterValueFromText(std::string_view text);

// Compare conditions by radio-button tag 0..9.
constexpr int kCompareOptionCount = 10;
extern const std::array<uint16_t, kCompareOptionCount> kCompareWords;

// The word of Compare tag 0..9; nullopt for any other tag.
std::optional<uint16_t> EncodeCompareWord(int tag);
// The tag whose word equals the base shared by all 24 words; -1 when none.
int DecodeCompareWords(const ChannelWords& words);

// The base shared by all 24 words and the operand of channel 24's word; nullopt when two bases
// differ.
struct SharedBase {
  int32_t base;
  int32_t operand;
};
std::optional<SharedBase> SharedWordBase(const ChannelWords& words);

}  // namespace brv3
