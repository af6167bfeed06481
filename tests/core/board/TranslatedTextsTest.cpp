// Board messages in another language: each comes from the catalogue under its own context, and
// the numbers and names land where the translation puts them.
#include <gtest/gtest.h>

#include "core/board/BoardActions.h"
#include "core/board/MotionTransfer.h"
#include "core/board/SlotLists.h"
#include "core/motion/MotionFakes.h"
#include "support/FakeBoardPort.h"
#include "support/ScriptedPrompter.h"
#include "support/StubTranslator.h"

namespace brv3 {
namespace {

using test::ChartBuilder;
using test::FakeBoardPort;
using test::LongChart;
using test::ScriptedPrompter;
using test::StubTranslator;

StubTranslator::Entries Japanese() {
  return {
      {{"BoardActions",
        "%1 holds the continuation of %2 %3.\r\n%2 will be deleted first. Do you agree with this"},
       "%1 には %2 %3 の続きが入っています。\r\n先に %2 を消去します。よろしいですか"},
      {{"BoardActions", "Write successful"}, "書き込みに成功しました"},
      {{"BoardActions", "Write successful, but the board did not wake up (%1); it is still asleep"},
       "書き込みには成功しましたが、"
       "ボードがスリープから復帰しませんでした（%1）。スリープしたままです"},
      {{"Transact", "the board's reply was short"}, "ボードの応答が途中で途切れました"},
      {{"SlotLists", "The motion table could not be read"},
       "モーションテーブルを読み込めませんでした"},
      {{"MotionTable", "%1 (not read)"}, "%1 (未読込)"},
      {{"MotionTransfer",
        "A motion of %1 steps written to %2 needs the slots up to M%3, but the last motion slot is "
        "M80"},
       "%2 に書き込む %1 ステップのモーションには M%3 までのスロットが必要ですが、"
       "モーションのスロットは M80 までです"},
  };
}

class TranslatedTextsTest : public ::testing::Test {
 protected:
  TranslatedTextsTest() : link(&board), actions(link, prompter) {
    link.SetClock([] { return std::array<uint8_t, 4>{3, 7, 9, 5}; });
  }

  StubTranslator translator{Japanese()};
  FakeBoardPort board;
  ScriptedPrompter prompter;
  BoardLink link;
  BoardActions actions;
};

TEST_F(TranslatedTextsTest, QuestionsAndStatusesPlaceTheirNamesAsTheTranslationSays) {
  ASSERT_EQ(actions.Write(*Slot::Motion(4), LongChart(60, "BIG")), ActionResult::Done);
  EXPECT_EQ(prompter.statuses.back(), "書き込みに成功しました");

  prompter.messages.clear();
  prompter.answers = {IdNo};
  EXPECT_EQ(actions.Write(*Slot::Motion(5), LongChart(2, "WALK")), ActionResult::Cancelled);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text,
            "M6 には M5 BIG の続きが入っています。\r\n先に M5 を消去します。よろしいですか");

  // The cause inside the wake failure comes from its own context.
  board.failWhen = [this](const Bytes& f) { return f[0] == 0xF1 && board.entries[9][0] == 3; };
  EXPECT_EQ(actions.Write(*Slot::Motion(9), LongChart(2, "WALK")), ActionResult::WakeFailed);
  EXPECT_EQ(prompter.statuses.back(),
            "書き込みには成功しましたが、"
            "ボードがスリープから復帰しませんでした（ボードの応答が途中で途切れました）。"
            "スリープしたままです");
}

TEST_F(TranslatedTextsTest, AnUnreadTableIsMarkedAndReportedInTheCatalogueLanguage) {
  board.failWhen = [](const Bytes& f) { return f[0] == 0xF5 && f[1] == 40; };
  prompter.whileSelecting = [&](NumberSelectState& state) {
    EXPECT_FALSE(state.ReadTable());
    EXPECT_NE(state.SelectItems.find("\"M41 (未読込)\""), std::string::npos) << state.SelectItems;
  };
  prompter.selections.push_back(-2);
  EXPECT_FALSE(actions.AskSlot(SlotQuestion::Play).has_value());
  ASSERT_FALSE(prompter.statuses.empty());
  EXPECT_EQ(prompter.statuses.back(), "モーションテーブルを読み込めませんでした");
}

TEST(TranslatedRefusalTest, SlotNumbersLandWhereTheTranslationPutsThem) {
  StubTranslator translator(Japanese());
  EXPECT_EQ(CheckMotionSlots(*Slot::Motion(79), 31),
            "M80 に書き込む 31 ステップのモーションには M81 までのスロットが必要ですが、"
            "モーションのスロットは M80 までです");
}

}  // namespace
}  // namespace brv3
