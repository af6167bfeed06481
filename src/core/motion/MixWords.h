#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/chart/Chart.h"

namespace brv3 {

// One row of the mixing dialog: source item 0 ("OFF") .. 10 and factor -63..63 (0 = "OFF").
struct MixRow {
  int source = 0;
  int factor = 0;
  bool operator==(const MixRow&) const = default;
};
using MixRows = std::array<MixRow, kChannels>;

constexpr int kMixSourceCount = 11;
constexpr int kMixFactorLimit = 63;
// Source list items in order: "OFF", "AD1-P" ... "AD3-R".
extern const std::array<const char*, kMixSourceCount> kMixSourceItems;
// The base word of source item 1..10 (0 for "OFF").
extern const std::array<uint16_t, kMixSourceCount> kMixSourceBases;

// The mixing byte of a factor: 0 for 0, 0x80 | f above, 0xC0 | -f below (factor held in +-63).
uint8_t MixFactorByte(int factor);
// The factor of a mixing byte: 0 without bit 7, else the signed magnitude of bits 0-6.
int MixFactorFromByte(uint8_t byte);

// Factor list items ("x -63" ... "x -1", "OFF", "x 1" ... "x 63"); index = factor + 63.
std::string MixFactorItem(int index);

uint16_t EncodeMixWord(const MixRow& row);
MixRow DecodeMixWord(uint16_t word);
ChannelWords EncodeMixWords(const MixRows& rows);
MixRows DecodeMixWords(const ChannelWords& words);

}  // namespace brv3
