#include "core/motion/SetCompareWords.h"

#include <gtest/gtest.h>

#include "core/motion/ChannelWord.h"

namespace brv3 {
namespace {

ChannelWords Filled(uint16_t word) {
  ChannelWords w;
  w.fill(word);
  return w;
}

struct OptionRange {
  SetOption option;
  int first;
  int last;
};

}  // namespace

TEST(SetWords, EncodeThenDecodeGivesTheChoiceBackForEveryOptionAndOperand) {
  const OptionRange ranges[] = {
      {SetOption::LoopCounter, 1, 255},   {SetOption::ComparisonRegister, -1023, 16383},
      {SetOption::SensorReference, 0, 2}, {SetOption::Timebase, 0, 7},
      {SetOption::SensorControl, 0, 63},  {SetOption::Jump, 0, 84},
      {SetOption::Call, 0, 84},
  };
  for (const OptionRange& r : ranges) {
    for (int v = r.first; v <= r.last; ++v) {
      SetDisplay shown = DecodeSetWords(EncodeSetWords({r.option, v}));
      ASSERT_EQ(shown.option, r.option) << "operand " << v;
      ASSERT_EQ(shown.operand, v) << "option " << static_cast<int>(r.option);
    }
  }
  EXPECT_EQ(DecodeSetWords(EncodeSetWords({SetOption::Capture, 0})).option, SetOption::Capture);
  EXPECT_EQ(DecodeSetWords(EncodeSetWords({SetOption::CallReturn, 0})).option,
            SetOption::CallReturn);
  EXPECT_EQ(DecodeSetWords(EncodeSetWords({SetOption::None, 0})), SetDisplay{});
}

TEST(SetWords, WordsOfTheDialogChoices) {
  EXPECT_EQ(EncodeSetWord({SetOption::Capture, 0}), 32774);
  EXPECT_EQ(EncodeSetWord({SetOption::LoopCounter, 10}), 33297);
  EXPECT_EQ(EncodeSetWord({SetOption::ComparisonRegister, -1023}), 39942);
  EXPECT_EQ(EncodeSetWord({SetOption::ComparisonRegister, 16383}), 57348);
  EXPECT_EQ(EncodeSetWord({SetOption::ComparisonRegister, RegisterValueFromText("20000")}), 57348);
  EXPECT_EQ(EncodeSetWord({SetOption::SensorControl, 0b010010}), 65289);  // Sck2 and Sck5
  EXPECT_EQ(EncodeSetWord({SetOption::Jump, 80}), 57429);                 // S1
  EXPECT_EQ(EncodeSetWord({SetOption::Call, 0}), 57434);                  // M1
  EXPECT_EQ(EncodeSetWord({SetOption::SensorReference, 2}), 65270);
  EXPECT_EQ(EncodeSetWord({SetOption::Timebase, 7}), 65534);
  EXPECT_EQ(EncodeSetWord({SetOption::CallReturn, 0}), 57519);
  EXPECT_EQ(EncodeSetWord({SetOption::None, 0}), 64497);
  // Out-of-range operands are held at the ends.
  EXPECT_EQ(EncodeSetWord({SetOption::LoopCounter, 0}), 33288);
  EXPECT_EQ(EncodeSetWord({SetOption::Jump, 200}), 57349 + 84);
  EXPECT_EQ(DecodeSetWords(Filled(33297)), (SetDisplay{SetOption::LoopCounter, 10}));
}

TEST(SetWords, OpeningFindsNoOptionForMixedOrMeaninglessWords) {
  ChannelWords w = Filled(33297);
  w[0] = 33543;  // a Compare word among loop-counter words
  EXPECT_EQ(DecodeSetWords(w).option, SetOption::None);
  w = Filled(33297);
  w[23] = 0;  // channel 24 decides: class 0
  EXPECT_EQ(DecodeSetWords(w).option, SetOption::None);
  EXPECT_EQ(DecodeSetWords(Filled(kSetNoOptionWord)).option, SetOption::None);
  EXPECT_EQ(DecodeSetWords(Filled(16384)).option, SetOption::None);
  // A word 0 in channel 1 leaves the class but splits the bases: option without operand.
  w = Filled(33297);
  w[0] = 0;
  EXPECT_EQ(DecodeSetWords(w), (SetDisplay{SetOption::LoopCounter, std::nullopt}));
  // AD1 and AD2 references share a base but are different classes.
  w = Filled(65268);
  w[5] = 65269;
  EXPECT_EQ(DecodeSetWords(w).option, SetOption::None);
  // All mixing classes count as one class in the walk.
  w = Filled(64500);
  w[0] = 36614;
  EXPECT_EQ(SetDialogClass(w), 23);
  w[1] = 33297;
  EXPECT_EQ(SetDialogClass(w), 0);
}

TEST(SetWords, EditTextsFallBackAsTheDialogDoes) {
  EXPECT_EQ(LoopCountFromText("10", 3), 10);
  EXPECT_EQ(LoopCountFromText("300", 3), 3);
  EXPECT_EQ(LoopCountFromText("0", 3), 3);
  EXPECT_EQ(LoopCountFromText("ten", 3), 3);
  EXPECT_EQ(RegisterValueFromText("-5000"), -1023);
  EXPECT_EQ(RegisterValueFromText("x"), 0);
  EXPECT_EQ(RegisterValueFromText(" 42 "), 42);
}

TEST(CompareWords, EveryConditionRoundTripsAndCompiledStepsReadBack) {
  for (int tag = 0; tag < kCompareOptionCount; ++tag) {
    auto word = EncodeCompareWord(tag);
    ASSERT_TRUE(word);
    EXPECT_EQ(DecodeCompareWords(Filled(*word)), tag);
    EXPECT_EQ(DeriveType(Filled(*word)), kCompare);
  }
  EXPECT_EQ(EncodeCompareWord(1), 35846);
  EXPECT_EQ(EncodeCompareWord(9), 39686);
  EXPECT_FALSE(EncodeCompareWord(10));
  EXPECT_FALSE(EncodeCompareWord(-1));
  // AD2 condition compiled with target step 7, then rebuilt.
  EXPECT_EQ(DecodeCompareWords(Filled(36102 + 7)), 2);
  ChannelWords w = Filled(33543);
  w[4] = 35846;
  EXPECT_EQ(DecodeCompareWords(w), -1);
  EXPECT_EQ(DecodeCompareWords(Filled(32774)), -1);
}

}  // namespace brv3
