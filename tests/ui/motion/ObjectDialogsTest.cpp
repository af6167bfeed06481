// The Set, Compare and mixing dialogs opened from the canvas, by object name.
#include "ui/motion/ObjectDialogs.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "ui/ComboInput.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {
namespace {

class ObjectDialogsTest : public ::testing::Test {
 protected:
  ObjectDialogsTest() : window(env.SettingsPath()), port(engine) { window.Link().SetPort(&port); }
  ~ObjectDialogsTest() override { window.Link().SetPort(nullptr); }

  template <class T>
  T* Find(QWidget* dlg, const QString& name) {
    T* w = dlg->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  int Place(uint8_t type, uint16_t word, const char* name) {
    Chart& chart = window.CurrentChart();
    const int index = chart.PlaceObject(20, 20, type);
    Object(index).Values.fill(word);
    Object(index).Name = name;
    return index;
  }
  ChartObject& Object(int index) {
    return window.CurrentChart().Objects[static_cast<size_t>(index)];
  }
  uint16_t LiveWord(int channel) {
    const auto& pose = engine.board().LivePose();
    return static_cast<uint16_t>(pose[static_cast<size_t>(2 * channel - 1)] << 8 |
                                 pose[static_cast<size_t>(2 * channel)]);
  }

  test::UiEnvironment env;
  TBrivane3 window;
  sim::Engine engine;
  sim::SimPort port;
};

TEST_F(ObjectDialogsTest, SetDialogShowsTheObjectAndStoresWhenTheMainWindowHidesIt) {
  const int index = Place(kSet, 33297, "Loop10");
  window.Canvas()->OpenObjectDialog(index, kSet);
  TSetDlg& dlg = window.Editors().SetDlg();
  ASSERT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.windowTitle(), "Loop10");
  EXPECT_TRUE(Find<QRadioButton>(&dlg, "RadBtn2")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(&dlg, "Edit1")->text(), "10");
  EXPECT_EQ(Find<QSlider>(&dlg, "NumBar")->value(), 10);
  EXPECT_EQ(Find<QComboBox>(&dlg, "DjpList")->count(), 85);
  EXPECT_EQ(Find<QComboBox>(&dlg, "CycleList")->itemText(7), "32.5ms");
  EXPECT_EQ(Find<QCheckBox>(&dlg, "Sck3")->text(), "AD2 OFF");
  EXPECT_EQ(Find<QRadioButton>(&dlg, "RadBtn13")->text(), "Call Return");

  // Pressing a sensor box selects its option; nothing reaches the object while the dialog shows.
  for (const char* box : {"Sck2", "Sck5"}) {
    auto* check = Find<QCheckBox>(&dlg, box);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));  // the tick box
  }
  EXPECT_TRUE(Find<QRadioButton>(&dlg, "RadBtn6")->isChecked());
  EXPECT_EQ(Object(index).Values[0], 33297);
  window.Editors().Hide();  // the main window became active
  EXPECT_FALSE(dlg.isVisible());
  for (uint16_t w : Object(index).Values) EXPECT_EQ(w, 65289);

  // Typing into Edit2 selects the register; Enter holds the value within its range.
  window.Canvas()->OpenObjectDialog(index, kSet);
  auto* edit2 = Find<QLineEdit>(&dlg, "Edit2");
  edit2->clear();
  QTest::keyClicks(edit2, "20000");
  EXPECT_TRUE(Find<QRadioButton>(&dlg, "RadBtn3")->isChecked());
  QTest::keyClick(edit2, Qt::Key_Return);
  EXPECT_EQ(edit2->text(), "16383");
  dlg.hide();
  EXPECT_EQ(Object(index).Values[23], 57348);

  // A slot taken in the jump list with the keys selects Jump; hidden, the object jumps to S1.
  window.Canvas()->OpenObjectDialog(index, kSet);
  ASSERT_TRUE(test::ChooseWithKeys(Find<QComboBox>(&dlg, "DjpList"), 80));
  EXPECT_TRUE(Find<QRadioButton>(&dlg, "RadBtn11")->isChecked());
  dlg.hide();
  EXPECT_EQ(Object(index).Values[0], 57429);
}

