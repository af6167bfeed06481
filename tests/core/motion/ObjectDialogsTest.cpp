// The Set, Compare and Mix dialogs' models over chart objects.
#include <gtest/gtest.h>

#include "core/motion/FakeLinkBoard.h"
#include "core/motion/ObjectDialogs.h"

namespace brv3 {
namespace {

struct ObjectFixture {
  Chart chart;
  int index;
  ChartPoseTarget target;
  explicit ObjectFixture(uint8_t type)
      : index(chart.PlaceObject(10, 10, type)), target(chart, index) {}
  ChartObject& Object() { return chart.Objects[static_cast<size_t>(index)]; }
  void Fill(uint16_t word) { Object().Values.fill(word); }
  bool AllEqual(uint16_t word) {
    for (uint16_t w : Object().Values)
      if (w != word) return false;
    return true;
  }
};

std::vector<std::string> Slots() {
  std::vector<std::string> items;
  for (int s = 0; s < kTableEntries; ++s)
    items.push_back((s < 80 ? "M" + std::to_string(s + 1) : "S" + std::to_string(s - 79)) +
                    " name --/-- --:--");
  return items;
}

TEST(SetDialogTest, OpensOnTheObjectsOptionAndStoresOnlyWhenHidden) {
  ObjectFixture f(kSet);
  f.Object().Name = "Loop";
  f.Fill(33297);  // loop count 10
  SetDialog dlg;
  dlg.Open(&f.target, {}, Slots());
  EXPECT_EQ(dlg.Caption(), "Loop");
  EXPECT_EQ(dlg.Option(), SetOption::LoopCounter);
  EXPECT_EQ(dlg.NumBar(), 10);
  EXPECT_EQ(dlg.Edit1(), "10");

  // Edit1's text is not what counts: the bar is.
  dlg.Edit1Typed("200");
  dlg.Edit2KeyReleased("-5000");  // selects the register option
  EXPECT_EQ(dlg.Option(), SetOption::ComparisonRegister);
  EXPECT_TRUE(f.AllEqual(33297));  // nothing stored while open
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(39942));  // -5000 held at -1023
  dlg.Hide();                      // a second hide without an open stores nothing
  EXPECT_TRUE(f.AllEqual(39942));
  EXPECT_EQ(f.Object().Head, 1);  // Head keeps its value

  dlg.Open(&f.target, {}, Slots());
  EXPECT_EQ(dlg.Edit2(), "-1023");
  dlg.Edit2KeyReleased("20000");
  dlg.Edit2Entered("20000");
  EXPECT_EQ(dlg.Edit2(), "16383");
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(57348));

  dlg.Open(&f.target, {}, Slots());
  dlg.NumBarMoved(7);
  dlg.Edit1Typed("9");
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(33287 + 7));

  dlg.Open(&f.target, {}, Slots());
  dlg.Edit1Entered("300");  // outside 1..255: the bar's position stays
  EXPECT_EQ(dlg.Edit1(), "7");
  dlg.Edit1Entered("42");
  EXPECT_EQ(dlg.NumBar(), 42);
}

TEST(SetDialogTest, TouchingAControlSelectsItsOption) {
  ObjectFixture f(kSet);
  SetDialog dlg;
  dlg.Open(&f.target, {}, Slots());
  EXPECT_EQ(dlg.Option(), SetOption::Capture);  // a new Set object

  dlg.SensorPressed(2);
  dlg.SensorTicked(2, true);
  dlg.SensorPressed(5);
  dlg.SensorTicked(5, true);
  EXPECT_EQ(dlg.Option(), SetOption::SensorControl);
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(65271 + 18));

  dlg.Open(&f.target, {}, Slots());
  EXPECT_TRUE(dlg.Sensor(2) && dlg.Sensor(5) && !dlg.Sensor(1));
  dlg.ListOpened(SetOption::Jump);
  dlg.ListChosen(SetOption::Jump, 80);  // S1
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(57429));

  dlg.Open(&f.target, {}, Slots());
  EXPECT_EQ(dlg.JumpIndex(), 80);
  dlg.ListOpened(SetOption::Call);
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(57434));  // call of M1, the list's first entry

  dlg.Open(&f.target, {}, Slots());
  dlg.ListOpened(SetOption::Timebase);
  dlg.ListChosen(SetOption::Timebase, 3);
  dlg.Hide();
  dlg.Open(&f.target, {}, Slots());
  EXPECT_EQ(dlg.Option(), SetOption::Timebase);
  EXPECT_EQ(dlg.CycleIndex(), 3);
  dlg.ListOpened(SetOption::SensorReference);
  dlg.ListChosen(SetOption::SensorReference, 2);
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(65270));

  dlg.Open(&f.target, {}, Slots());
  dlg.Choose(SetOption::CallReturn);
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(57519));
}

