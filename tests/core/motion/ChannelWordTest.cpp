#include "core/motion/ChannelWord.h"

#include <gtest/gtest.h>

#include "core/motion/PoseRecord.h"

namespace brv3 {
namespace {

ChannelWords All(uint16_t w) {
  ChannelWords words;
  words.fill(w);
  return words;
}

}  // namespace

TEST(ChannelWord, ClassesAndBasesAtEveryBoundary) {
  struct Case {
    uint16_t word;
    int cls;
    int32_t base;
  };
  const Case cases[] = {
      {0, 0, 0},          {1, 1, 1},          {32773, 1, 1},      {32774, 2, 32774},
      {32775, 3, 32775},  {32902, 3, 32775},  {32903, 4, 32903},  {33030, 4, 32903},
      {33031, 5, 33031},  {33286, 5, 33031},  {33287, 6, 33287},  {33543, 7, 33543},
      {33798, 7, 33543},  {35846, 9, 35846},  {36613, 11, 36358}, {36614, 12, 36614},
      {37381, 14, 37126}, {37382, 15, 37382}, {38405, 18, 38150}, {38406, 19, 38406},
      {39429, 22, 39174}, {39430, 34, 39430}, {39941, 35, 39686}, {39942, 8, 39942},
      {57348, 8, 39942},  {57349, 36, 57349}, {57433, 36, 57349}, {57434, 37, 57434},
      {57518, 37, 57434}, {57519, 38, 57519}, {64500, 23, 64500}, {65267, 25, 65012},
      {65268, 26, 65268}, {65269, 27, 65268}, {65270, 28, 65268}, {65271, 29, 65271},
      {65526, 29, 65271}, {65527, 30, 65527}, {65534, 30, 65527}, {65535, 31, 65535},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WordClass(c.word), c.cls) << c.word;
    EXPECT_EQ(WordBase(c.word).base, c.base) << c.word;
    EXPECT_EQ(WordBase(c.word).operand, c.word - c.base) << c.word;
  }
  // The two gaps have no class; two pairs in the second gap still have a base.
  for (uint16_t w : {33799, 35845, 57520, 64495, 64499}) EXPECT_EQ(WordClass(w), 255) << w;
  EXPECT_EQ(WordBase(33799).operand, -1);
  EXPECT_EQ(WordBase(64495).base, 64496);
  EXPECT_EQ(WordBase(64495).operand, -1);
  EXPECT_EQ(WordBase(64497).base, 64496);
  EXPECT_EQ(WordBase(64497).operand, 1);
  EXPECT_EQ(WordBase(64499).base, 64498);
  EXPECT_EQ(WordBase(64499).operand, 1);
}

TEST(ChannelWord, DerivedTypes) {
  EXPECT_EQ(DeriveType(All(0)), kPosition);
  EXPECT_EQ(DeriveType(All(16384)), kPosition);
  EXPECT_EQ(DeriveType(All(32774)), kSet);
  EXPECT_EQ(DeriveType(All(33543)), kCompare);
  EXPECT_EQ(DeriveType(All(64500)), kMix);
  EXPECT_EQ(DeriveType(All(65535)), kEndStep);
  EXPECT_EQ(DeriveType(All(0x8107 + 5)), kJumpStep);
  EXPECT_EQ(DeriveType(All(34000)), kNoType);
  EXPECT_EQ(DeriveType(All(40000)), kSet);  // comparison register

  ChannelWords conflict = All(0);
  conflict[0] = 33543;
  conflict[23] = 32774;
  EXPECT_EQ(DeriveType(conflict), kPosition);

  ChannelWords lastNeutral = All(32774);
  lastNeutral[23] = 0;
  EXPECT_EQ(DeriveType(lastNeutral), kPosition);

  ChannelWords setThenSpeed = All(32774);
  setThenSpeed[23] = 0x8010;  // a speed word is neutral
  EXPECT_EQ(DeriveType(setThenSpeed), kPosition);

  ChannelWords setWithNeutrals = All(16384);
  setWithNeutrals[4] = 39942;
  setWithNeutrals[23] = 32774;
  EXPECT_EQ(DeriveType(setWithNeutrals), kSet);
}

TEST(PoseRecord, PacksHighByteFirstAndRoundTrips) {
  PoseRecord r;
  r.Head = 0x21;
  for (int c = 0; c < kChannels; ++c) r.Values[c] = static_cast<uint16_t>(0x0102 * (c + 1));
  Bytes b = r.Pack();
  ASSERT_EQ(b.size(), 49u);
  EXPECT_EQ(b[0], 0x21);
  EXPECT_EQ(b[1], 0x01);
  EXPECT_EQ(b[2], 0x02);
  EXPECT_EQ(b[47], 0x18);
  EXPECT_EQ(b[48], 0x30);
  EXPECT_EQ(PoseRecord::Unpack(b), r);
  b.push_back(0x99);  // a trailing checksum is ignored
  EXPECT_EQ(PoseRecord::Unpack(b), r);
  EXPECT_FALSE(PoseRecord::Unpack(Bytes(48)).has_value());
}

}  // namespace brv3
