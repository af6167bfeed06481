#include "core/util/CommaText.h"

#include <gtest/gtest.h>

namespace brv3 {

using Fields = std::vector<std::string>;

TEST(CommaText, SplitsLikeTheFileReaders) {
  EXPECT_EQ(SplitCommaText(""), Fields{});
  EXPECT_EQ(SplitCommaText("   "), Fields{});
  EXPECT_EQ(SplitCommaText("1,2,3"), (Fields{"1", "2", "3"}));
  EXPECT_EQ(SplitCommaText("  1, 2 ,3"), (Fields{"1", "2", "3"}));
  EXPECT_EQ(SplitCommaText("a b,c"), (Fields{"a", "b", "c"}));  // unquoted space splits
  EXPECT_EQ(SplitCommaText("a,,b"), (Fields{"a", "", "b"}));
  EXPECT_EQ(SplitCommaText("a,"), (Fields{"a", ""}));  // trailing comma adds a field
  EXPECT_EQ(SplitCommaText("\"x, y\",z"), (Fields{"x, y", "z"}));
  EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\""), (Fields{"say \"hi\""}));
  EXPECT_EQ(SplitCommaText("\"open"), (Fields{"open"}));  // unterminated quote runs to end
  EXPECT_EQ(SplitCommaText("a\tb"), (Fields{"a", "b"}));  // control characters split too
  EXPECT_EQ(SplitCommaText("ポーズ,1"), (Fields{"ポーズ", "1"}));
}

TEST(CommaText, JoinQuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(JoinCommaText({"1", "-2", ""}), "1,-2,");
  EXPECT_EQ(JoinCommaText({"a b", "c,d", "e\"f"}), "\"a b\",\"c,d\",\"e\"\"f\"");
  Fields round = {"a b", "c,d", "e\"f", "g"};
  EXPECT_EQ(SplitCommaText(JoinCommaText(round)), round);
}

}  // namespace brv3