TEST(SetDialogTest, MixedOrHandEditedWordsOpenWithNoOptionAndStore64497) {
  ObjectFixture f(kSet);
  SetDialog dlg;
  // Mixing words of different classes count as one class: the last word decides.
  f.Fill(36614);
  f.Object().Values[23] = 33297;
  dlg.Open(&f.target, {}, Slots());
  EXPECT_EQ(dlg.Option(), SetOption::None);
  // A loop word beside a jump word: no option; the controls keep their opening values.
  f.Fill(33297);
  f.Object().Values[3] = 57429;
  dlg.Open(&f.target, {}, Slots());
  EXPECT_EQ(dlg.Option(), SetOption::None);
  EXPECT_EQ(dlg.NumBar(), 1);
  dlg.Hide();
  EXPECT_TRUE(f.AllEqual(kSetNoOptionWord));
}

TEST(SetDialogTest, SensorBoxCaptionsComeFromTheTriggers) {
  ObjectFixture f(kSet);
  SensorTriggers triggers{};
  triggers[1] = {4, -500};  // AD1's second trigger plays M4
  triggers[4] = {0, 300};   // no motion
  SetDialog dlg;
  dlg.Open(&f.target, triggers, Slots());
  EXPECT_EQ(dlg.SensorCaption(1), "AD1 OFF");
  EXPECT_EQ(dlg.SensorCaption(2),
            "AD1 Play-500interrupt trigger levelM4 name --/-- --:--change exceeds");
  EXPECT_EQ(dlg.SensorCaption(3), "AD2 OFF");
  EXPECT_EQ(dlg.SensorCaption(5), "AD3 OFF");
  EXPECT_EQ(dlg.SensorCaption(6), "AD3 OFF");
  // The tooltip says the same in words.
  EXPECT_EQ(dlg.SensorHint(2), "AD1: plays M4 name --/-- --:-- when the change exceeds -500");
  EXPECT_EQ(dlg.SensorHint(5), "AD3: no interrupt motion");
  // A slot beyond the table's rows reads as no motion.
  triggers[0] = {86, 1};
  EXPECT_EQ(SensorBoxCaption(1, triggers[0], Slots()), "AD1 OFF");
}

TEST(CompareDialogTest, SelectsTheSharedConditionAndStoresAtTheClick) {
  ObjectFixture f(kCompare);
  f.Object().Name = "Cmp";
  CompareDialog dlg;
  dlg.Open(&f.target);
  EXPECT_EQ(dlg.Caption(), "Cmp");
  EXPECT_EQ(dlg.Selected(), 0);  // a new object tests the loop counter
  dlg.Released(2);
  EXPECT_TRUE(f.AllEqual(36102));
  dlg.Released(10);  // no such button
  EXPECT_TRUE(f.AllEqual(36102));

  f.Object().Values[5] = 33543;  // two bases: nothing selected
  dlg.Open(&f.target);
  EXPECT_EQ(dlg.Selected(), -1);
  f.Fill(36109);  // a compiled AD2 branch to step 7 still shares its base
  dlg.Open(&f.target);
  EXPECT_EQ(dlg.Selected(), 2);
}

TEST(MixDialogTest, RowsFromWordsAndWordsFromRows) {
  ObjectFixture f(kMix);
  f.Object().Name = "Mix";
  test::FakeLinkBoard board;
  bool sync = false;
  MixDialog dlg(board, [&sync] { return sync; });
  dlg.Open(&f.target);
  EXPECT_EQ(dlg.Caption(), "Mix");
  for (const MixRow& row : dlg.Rows()) EXPECT_EQ(row, (MixRow{0, 0}));
  EXPECT_TRUE(board.written.empty());

  dlg.SourceClosed(1, 0);  // closing without a change rewrites every word
  EXPECT_TRUE(f.AllEqual(36614));

  dlg.SourceClosed(2, 5);       // PA2-P
  dlg.FactorClosed(2, 63 - 3);  // x -3
  dlg.FactorClosed(3, 63 + 5);  // OFF x 5
  EXPECT_EQ(f.Object().Values[1], 38857);
  EXPECT_EQ(f.Object().Values[2], 36619);
  EXPECT_EQ(f.Object().Values[0], 36614);

  f.Object().Values[4] = 64756 + 0x90;
  dlg.Open(&f.target);
  EXPECT_EQ(dlg.Rows()[2], (MixRow{0, 5}));
  EXPECT_EQ(dlg.Rows()[4], (MixRow{9, 16}));
  EXPECT_EQ(dlg.Rows()[1], (MixRow{5, -3}));

  // With SYNC the object goes to the live pose buffer on opening and after every change.
  sync = true;
  f.Object().Head = 9;
  dlg.Open(&f.target);
  ASSERT_EQ(board.written.size(), 1u);
  dlg.FactorClosed(24, 126);
  ASSERT_EQ(board.written.size(), 2u);
  EXPECT_EQ(board.written.back().Head, 9);
  EXPECT_EQ(board.written.back().Values, f.Object().Values);
  EXPECT_TRUE(dlg.LastSendOk());
  board.writeResult = false;
  dlg.SourceClosed(99, 3);  // no such channel: nothing happens
  EXPECT_EQ(board.written.size(), 2u);
  dlg.SourceClosed(24, 1);
  EXPECT_FALSE(dlg.LastSendOk());
  EXPECT_EQ(f.Object().Values[23], 36614 + 0xBF);  // stored although the send failed
}

}  // namespace
}  // namespace brv3