TEST_F(ObjectDialogsTest, CompareDialogStoresAtTheClick) {
  const int index = Place(kCompare, 33543, "Cmp");
  window.Canvas()->OpenObjectDialog(index, kCompare);
  TCompDlg& dlg = window.Editors().CompDlg();
  ASSERT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.windowTitle(), "Cmp");
  EXPECT_TRUE(Find<QRadioButton>(&dlg, "RadBtn1")->isChecked());
  EXPECT_EQ(Find<QRadioButton>(&dlg, "RadBtn10")->text(),
            "Remote Code AND Comparison Register <> 0");
  QTest::mouseClick(Find<QRadioButton>(&dlg, "RadBtn3"), Qt::LeftButton);
  for (uint16_t w : Object(index).Values) EXPECT_EQ(w, 36102);
  window.Editors().Hide();
  EXPECT_FALSE(dlg.isVisible());
}

TEST_F(ObjectDialogsTest, MixDialogStoresTheChoiceTakenWithMouseOrKeysAndSendsItWithSync) {
  const int index = Place(kMix, 64500, "Mix");
  window.findChild<QCheckBox*>("Sync")->setChecked(true);
  window.Canvas()->OpenObjectDialog(index, kMix);
  TMixDlg& dlg = window.Editors().MixDlg();
  ASSERT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.windowTitle(), "Mix");
  EXPECT_EQ(Find<QComboBox>(&dlg, "MixNum24")->currentText(), "OFF");
  EXPECT_EQ(Find<QComboBox>(&dlg, "MixList24")->currentText(), "OFF");
  EXPECT_EQ(Find<QComboBox>(&dlg, "MixList1")->count(), 127);
  EXPECT_EQ(Find<QLabel>(&dlg, "MixLabel7")->text().toStdString(),
            window.Editors().PrmDlg().Layout().ChannelCaption(7));
  EXPECT_EQ(LiveWord(1), 64500);  // opened with SYNC: the object went out as it was

  // The mouse: CH1 takes AD1-P, then x 5.
  auto* source1 = Find<QComboBox>(&dlg, "MixNum1");
  auto* factor1 = Find<QComboBox>(&dlg, "MixList1");
  ASSERT_TRUE(test::ChooseWithMouse(source1, 1));
  ASSERT_TRUE(test::ChooseWithMouse(factor1, 68));
  EXPECT_EQ(factor1->currentText(), "x 5");
  EXPECT_EQ(Object(index).Values[0], 36614 + 0x85);
  EXPECT_EQ(LiveWord(1), 36614 + 0x85);

  // The keys: CH2 takes PA2-P (five down from OFF), then x -3 (three up from OFF).
  ASSERT_TRUE(test::ChooseWithKeys(Find<QComboBox>(&dlg, "MixNum2"), 5));
  ASSERT_TRUE(test::ChooseWithKeys(Find<QComboBox>(&dlg, "MixList2"), -3));
  EXPECT_EQ(Object(index).Values[1], 38857);
  EXPECT_EQ(LiveWord(2), 38857);
  EXPECT_EQ(Object(index).Values[2], 36614);  // untouched rows: OFF / OFF rewritten

  // Escape leaves the choice as it was.
  ASSERT_TRUE(test::OpenAndEscape(source1, 2));
  QCoreApplication::processEvents();  // the close-up without a choice reports next
  EXPECT_EQ(source1->currentText(), "AD1-P");
  EXPECT_EQ(Object(index).Values[0], 36614 + 0x85);

  // Reopened, the dialog shows what the object holds.
  window.Editors().Hide();
  window.Canvas()->OpenObjectDialog(index, kMix);
  EXPECT_EQ(source1->currentText(), "AD1-P");
  EXPECT_EQ(factor1->currentText(), "x 5");
  EXPECT_EQ(Find<QComboBox>(&dlg, "MixNum2")->currentText(), "PA2-P");
  EXPECT_EQ(Find<QComboBox>(&dlg, "MixList2")->currentText(), "x -3");
}

}  // namespace
}  // namespace brv3
