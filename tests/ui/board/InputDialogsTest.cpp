// The analog and transmitter dialogs opened from the toolbar against the simulated board.
#include "ui/board/InputDialogs.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"
#include "ui/ComboInput.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainBoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"

namespace brv3 {
namespace {

class InputDialogsTest : public ::testing::Test {
 protected:
  InputDialogsTest()
      : window(env.SettingsPath()),
        port(engine),
        buttons((window.Link().SetPort(&port), window), prompter) {
    window.SetBoardButtons(&buttons);
  }
  ~InputDialogsTest() override {
    window.SetBoardButtons(nullptr);
    window.Link().SetPort(nullptr);
  }
  void Press(const char* name) {
    auto* action = window.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  template <class T>
  T* Find(QWidget* dlg, const QString& name) {
    T* w = dlg->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  QString Text(QWidget* dlg, const char* name) { return Find<QLineEdit>(dlg, name)->text(); }
  const sim::WorkingSettings& Working() { return engine.board().Working(); }
  const sim::FlashMemory& Flash() { return engine.board().Flash(); }

  test::UiEnvironment env;
  TBrivane3 window;
  sim::Engine engine;
  sim::SimPort port;
  test::ScriptedPrompter prompter;
  MainBoardButtons buttons;
};

TEST_F(InputDialogsTest, AnalogDialogLoadsFollowsReportsWritesLiveAndSavesOnClose) {
  BoardLink& link = window.Link();
  ASSERT_TRUE(link.WriteAdCalibration(Area::Stored, {100, 200, 300}));
  Bytes mix(24, 0);
  mix[0] = 0xC5;
  ASSERT_TRUE(link.WriteMixTable(Area::Stored, 0, mix));
  Bytes settings(18, 0);
  settings[0] = 3;
  settings[6] = 0xC1;
  settings[7] = 0xF4;
  for (int t = 1; t < 6; ++t) settings[static_cast<size_t>(t)] = 0xFF;
  ASSERT_TRUE(link.WriteAdSettings(Area::Stored, settings));

  bool acted = false;
  test::OnNextModal([&](QWidget* dlg) {
    acted = true;
    EXPECT_EQ(dlg->windowTitle(), "Analog");
    EXPECT_TRUE(Working().modeWord & 0x0100);
    EXPECT_EQ(Find<QComboBox>(dlg, "ComboBox1")->currentText(), "x -5");
    EXPECT_EQ(Find<QComboBox>(dlg, "ComboBox2")->currentText(), "OFF");
    EXPECT_EQ(Find<QLabel>(dlg, "PortName3")->text().toStdString(),
              window.Editors().PrmDlg().Layout().ChannelCaption(3));
    EXPECT_EQ(Text(dlg, "CalEdit"), "100");
    EXPECT_EQ(Text(dlg, "AdcEdit"), "----");
    EXPECT_EQ(Text(dlg, "Edit1"), "-500");
    EXPECT_EQ(Find<QScrollBar>(dlg, "SensScroll1")->value(), -500);
    EXPECT_EQ(Find<QComboBox>(dlg, "MotList1")->currentIndex(), 4);
    EXPECT_EQ(Find<QComboBox>(dlg, "MotList1")->count(), 86);

    AnalogReport report;
    report.Values = {650, 130, 250, 400};
    buttons.AnalogReportArrived(report);
    EXPECT_EQ(Text(dlg, "Edit3"), "10.00V");
    EXPECT_EQ(Text(dlg, "AdcEdit"), "130");
    EXPECT_EQ(Text(dlg, "RifEdit"), "30");

    Find<QTabBar>(dlg, "AdChannel")->setCurrentIndex(1);
    EXPECT_EQ(Text(dlg, "CalEdit"), "200");
    EXPECT_EQ(Text(dlg, "RifEdit"), "50");
    ASSERT_TRUE(test::ChooseWithMouse(Find<QComboBox>(dlg, "ComboBox3"), 0));  // x -63
    EXPECT_EQ(Working().mixTables[1][2], 0xFF);

    auto* ref = Find<QScrollBar>(dlg, "ScrollBar1");
    ref->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Working().adCalibration[1], 201);  // every movement goes out live
    EXPECT_EQ(Text(dlg, "CalEdit"), "201");

    // A threshold goes to the board only when the movement ends, by keyboard or mouse.
    auto* sens = Find<QScrollBar>(dlg, "SensScroll2");
    sens->setFocus();
    QTest::keyPress(sens, Qt::Key_Right);
    const int moved = sens->value();
    EXPECT_NE(moved, 0);
    EXPECT_EQ(Text(dlg, "Edit2"), QString::number(moved));
    QCoreApplication::processEvents();
    EXPECT_EQ(Working().adSettings[12] << 8 | Working().adSettings[13], 0);
    QTest::keyRelease(sens, Qt::Key_Right);
    // AD2's second trigger: word 6 + 2 x 3, sign in bit 15.
    const int expected = (moved < 0 ? 0x8000 : 0) | std::abs(moved);
    (void)QTest::qWaitFor(
        [&] { return (Working().adSettings[12] << 8 | Working().adSettings[13]) == expected; },
        2000);
    EXPECT_EQ(Working().adSettings[12] << 8 | Working().adSettings[13], expected);
    QTest::mouseClick(sens, Qt::LeftButton, {}, QPoint(sens->width() - 20, sens->height() / 2));
    (void)QTest::qWaitFor([&] { return Working().adSettings[13] == std::abs(sens->value()); },
                          2000);
    EXPECT_EQ(Working().adSettings[13], std::abs(sens->value()));
    EXPECT_NE(sens->value(), moved);
    qobject_cast<QDialog*>(dlg)->reject();
  });
  Press("AdBtn");
  EXPECT_TRUE(acted);
  EXPECT_FALSE(Working().modeWord & 0x0100);
  EXPECT_EQ(Flash().adCalibration[1], 201);
  EXPECT_EQ(Flash().mixTables[1][2], 0xFF);
  EXPECT_EQ(Flash().adSettings[0], 3);  // the untouched trigger kept its motion
  // The Set dialog reads the triggers the analog dialog holds.
  EXPECT_EQ(window.Editors().AdDlg().Model().Triggers()[0], (SensorTrigger{4, -500}));
}

// Factors and trigger motions taken in their lists, with the mouse or the keys, go to the board
// at once, stay shown when the inputs are switched, and are stored when the dialog closes.
TEST_F(InputDialogsTest, AnalogDialogKeepsTheFactorsAndMotionsChosenInItsLists) {
  bool acted = false;
  test::OnNextModal([&](QWidget* dlg) {
    acted = true;
    auto* tabs = Find<QTabBar>(dlg, "AdChannel");
    auto* first = Find<QComboBox>(dlg, "ComboBox1");
    auto* second = Find<QComboBox>(dlg, "ComboBox2");
    auto* motion = Find<QComboBox>(dlg, "MotList1");
    ASSERT_TRUE(test::ChooseWithMouse(first, 63 + 4));  // x 4
    EXPECT_EQ(Working().mixTables[0][0], 0x84);
    ASSERT_TRUE(test::ChooseWithKeys(second, -2));  // x -2
    EXPECT_EQ(Working().mixTables[0][1], 0xC2);
    ASSERT_TRUE(test::ChooseWithMouse(motion, 3));  // M3, board slot 2
    EXPECT_EQ(Working().adSettings[0], 2);
    ASSERT_TRUE(test::OpenAndEscape(motion, 4));  // Escape: the choice stands
    EXPECT_EQ(motion->currentIndex(), 3);

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(first->currentText(), "OFF");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(first->currentText(), "x 4");
    EXPECT_EQ(second->currentText(), "x -2");
    EXPECT_EQ(motion->currentIndex(), 3);
    QTest::keyClick(dlg, Qt::Key_Escape);
  });
  Press("AdBtn");
  ASSERT_TRUE(acted);
  EXPECT_EQ(Flash().mixTables[0][0], 0x84);
  EXPECT_EQ(Flash().mixTables[0][1], 0xC2);
  EXPECT_EQ(Flash().adSettings[0], 2);
}

TEST_F(InputDialogsTest, AnalogDialogIsNotShownWhenTheBoardIsSilent) {
  engine.SetFaults(*sim::FaultPlan::Parse("no-attention:1"));
  bool shown = false;
  QTimer guard;  // closes the dialog should it ever show; gone with the test
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&shown] {
    if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      shown = true;
      dlg->reject();
    }
  });
  guard.start(500);
  Press("AdBtn");
  EXPECT_FALSE(shown);
  EXPECT_FALSE(Working().modeWord & 0x0100);
}

