#include "core/motion/SetCompareWords.h"

#include <algorithm>

#include "core/motion/ChannelWord.h"
#include "core/util/NumberText.h"

namespace brv3 {
namespace {

constexpr uint16_t kLoopCounterBase = 33287;
constexpr uint16_t kRegisterBase = 40965;  // 39942 + 1023: the word of register value 0
constexpr uint16_t kAdReferenceBase = 65268;
constexpr uint16_t kTimebaseBase = 65527;
constexpr uint16_t kSensorControlBase = 65271;
constexpr uint16_t kJumpSlotBase = 57349;
constexpr uint16_t kCallSlotBase = 57434;
constexpr uint16_t kCallReturnWord = 57519;
constexpr int kMixClass = 1000;  // stands for every mixing class in the Set dialog's walk

int Hold(int value, int lo, int hi) {
  return std::clamp(value, lo, hi);
}

uint16_t Word(int base, int operand) {
  return static_cast<uint16_t>(base + operand);
}

int FoldMixingClass(int wordClass) {
  return WordClassType(wordClass) == kMix ? kMixClass : wordClass;
}

}  // namespace

const std::array<const char*, 8> kCycleItems = {"15ms", "17.5ms", "20ms", "22.5ms",
                                                "25ms", "27.5ms", "30ms", "32.5ms"};

const std::array<uint16_t, kCompareOptionCount> kCompareWords = {33543, 35846, 36102, 36358, 37382,
                                                                 37638, 37894, 38150, 39430, 39686};

uint16_t EncodeSetWord(const SetChoice& choice) {
  const int v = choice.operand;
  switch (choice.option) {
    case SetOption::Capture:
      return kWordCapture;
    case SetOption::LoopCounter:
      return Word(kLoopCounterBase, Hold(v, kLoopCountMin, kLoopCountMax));
    case SetOption::ComparisonRegister:
      return Word(kRegisterBase, Hold(v, kRegisterMin, kRegisterMax));
    case SetOption::SensorReference:
      return Word(kAdReferenceBase, Hold(v, 0, 2));
    case SetOption::Timebase:
      return Word(kTimebaseBase, Hold(v, 0, 7));
    case SetOption::SensorControl:
      return Word(kSensorControlBase, v & 0x3F);
    case SetOption::Jump:
      return Word(kJumpSlotBase, Hold(v, 0, kTableEntries - 1));
    case SetOption::Call:
      return Word(kCallSlotBase, Hold(v, 0, kTableEntries - 1));
    case SetOption::CallReturn:
      return kCallReturnWord;
    case SetOption::None:
      break;
  }
  return kSetNoOptionWord;
}

ChannelWords EncodeSetWords(const SetChoice& choice) {
  ChannelWords words;
  words.fill(EncodeSetWord(choice));
  return words;
}

int SetDialogClass(const ChannelWords& words) {
  int first = 0;
  for (uint16_t w : words) {
    int c = FoldMixingClass(WordClass(w));
    if (c == 0) continue;
    if (first == 0)
      first = c;
    else if (c != first)
      return 0;
  }
  return WordClass(words.back());
}

std::optional<SharedBase> SharedWordBase(const ChannelWords& words) {
  WordBaseResult last = WordBase(words.back());
  for (uint16_t w : words)
    if (WordBase(w).base != last.base) return std::nullopt;
  return SharedBase{last.base, last.operand};
}

SetDisplay DecodeSetWords(const ChannelWords& words) {
  SetDisplay shown;
  const int wordClass = SetDialogClass(words);
  switch (wordClass) {
    case 2:
      shown.option = SetOption::Capture;
      return shown;
    case 38:
      shown.option = SetOption::CallReturn;
      return shown;
    case 6:
      shown.option = SetOption::LoopCounter;
      break;
    case 8:
      shown.option = SetOption::ComparisonRegister;
      break;
    case 26:
    case 27:
    case 28:
      shown.option = SetOption::SensorReference;
      break;
    case 29:
      shown.option = SetOption::SensorControl;
      break;
    case 30:
      shown.option = SetOption::Timebase;
      break;
    case 36:
      shown.option = SetOption::Jump;
      break;
    case 37:
      shown.option = SetOption::Call;
      break;
    default:
      return shown;
  }
  auto shared = SharedWordBase(words);
  if (!shared) return shown;
  int operand = shared->operand;
  if (shown.option == SetOption::ComparisonRegister) operand -= 1023;
  shown.operand = operand;
  return shown;
}

int LoopCountFromText(std::string_view text, int barPosition) {
  auto value = ParseDecimalInteger(TrimBlanks(text));
  if (!value || *value < kLoopCountMin || *value > kLoopCountMax) return barPosition;
  return static_cast<int>(*value);
}

int RegisterValueFromText(std::string_view text) {
  auto value = ParseDecimalInteger(TrimBlanks(text)).value_or(0);
  return static_cast<int>(std::clamp<int64_t>(value, kRegisterMin, kRegisterMax));
}

std::optional<uint16_t> EncodeCompareWord(int tag) {
  if (tag < 0 || tag >= kCompareOptionCount) return std::nullopt;
  return kCompareWords[static_cast<size_t>(tag)];
}

int DecodeCompareWords(const ChannelWords& words) {
  auto shared = SharedWordBase(words);
  if (!shared) return -1;
  for (int tag = 0; tag < kCompareOptionCount; ++tag)
    if (kCompareWords[static_cast<size_t>(tag)] == shared->base) return tag;
  return -1;
}

}  // namespace brv3
