#include "core/motion/ChannelWord.h"

namespace brv3 {
namespace {

struct WordRange {
  uint16_t first;
  uint16_t last;
  int wordClass;
  int32_t base;
};

// The channel word space, in ascending order of words.
constexpr WordRange kRanges[] = {
    {0, 0, 0, 0},
    {1, 32773, 1, 1},
    {32774, 32774, 2, 32774},
    {32775, 32902, 3, 32775},
    {32903, 33030, 4, 32903},
    {33031, 33286, 5, 33031},
    {33287, 33542, 6, 33287},
    {33543, 33798, 7, 33543},
    {35846, 36101, 9, 35846},
    {36102, 36357, 10, 36102},
    {36358, 36613, 11, 36358},
    {36614, 36869, 12, 36614},
    {36870, 37125, 13, 36870},
    {37126, 37381, 14, 37126},
    {37382, 37637, 15, 37382},
    {37638, 37893, 16, 37638},
    {37894, 38149, 17, 37894},
    {38150, 38405, 18, 38150},
    {38406, 38661, 19, 38406},
    {38662, 38917, 20, 38662},
    {38918, 39173, 21, 38918},
    {39174, 39429, 22, 39174},
    {39430, 39685, 34, 39430},
    {39686, 39941, 35, 39686},
    {39942, 57348, 8, 39942},
    {57349, 57433, 36, 57349},
    {57434, 57518, 37, 57434},
    {57519, 57519, 38, 57519},
    {64500, 64755, 23, 64500},
    {64756, 65011, 24, 64756},
    {65012, 65267, 25, 65012},
    {65268, 65268, 26, 65268},
    {65269, 65269, 27, 65268},
    {65270, 65270, 28, 65268},
    {65271, 65526, 29, 65271},
    {65527, 65534, 30, 65527},
    {65535, 65535, 31, 65535},
};

const WordRange* FindRange(uint16_t word) {
  size_t lo = 0, hi = std::size(kRanges);
  while (lo < hi) {
    size_t mid = (lo + hi) / 2;
    if (kRanges[mid].last < word)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo < std::size(kRanges) && kRanges[lo].first <= word) return &kRanges[lo];
  return nullptr;
}

}  // namespace

int WordClass(uint16_t word) {
  const WordRange* r = FindRange(word);
  return r ? r->wordClass : kNoWordClass;
}

WordBaseResult WordBase(uint16_t word) {
  if (const WordRange* r = FindRange(word)) return {r->base, word - r->base};
  if (word == 64496 || word == 64497) return {64496, word - 64496};
  if (word == 64498 || word == 64499) return {64498, word - 64498};
  return {word + 1, -1};
}

uint8_t WordClassType(int wordClass) {
  switch (wordClass) {
    case 0:
    case 1:
    case 3:
    case 4:
      return kPosition;
    case 2:
    case 6:
    case 8:
    case 26:
    case 27:
    case 28:
    case 29:
    case 30:
    case 36:
    case 37:
    case 38:
      return kSet;
    case 7:
    case 9:
    case 10:
    case 11:
    case 15:
    case 16:
    case 17:
    case 18:
    case 34:
    case 35:
      return kCompare;
    case 5:
      return kJumpStep;
    case 31:
      return kEndStep;
    case 12:
    case 13:
    case 14:
    case 19:
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
    case 25:
      return kMix;
    default:
      return kNoType;
  }
}

uint8_t DeriveType(const ChannelWords& words) {
  uint8_t first = 0;
  uint8_t type = 0;
  for (uint16_t w : words) {
    type = WordClassType(WordClass(w));
    if (type == 0) continue;
    if (first == 0)
      first = type;
    else if (type != first)
      return kPosition;
  }
  return type;
}

}  // namespace brv3