TEST_F(InputDialogsTest, TransmitterDialogShowsReportsAutoAndFailures) {
  ASSERT_TRUE(window.Link().WritePropoSettings(Area::Stored, {10, 20, 30, 40}));
  engine.board().InjectRemote(77, {15, 25, 99, 45}, engine.Now());
  bool acted = false;
  int moved = 0;
  test::OnNextModal([&](QWidget* dlg) {
    acted = true;
    EXPECT_TRUE(Working().modeWord & 0x0004);
    EXPECT_EQ(Text(dlg, "PCal3"), "30");
    EXPECT_EQ(Find<QScrollBar>(dlg, "PScrBar4")->value(), 40);
    RemoteReport report;
    report.Code = 77;
    report.Transmitter = {15, 25, 99, 45};
    buttons.RemoteReportArrived(report);
    EXPECT_EQ(Text(dlg, "BEdit"), "77");
    EXPECT_EQ(Text(dlg, "PAdc1"), "15");
    EXPECT_EQ(Text(dlg, "PRif1"), "5");
    // Enter on a slider is no AUTO press: the board's reference stays as it was.
    const uint8_t before = Working().propo[0];
    Find<QScrollBar>(dlg, "PScrBar1")->setFocus();
    QTest::keyClick(Find<QScrollBar>(dlg, "PScrBar1"), Qt::Key_Return);
    EXPECT_EQ(Working().propo[0], before);
    QTest::mouseClick(Find<QPushButton>(dlg, "ACBtn3"), Qt::LeftButton);
    EXPECT_EQ(Working().propo[2], 99);  // the board took the input's reading
    buttons.RemoteReportArrived(report);
    EXPECT_EQ(Text(dlg, "PCal3"), "99");
    auto* bar = Find<QScrollBar>(dlg, "PScrBar1");
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(Working().propo[0], 10);  // written once the release has been handled
    (void)QTest::qWaitFor([&] { return Working().propo[0] == bar->value(); }, 2000);
    moved = bar->value();
    EXPECT_NE(moved, 10);
    EXPECT_EQ(Working().propo[0], moved);
    qobject_cast<QDialog*>(dlg)->reject();
  });
  Press("OptionMenu3");
  EXPECT_TRUE(acted);
  EXPECT_FALSE(Working().modeWord & 0x0004);
  EXPECT_EQ(Flash().propo, (std::array<uint8_t, 4>{static_cast<uint8_t>(moved), 20, 99, 40}));

  engine.SetFaults(*sim::FaultPlan::Parse("no-attention:1"));
  Press("OptionMenu3");
  EXPECT_TRUE(window.findChild<QLineEdit*>("Edit2")->text().endsWith("> Connection failed"));
}

}  // namespace
}  // namespace brv3
