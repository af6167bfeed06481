#include "core/motion/MixWords.h"

#include <algorithm>

#include "core/motion/ChannelWord.h"

namespace brv3 {

const std::array<const char*, kMixSourceCount> kMixSourceItems = {
    "OFF",   "AD1-P", "AD2-P", "AD3-P", "PA1-P", "PA2-P",
    "PA3-P", "PA4-P", "AD1-R", "AD2-R", "AD3-R"};

const std::array<uint16_t, kMixSourceCount> kMixSourceBases = {
    0, 36614, 36870, 37126, 38406, 38662, 38918, 39174, 64500, 64756, 65012};

namespace {

constexpr uint8_t kEntryOn = 0x80;
constexpr uint8_t kNegative = 0x40;
constexpr uint8_t kMagnitude = 0x3F;

int FactorOfOperand(int operand) {
  int magnitude = operand & kMagnitude;
  return (operand & kNegative) ? -magnitude : magnitude;
}

}  // namespace

uint8_t MixFactorByte(int factor) {
  factor = std::clamp(factor, -kMixFactorLimit, kMixFactorLimit);
  if (factor == 0) return 0;
  if (factor > 0) return static_cast<uint8_t>(kEntryOn | factor);
  return static_cast<uint8_t>(kEntryOn | kNegative | -factor);
}

int MixFactorFromByte(uint8_t byte) {
  return (byte & kEntryOn) ? FactorOfOperand(byte) : 0;
}

std::string MixFactorItem(int index) {
  int factor = index - kMixFactorLimit;
  if (factor == 0) return "OFF";
  if (factor < 0) return "x -" + std::to_string(-factor);
  return "x " + std::to_string(factor);
}

uint16_t EncodeMixWord(const MixRow& row) {
  const uint8_t operand = MixFactorByte(row.factor);
  if (row.source >= 1 && row.source < kMixSourceCount)
    return static_cast<uint16_t>(kMixSourceBases[static_cast<size_t>(row.source)] +
                                 (operand | kEntryOn));
  return static_cast<uint16_t>(kMixSourceBases[1] + (operand & ~kEntryOn & 0xFF));
}

MixRow DecodeMixWord(uint16_t word) {
  WordBaseResult split = WordBase(word);
  // Words of no class carry no operand; they read as "OFF" / "OFF".
  const int operand = split.operand < 0 ? 0 : split.operand;
  MixRow row;
  row.factor = FactorOfOperand(operand);
  if (!(operand & kEntryOn)) return row;
  for (int s = 1; s < kMixSourceCount; ++s)
    if (kMixSourceBases[static_cast<size_t>(s)] == split.base) row.source = s;
  return row;
}

ChannelWords EncodeMixWords(const MixRows& rows) {
  ChannelWords words{};
  for (size_t c = 0; c < kChannels; ++c) words[c] = EncodeMixWord(rows[c]);
  return words;
}

MixRows DecodeMixWords(const ChannelWords& words) {
  MixRows rows;
  for (size_t c = 0; c < kChannels; ++c) rows[c] = DecodeMixWord(words[c]);
  return rows;
}

}  // namespace brv3
