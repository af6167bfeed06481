#include "core/util/Bytes.h"

#include <gtest/gtest.h>

namespace brv3 {
namespace {

TEST(HexDigits, RoundTripAndRefusals) {
  const Bytes all = [] {
    Bytes b;
    for (int i = 0; i < 256; ++i) b.push_back(static_cast<uint8_t>(i));
    return b;
  }();
  const std::string text = HexDigits(all.data(), all.size());
  EXPECT_EQ(text.substr(0, 8), "00010203");
  EXPECT_EQ(text.substr(text.size() - 4), "FEFF");
  EXPECT_EQ(ParseHexDigits(text), all);
  EXPECT_EQ(ParseHexDigits("a0Bf"), (Bytes{0xA0, 0xBF}));
  EXPECT_EQ(ParseHexDigits(""), Bytes{});
  EXPECT_EQ(ParseHexDigits("ABC"), std::nullopt);   // odd length
  EXPECT_EQ(ParseHexDigits("0G"), std::nullopt);    // not a digit
  EXPECT_EQ(ParseHexDigits("0 1F"), std::nullopt);  // no separators
  EXPECT_EQ(ParseHexDigits("-1"), std::nullopt);
  EXPECT_EQ(HexDigit('/'), -1);
  EXPECT_EQ(HexDigit(':'), -1);
  EXPECT_EQ(HexDigit('g'), -1);
  EXPECT_EQ(HexDigit('f'), 15);
}

}  // namespace
}  // namespace brv3
