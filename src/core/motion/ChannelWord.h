#pragma once

#include <cstdint>

#include "core/chart/Chart.h"

namespace brv3 {

// Named words of the channel word space.
constexpr uint16_t kPositionCenter = 16384;
constexpr uint16_t kWordL = 0x8000;
constexpr uint16_t kWordH = 0x8001;
constexpr uint16_t kWordFree = 0x8002;
constexpr uint16_t kWordCapture = 0x8006;
constexpr uint16_t kWordSpeedBase = 0x8007;
constexpr uint16_t kWordStretchBase = 0x8087;
constexpr uint16_t kWordJumpBase = 0x8107;
constexpr uint16_t kWordEnd = 0xFFFF;

constexpr int kNoWordClass = 255;

// The class number of a channel word (0..38, or 255 for a word of no meaning).
int WordClass(uint16_t word);

struct WordBaseResult {
  int32_t base;
  int32_t operand;  // word - base; -1 for a word of no class outside the two known pairs
};
WordBaseResult WordBase(uint16_t word);

// The object type a word of a given class stands for (0 Position, 1 Set, 2 Compare, 3 jump step,
// 4 end step, 6 Mix, 255 none).
uint8_t WordClassType(int wordClass);

// The type of an object or compiled step derived from its 24 words, channel 1 first.
uint8_t DeriveType(const ChannelWords& words);

}  // namespace brv3
