#include "core/motion/PatternStore.h"

#include <gtest/gtest.h>

#include "core/util/Cp932.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

ChannelTexts Texts(std::initializer_list<std::pair<int, const char*>> rows) {
  ChannelTexts texts;
  for (auto [row, text] : rows) texts[static_cast<size_t>(row - 1)] = text;
  return texts;
}

}  // namespace

TEST(PatternStore, RoundTripsThroughTheFileWithJapaneseAndQuotedNames) {
  test::TempDir dir;
  const std::string path = dir.File("PATTERN.ini");
  PatternStore store;
  ASSERT_TRUE(store.Load(path));  // no file yet: empty store
  EXPECT_TRUE(store.Names(PatternKind::Link).empty());

  const ChannelTexts walk = Texts({{1, "MOV(+10)"}, {3, "TTL(H)"}, {24, "TCH"}});
  const ChannelTexts mirror = Texts({{1, "CHANGE(2)"}, {2, "say \"hi\""}, {5, "MUL(0.5)"}});
  ASSERT_TRUE(store.Store(PatternKind::Link, "歩行 左", walk));
  ASSERT_TRUE(store.Store(PatternKind::Link, "a,b", walk));
  ASSERT_TRUE(store.Store(PatternKind::Conversion, "左右反転", mirror));
  ASSERT_TRUE(store.Save(path));

  const std::string bytes = test::ReadFile(path);
  EXPECT_NE(bytes.find(Utf8ToCp932("[CnvList]\r\n左右反転=\"CHANGE(2)\",")), std::string::npos);
  EXPECT_NE(bytes.find("NewLinkList="), std::string::npos);
  EXPECT_EQ(bytes.find("歩行"), std::string::npos);  // not UTF-8 on disk

  PatternStore again;
  ASSERT_TRUE(again.Load(path));
  EXPECT_EQ(again.Names(PatternKind::Link), (std::vector<std::string>{"歩行 左", "a,b"}));
  EXPECT_EQ(again.Names(PatternKind::Conversion), (std::vector<std::string>{"左右反転"}));
  EXPECT_EQ(again.Entries(PatternKind::Link, "歩行 左"), walk);
  EXPECT_EQ(again.Entries(PatternKind::Link, "a,b"), walk);
  EXPECT_EQ(again.Entries(PatternKind::Conversion, "左右反転"), mirror);
  EXPECT_FALSE(again.Entries(PatternKind::Conversion, "歩行 左"));
  EXPECT_EQ(LinkListItems(again), (std::vector<std::string>{"歩行 左", "a,b", "New Link"}));
}

TEST(PatternStore, OverwriteAndRemoveKeepTheNameListConsistent) {
  PatternStore store;
  ASSERT_TRUE(store.Store(PatternKind::Link, "Walk", Texts({{1, "FREE"}})));
  ASSERT_TRUE(store.Store(PatternKind::Link, "Run", Texts({{2, "FREE"}})));
  ASSERT_TRUE(store.Store(PatternKind::Link, "walk", Texts({{3, "FREE"}})));
  EXPECT_EQ(store.Names(PatternKind::Link), (std::vector<std::string>{"Walk", "Run"}));
  EXPECT_EQ(store.Entries(PatternKind::Link, "WALK"), Texts({{3, "FREE"}}));
  EXPECT_TRUE(store.Remove(PatternKind::Link, "walk"));
  EXPECT_FALSE(store.Remove(PatternKind::Link, "Walk"));
  EXPECT_EQ(store.Names(PatternKind::Link), (std::vector<std::string>{"Run"}));
  EXPECT_FALSE(store.Ini().ValueExists("NewLinkList", "Walk"));
  // Names the file cannot hold are refused.
  EXPECT_FALSE(store.Store(PatternKind::Link, "", {}));
  EXPECT_FALSE(store.Store(PatternKind::Link, "a=b", {}));
  EXPECT_FALSE(store.Store(PatternKind::Link, ";x", {}));
  EXPECT_FALSE(store.Store(PatternKind::Link, " x", {}));
  EXPECT_FALSE(store.Store(PatternKind::Link, "\xF0\x9F\x98\x80", {}));  // no cp932 form
  EXPECT_EQ(store.Names(PatternKind::Link).size(), 1u);
}

TEST(PatternStore, ReadsHandWrittenFilesLeniently) {
  test::TempDir dir;
  const std::string path = dir.File("PATTERN.ini");
  test::WriteFile(path,
                  "[NewLink]\r\nNewLinkList=Short,,Short,Missing\r\n"
                  "[NewLinkList]\r\nShort=\"MOV(1)\",\"\",TCH\r\n");
  PatternStore store;
  ASSERT_TRUE(store.Load(path));
  EXPECT_EQ(store.Names(PatternKind::Link), (std::vector<std::string>{"Short", "Missing"}));
  EXPECT_EQ(store.Entries(PatternKind::Link, "Short"), Texts({{1, "MOV(1)"}, {3, "TCH"}}));
  EXPECT_EQ(store.Entries(PatternKind::Link, "Missing"), ChannelTexts{});
  // A path that exists but cannot be read as a file is never overwritten.
  PatternStore unreadable;
  EXPECT_FALSE(unreadable.Load(dir.path().string()));
  unreadable.Store(PatternKind::Link, "x", {});
  EXPECT_FALSE(unreadable.Save(dir.File("elsewhere.ini")));
  size_t count = 0;
  ParsePatternEntries(FormatPatternEntries({}), &count);
  EXPECT_EQ(count, 24u);
}

}  // namespace brv3
