#include "core/motion/Conversion.h"

#include <gtest/gtest.h>

namespace brv3 {
namespace {

struct Converted {
  ChannelWords values;
  uint8_t head;
};

Converted Convert(std::initializer_list<std::pair<int, const char*>> rows, ChannelWords values,
                  uint8_t head = 100) {
  ChannelTexts texts;
  for (auto [row, text] : rows) texts[static_cast<size_t>(row - 1)] = text;
  ConvertWords(texts, values, head);
  return {values, head};
}

ChannelWords Words(std::initializer_list<uint16_t> first, uint16_t rest = 16384) {
  ChannelWords w;
  w.fill(rest);
  size_t i = 0;
  for (uint16_t v : first) w[i++] = v;
  return w;
}

}  // namespace

TEST(Conversion, ReverseMirrorsPositionsAndFlipsTheSignOfMixingEntries) {
  EXPECT_EQ(Convert({{1, "REVERSE"}}, Words({16000})).values[0], 16768);
  EXPECT_EQ(Convert({{1, "reverse"}}, Words({16384})).values[0], 16384);
  EXPECT_EQ(Convert({{1, "REVERSE"}}, Words({38662 + 0xC3})).values[0], 38662 + 0x83);
  EXPECT_EQ(Convert({{1, "REVERSE"}}, Words({64500 + 0x85})).values[0], 64500 + 0xC5);
  EXPECT_EQ(Convert({{1, "REVERSE"}}, Words({32774})).values[0], 32774);
  EXPECT_EQ(Convert({{1, "REVERSE"}}, Words({0})).values[0], 0);
}

TEST(Conversion, EveryRowReadsTheOldWordsAndLaterRowsWin) {
  ChannelWords w = Words({111, 222, 333});
  EXPECT_EQ(Convert({{1, "COPYTO(2)"}}, w).values[1], 111);
  EXPECT_EQ(Convert({{1, "COPYTO(2)"}, {2, "ADD(10)"}}, w).values[1], 232);
  Converted swapped = Convert({{1, "CHANGE(2)"}, {2, "CHANGE(1)"}}, w);
  EXPECT_EQ(swapped.values[0], 222);
  EXPECT_EQ(swapped.values[1], 111);
  Converted read = Convert({{3, "ReadTo ( 1 )"}, {1, "READTO(2)"}}, w);
  EXPECT_EQ(read.values[2], 111);
  EXPECT_EQ(read.values[0], 222);
  // Channel arguments outside 1..24 or not numbers do nothing.
  EXPECT_EQ(Convert({{1, "COPYTO(25)"}, {2, "CHANGE(0)"}, {3, "READTO(?)"}}, w).values, w);
  EXPECT_EQ(Convert({{1, "COPYTO(24)"}}, w).values[23], 111);
}

TEST(Conversion, AddMulAndPrmHoldPositionsWithin1To32767) {
  EXPECT_EQ(Convert({{1, "MUL(2)"}}, Words({100})).values[0], 1);
  EXPECT_EQ(Convert({{1, "MUL(2)"}}, Words({32000})).values[0], 32767);
  EXPECT_EQ(Convert({{1, "MUL(0.5)"}}, Words({16385})).values[0], 16384);
  EXPECT_EQ(Convert({{1, "MUL(0.5)"}}, Words({16387})).values[0], 16386);
  EXPECT_EQ(Convert({{1, "MUL(-1)"}}, Words({16000})).values[0], 16768);
  EXPECT_EQ(Convert({{1, "MUL(?)"}}, Words({16000})).values[0], 16384);
  EXPECT_EQ(Convert({{1, "MUL(nan)"}}, Words({16000})).values[0], 16384);
  EXPECT_EQ(Convert({{1, "MUL(1e300)"}}, Words({16000})).values[0], 16384);
  EXPECT_EQ(Convert({{1, "MUL(2)"}}, Words({kWordFree})).values[0], kWordFree);
  EXPECT_EQ(Convert({{1, "ADD(-20000)"}}, Words({10000})).values[0], 1);
  EXPECT_EQ(Convert({{1, "ADD(30000)"}}, Words({10000})).values[0], 32767);
  EXPECT_EQ(Convert({{1, "ADD(x)"}}, Words({10000})).values[0], 10000);
  EXPECT_EQ(Convert({{1, "ADD(5)"}}, Words({0})).values[0], 0);
  EXPECT_EQ(Convert({{1, "PRM(100)"}}, Words({0})).values[0], 16484);
  EXPECT_EQ(Convert({{1, "PRM(100)"}}, Words({33297})).values[0], 33297);
  EXPECT_EQ(Convert({{1, "PRM(-20000)"}}, Words({5})).values[0], 1);
}

TEST(Conversion, SpeedFormsAndTheirUnusableArguments) {
  ChannelWords positions = Words({16000, 16100});
  EXPECT_EQ(Convert({{1, "SPD(+10)"}, {2, "SPD(+10)"}}, positions).head, 110);
  EXPECT_EQ(Convert({{1, "SPD(*2)"}, {2, "SPD(*2)"}}, positions).head, 255);
  EXPECT_EQ(Convert({{1, "SPD(*2)"}, {2, "SPD(+10)"}}, positions).head, 110);
  EXPECT_EQ(Convert({{1, "SPD(-150)"}}, positions).head, 1);
  EXPECT_EQ(Convert({{1, "SPD(/3)"}}, positions, 10).head, 3);
  EXPECT_EQ(Convert({{1, "SPD(/4)"}}, positions, 10).head, 2);  // 2.5 to the even neighbour
  EXPECT_EQ(Convert({{1, "SPD(*0.5)"}}, positions, 7).head, 4);
  EXPECT_EQ(Convert({{1, "SPD(*x)"}}, positions, 7).head, 7);
  EXPECT_EQ(Convert({{1, "SPD(50)"}}, positions).head, 50);
  EXPECT_EQ(Convert({{1, "SPD(999)"}}, positions).head, 255);
  // Unusable: the speed stays, also after an earlier SPD row changed it.
  EXPECT_EQ(Convert({{1, "SPD(?)"}}, positions).head, 100);
  EXPECT_EQ(Convert({{1, "SPD"}}, positions).head, 100);
  EXPECT_EQ(Convert({{1, "SPD(50)"}, {2, "SPD(/0)"}}, positions).head, 50);
  EXPECT_EQ(Convert({{1, "SPD(50)"}, {2, "SPD(1.5)"}}, positions).head, 50);
  // Only rows holding a position change the speed.
  EXPECT_EQ(Convert({{1, "SPD(50)"}}, Words({0})).head, 100);
  EXPECT_EQ(Convert({{1, "SPD(50)"}}, Words({kWordFree})).head, 100);
}

TEST(Conversion, AppliesToSelectedObjectsExceptCompareObjects) {
  Chart chart;
  for (uint8_t type : {kPosition, kCompare, kPosition, kMix}) chart.PlaceObject(0, 0, type);
  for (ChartObject& o : chart.Objects) o.Selected = 1;
  chart.Objects[2].Selected = 0;
  chart.Objects[0].Values.fill(16000);
  chart.Objects[2].Values.fill(16000);
  chart.Objects[3].Values[0] = 36614 + 0x85;
  ChannelTexts rows;
  rows[0] = "REVERSE";
  rows[1] = "PRM(0)";
  EXPECT_EQ(ApplyConversion(chart, rows), 2);
  EXPECT_EQ(chart.Objects[0].Values[0], 16768);
  EXPECT_EQ(chart.Objects[0].Values[1], 16384);
  EXPECT_EQ(chart.Objects[1].Values[0], 33543);
  EXPECT_EQ(chart.Objects[2].Values[0], 16000);
  EXPECT_EQ(chart.Objects[3].Values[0], 36614 + 0xC5);
  EXPECT_EQ(chart.Objects[3].Values[1], 64500);
}

}  // namespace brv3
