// Texts of charts, motions and robots in the user's language: a fake catalogue stands in for the
// real one, so a text looked up under the wrong context, or an argument that does not follow the
// translation's word order, shows.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "core/chart/Chart.h"
#include "core/chart/ChartFiles.h"
#include "core/motion/ObjectDialogs.h"
#include "core/motion/PatternActions.h"
#include "core/util/Translate.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

const std::map<std::pair<std::string, std::string>, std::string>& Catalogue() {
  static const std::map<std::pair<std::string, std::string>, std::string> texts = {
      {{"Chart", "No title"}, "[no title]"},
      {{"ChartFiles", "It can't be kept in the designated place"}, "[cannot keep]"},
      {{"ChartFiles", "The designated file can't be used"}, "[unusable]"},
      {{"ChartFiles", "QVB file (*.QVB *.qvb);;AllFiles (*)"}, "[QVB] (*.QVB *.qvb);;[all] (*)"},
      {{"ObjectDialogs", "%1 Play%2interrupt trigger level%3change exceeds"},
       "%1 変化量が%2を超えたら%3を再生する"},
      {{"ObjectDialogs", "%1: plays %2 when the change exceeds %3"},
       "%1: 変化量が %3 を超えたら %2 を再生します"},
      {{"PatternActions", "%1Do you delete this?"}, "%1を削除しますか？"},
      {{"PatternStore", "New Link"}, "新規リンク"},
  };
  return texts;
}

std::string FakeTranslator(const char* context, const char* text) {
  const auto found = Catalogue().find({context, text});
  return found == Catalogue().end() ? std::string(text) : found->second;
}

class TranslatedMessages : public ::testing::Test {
 protected:
  void SetUp() override { SetTranslator(&FakeTranslator); }
  void TearDown() override { SetTranslator(nullptr); }
  test::ScriptedPrompter prompter;
};

ChannelTexts Link(const char* first) {
  ChannelTexts texts;
  texts[0] = first;
  return texts;
}

TEST_F(TranslatedMessages, TableMessagesAreLookedUpUnderTheContextTheyAreMarkedWith) {
  test::TempDir dir;
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  EXPECT_FALSE(SaveChartFile(chart, dir.File("no/such/folder/x.QVB"), prompter));
  const std::string junk = dir.File("junk.txt");
  test::WriteFile(junk, "hello\r\n");
  const OpenResult opened = OpenChartFile(chart, junk, prompter);
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[0].text, "[cannot keep]");
  EXPECT_EQ(prompter.messages[1].text, "[unusable]");
  // The result says the same as the box, for callers that show it again (the command line).
  EXPECT_EQ(opened.message, "[unusable]");
  EXPECT_EQ(ChartFileFilters(), "[QVB] (*.QVB *.qvb);;[all] (*)");
}

TEST_F(TranslatedMessages, TheDefaultChartNameIsShownTranslatedButStaysInTheChart) {
  Chart chart;
  EXPECT_EQ(ShownChartName(chart.Name), "[no title]");
  EXPECT_EQ(chart.Name, kUntitledName);
  EXPECT_EQ(ShownChartName("WALK"), "WALK");
  SetTranslator(nullptr);
  EXPECT_EQ(ShownChartName(chart.Name), "No title");
}

TEST_F(TranslatedMessages, ArgumentsFollowTheTranslationsWordOrder) {
  std::vector<std::string> slots(kTableEntries, "-");
  slots[3] = "M4 WALK";
  const SensorTrigger trigger{4, 500};
  EXPECT_EQ(SensorBoxCaption(1, trigger, slots), "AD1 変化量が500を超えたらM4 WALKを再生する");
  EXPECT_EQ(SensorBoxHint(1, trigger, slots), "AD1: 変化量が 500 を超えたら M4 WALK を再生します");

  PatternStore store;
  store.Store(PatternKind::Conversion, "Mirror", Link("REVERSE"));
  prompter.answers = {IdNo};
  EXPECT_FALSE(DeleteSet(store, PatternKind::Conversion, "Mirror", prompter));
  EXPECT_EQ(prompter.messages.back().text, "Mirrorを削除しますか？");
}

TEST_F(TranslatedMessages, TheNewLinkEntryIsShownTranslatedAndNeitherFormNamesALink) {
  PatternStore store;
  ASSERT_TRUE(SaveLinkSet(store, "Walk", Link("FREE"), prompter));
  EXPECT_EQ(LinkListItems(store), (std::vector<std::string>{"Walk", "新規リンク"}));
  for (const char* name : {"新規リンク", "New Link"}) {
    EXPECT_FALSE(SaveLinkSet(store, name, Link("FREE"), prompter)) << name;
    EXPECT_EQ(prompter.messages.back().kind, MsgKind::Warning);
    EXPECT_EQ(prompter.messages.back().text, "");
  }
  EXPECT_EQ(store.Names(PatternKind::Link), std::vector<std::string>{"Walk"});
}

}  // namespace
}  // namespace brv3
