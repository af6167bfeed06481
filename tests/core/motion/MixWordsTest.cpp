#include "core/motion/MixWords.h"

#include <gtest/gtest.h>

#include "core/motion/ChannelWord.h"

namespace brv3 {

TEST(MixWords, EveryRowRoundTripsAndStaysAMixWord) {
  for (int source = 0; source < kMixSourceCount; ++source) {
    for (int factor = -63; factor <= 63; ++factor) {
      uint16_t word = EncodeMixWord({source, factor});
      ASSERT_EQ(DecodeMixWord(word), (MixRow{source, factor})) << source << " " << factor;
      ASSERT_EQ(WordClassType(WordClass(word)), kMix) << word;
    }
  }
  MixRows rows;
  rows[0] = {5, -3};
  rows[23] = {10, 63};
  EXPECT_EQ(DecodeMixWords(EncodeMixWords(rows)), rows);
}

TEST(MixWords, WordsOfTheMixingDialog) {
  EXPECT_EQ(EncodeMixWord({5, -3}), 38857);  // PA2-P x -3
  EXPECT_EQ(EncodeMixWord({0, 5}), 36619);   // OFF keeps the factor
  EXPECT_EQ(DecodeMixWord(36619), (MixRow{0, 5}));
  EXPECT_EQ(DecodeMixWord(64756 + 0x90), (MixRow{9, 16}));  // AD2-R x 16
  EXPECT_EQ(EncodeMixWord({8, 0}), 64500 + 0x80);
  // A new Mix object reads OFF / OFF and is rewritten as 36614.
  EXPECT_EQ(DecodeMixWord(64500), (MixRow{0, 0}));
  EXPECT_EQ(EncodeMixWord(DecodeMixWord(64500)), 36614);
  // A base that is no source reads OFF; a word of no class carries no factor.
  EXPECT_EQ(DecodeMixWord(35846 + 0x85).source, 0);
  EXPECT_EQ(DecodeMixWord(60000), (MixRow{0, 0}));
}

TEST(MixWords, FactorBytesAndListItems) {
  EXPECT_EQ(MixFactorFromByte(0xC5), -5);
  EXPECT_EQ(MixFactorFromByte(0x85), 5);
  EXPECT_EQ(MixFactorFromByte(0x45), 0);
  EXPECT_EQ(MixFactorByte(-63), 0xFF);
  EXPECT_EQ(MixFactorByte(0), 0x00);
  EXPECT_EQ(MixFactorByte(100), 0xBF);
  for (int f = -63; f <= 63; ++f) EXPECT_EQ(MixFactorFromByte(MixFactorByte(f)), f);
  EXPECT_EQ(MixFactorItem(0), "x -63");
  EXPECT_EQ(MixFactorItem(62), "x -1");
  EXPECT_EQ(MixFactorItem(63), "OFF");
  EXPECT_EQ(MixFactorItem(126), "x 63");
}

}  // namespace brv3
