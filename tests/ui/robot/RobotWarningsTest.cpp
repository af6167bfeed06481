#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <cmath>

#include "core/chart/ChartFiles.h"
#include "core/motion/ChannelWord.h"
#include "core/util/Prompter.h"
#include "sim/Engine.h"
#include "sim/SimPort.h"
#include "support/ScriptedPrompter.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainBoardButtons.h"
#include "ui/app/MainWindow.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/robot/ArmCharts.h"
#include "ui/robot/MarkedSlider.h"
#include "ui/robot/RobotCheckRunner.h"
#include "ui/robot/RobotDock.h"

namespace brv3 {
namespace {

// A torso with an arm hanging from a shoulder at its side, turned about x by CH1 (650 counts a
// radian); the hand, a ball of 3 cm, sits 15 cm down the arm, 4 cm clear of the torso. Swung from
// hanging down to over the shoulder the hand passes through the torso, from 1.11 s into the
// motion below, and is out again well before the arm is up.
constexpr const char* kRobot = R"(<robot name="arm">
  <link name="torso"><collision><origin xyz="0 0 0.15"/>
    <geometry><box size="0.1 0.1 0.3"/></geometry></collision></link>
  <link name="l_arm"><collision><geometry><box size="0.04 0.2 0.04"/></geometry></collision></link>
  <link name="l_hand"><collision><geometry><sphere radius="0.03"/></geometry></collision></link>
  <joint name="l_shoulder" type="revolute"><parent link="torso"/><child link="l_arm"/>
    <origin xyz="0 0.12 0.2"/><axis xyz="1 0 0"/>
    <limit lower="-3" upper="3" effort="1" velocity="1"/></joint>
  <joint name="l_wrist" type="fixed"><parent link="l_arm"/><child link="l_hand"/>
    <origin xyz="0 0 -0.15"/></joint>
  <transmission name="t1"><type>transmission_interface/SimpleTransmission</type>
    <joint name="l_shoulder"/><actuator name="CH1"><mechanicalReduction>650</mechanicalReduction>
    </actuator></transmission>
</robot>)";

constexpr double kHitFrom = 1.11;  // seconds: the first tick with the hand in the torso

uint16_t At(double radians) {
  return static_cast<uint16_t>(kPositionCenter + std::lround(radians * 650));
}

// The editor with its board buttons, the robot dock shown over the crafted robot, and the
// motion that swings the hand through the torso open.
class RobotWarningsTest : public ::testing::Test {
 protected:
  RobotWarningsTest() {
    const std::string robot = env.Dir().File("arm.urdf");
    test::WriteFile(robot, kRobot);
    test::WriteFile(env.SettingsPath(), "[BRV3]\r\nRobotView=1\r\nRobotModel=" + robot + "\r\n");
    window = std::make_unique<TBrivane3>(env.SettingsPath());
    window->Link().SetPort(&port);
    buttons = std::make_unique<MainBoardButtons>(*window, prompter);
    window->SetBoardButtons(buttons.get());
    window->resize(1100, 750);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const std::string path = env.Dir().File("swing.QVB");
    SilentPrompter quiet;
    EXPECT_TRUE(SaveChartFile(
        test::ArmMotion({{kPositionCenter, kPositionCenter}, {At(-2.8), kPositionCenter}}, 100),
        path, quiet));
    EXPECT_TRUE(window->OpenChart(QString::fromStdString(path), true));
  }
  ~RobotWarningsTest() override { window->SetBoardButtons(nullptr); }

  RobotDock& Dock() { return window->Editors().Robot(); }
  Chart& Doc() { return window->CurrentChart(); }
  bool WaitForChecks() {
    return QTest::qWaitFor([&] { return !Dock().CheckPending(); }, 20000);
  }
  void Compile() {
    auto* action = window->findChild<QAction*>("CompileBtn");
    ASSERT_NE(action, nullptr);
    action->trigger();
  }
  // Brings the LIST sheet up through its tab.
  void ShowListSheet() {
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
      for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i).remove('&') != "LIST") continue;
        QTabBar* bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        ASSERT_TRUE(window->Qvb()->isVisible());
        return;
      }
    }
    FAIL() << "no LIST sheet";
  }
  QTreeWidgetItem* Line(const QString& part) {
    QTreeWidget* qvb = window->Qvb();
    for (int i = 0; i < qvb->topLevelItemCount(); ++i)
      if (qvb->topLevelItem(i)->text(0).contains(part)) return qvb->topLevelItem(i);
    return nullptr;
  }
  QStringList Lines() {
    QStringList lines;
    for (int i = 0; i < window->Qvb()->topLevelItemCount(); ++i)
      lines << window->Qvb()->topLevelItem(i)->text(0);
    return lines;
  }

  test::UiEnvironment env;
  sim::Engine engine;
  sim::SimPort port{engine};
  test::ScriptedPrompter prompter;
  std::unique_ptr<TBrivane3> window;
  std::unique_ptr<MainBoardButtons> buttons;
};

TEST_F(RobotWarningsTest, AHitIsListedMarkedOnTheSliderAndShownRedWhereItHappens) {
  ASSERT_NE(Dock().CheckedModel(), nullptr);
  ASSERT_TRUE(WaitForChecks());
  ASSERT_EQ(Dock().RobotWarnings().size(), 1u);

  // The slider marks the moments of the hit, in red under its groove, and nothing else.
  MarkedSlider* slider = Dock().TimeSlider();
  ASSERT_TRUE(QTest::qWaitFor([&] { return slider->maximum() > 2000; }, 5000));
  EXPECT_TRUE(slider->MarkedAt(1110));
  EXPECT_FALSE(slider->MarkedAt(1100));
  EXPECT_FALSE(slider->MarkedAt(500));
  EXPECT_FALSE(slider->MarkedAt(slider->maximum()));
  const QImage shown = slider->grab().toImage();
  const auto redIn = [&](int x) {
    for (int y = shown.height() / 2; y < shown.height(); ++y)
      if (QColor(shown.pixel(x, y)) == MarkedSlider::MarkColor()) return true;
    return false;
  };
  EXPECT_TRUE(redIn(slider->PixelOf(1200)));
  EXPECT_FALSE(redIn(slider->PixelOf(500)));

  // The LIST sheet names it after the chart's own warnings.
  Compile();
  ShowListSheet();
  const QString hit = "warning: step 1 (POS1) -> step 2 (POS2), at 1.11 s: l_hand hits torso";
  QTreeWidgetItem* item = Line(hit);
  ASSERT_NE(item, nullptr) << Lines().join('\n').toStdString();

  // A click on it selects the step's object and takes the preview to the moment, where the two
  // links are red.
  QTreeWidget* qvb = window->Qvb();
  QTest::mouseClick(qvb->viewport(), Qt::LeftButton, {}, qvb->visualItemRect(item).center());
  EXPECT_EQ(Doc().SelectedObjectCount(), 1);
  EXPECT_TRUE(Doc().Objects[1].Selected);
  EXPECT_NEAR(Dock().PreviewTime(), kHitFrom, 1e-9);
  EXPECT_EQ(slider->value(), 1110);
  EXPECT_EQ(Dock().RedLinks(), (std::vector<std::string>{"torso", "l_hand"}));

  // Elsewhere in the motion nothing is red: at the start, and with the arm up at the end.
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_End);
  EXPECT_GT(Dock().PreviewTime(), 2.0);
  EXPECT_EQ(Dock().RedLinks(), std::vector<std::string>{});
  QTest::keyClick(slider, Qt::Key_Home);
  EXPECT_EQ(Dock().RedLinks(), std::vector<std::string>{});
  // Stepping back into the hit turns them red again.
  for (int i = 0; i < 3; ++i) QTest::keyClick(slider, Qt::Key_PageUp);
  EXPECT_NEAR(Dock().PreviewTime(), 1.5, 1e-9);
  EXPECT_EQ(Dock().RedLinks(), (std::vector<std::string>{"torso", "l_hand"}));
}

// The question before a write names the robot's warnings with the chart's own; without a model
// neither it nor the LIST sheet has any.
TEST_F(RobotWarningsTest, TheWriteQuestionNamesThemAndWithoutAModelThereAreNone) {
  ASSERT_TRUE(WaitForChecks());
  Compile();
  ASSERT_NE(Line("l_hand hits torso"), nullptr) << Lines().join('\n').toStdString();
  prompter.checkAnswers = {{IdNo, false}, {IdNo, false}};
  prompter.selections = {4, 4};
  window->findChild<QAction*>("MotWriteBtn")->trigger();
  ASSERT_EQ(prompter.checkMessages.size(), 1u);
  EXPECT_NE(prompter.checkMessages[0].text.find("l_hand hits torso"), std::string::npos);
  EXPECT_NE(prompter.checkMessages[0].text.find("Write anyway?"), std::string::npos);

  // A robot shown only for want of the user's own (the shipped one) warns in the dock, not
  // before a write.
  Dock().SetUsersRobot(false);
  Compile();
  EXPECT_EQ(Line("hits"), nullptr) << Lines().join('\n').toStdString();
  EXPECT_FALSE(Dock().RobotWarnings().empty());
  Dock().SetUsersRobot(true);

  Dock().ClearModel();
  window->findChild<QAction*>("MotWriteBtn")->trigger();
  ASSERT_EQ(prompter.checkMessages.size(), 2u);  // the chart's own warnings are still asked about
  EXPECT_EQ(prompter.checkMessages[1].text.find("hits"), std::string::npos)
      << prompter.checkMessages[1].text;
  Compile();
  EXPECT_EQ(Line("hits"), nullptr) << Lines().join('\n').toStdString();
  for (const ChartWarning& w : buttons->Warnings()) EXPECT_TRUE(w.Links.empty()) << w.Text;
  EXPECT_EQ(buttons->Warnings(), CheckChart(Doc(), {}));
  EXPECT_TRUE(Dock().RobotWarnings().empty());
  EXPECT_TRUE(Dock().TimeSlider()->Marks().empty());
  // An edit checks nothing.
  const int started = Dock().Checker().Started();
  Doc().Objects[1].Values[0] = At(-2.5);
  Doc().Notify(ChartChangeKind::Replaced);
  ASSERT_TRUE(WaitForChecks());
  EXPECT_EQ(Dock().Checker().Started(), started);
}

TEST_F(RobotWarningsTest, EditsAreCheckedOnceTheyPauseAndAHiddenDockWaitsUntilShown) {
  ASSERT_TRUE(WaitForChecks());
  ASSERT_EQ(Dock().RobotWarnings().size(), 1u);
  const int started = Dock().Checker().Started();

  // A burst of edits makes one check, of the last: the arm swung the other way misses the torso.
  for (double angle : {-2.7, -2.6, 1.5}) {
    Doc().Objects[1].Values[0] = At(angle);
    Doc().Notify(ChartChangeKind::Replaced);
  }
  EXPECT_TRUE(Dock().CheckPending());
  ASSERT_TRUE(WaitForChecks());
  EXPECT_EQ(Dock().Checker().Started(), started + 1);
  EXPECT_TRUE(Dock().RobotWarnings().empty());
  EXPECT_TRUE(Dock().TimeSlider()->Marks().empty());

  // Hidden, the dock only notes that it is behind.
  auto* toggle = window->findChild<QAction*>("ViewRobotAction");
  ASSERT_NE(toggle, nullptr);
  toggle->trigger();
  ASSERT_FALSE(Dock().isVisible());
  Doc().Objects[1].Values[0] = At(-2.8);
  Doc().Notify(ChartChangeKind::Replaced);
  EXPECT_FALSE(Dock().CheckScheduled());
  EXPECT_FALSE(Dock().Checker().Running());
  EXPECT_EQ(Dock().Checker().Started(), started + 1);
  EXPECT_TRUE(Dock().CheckPending());
  toggle->trigger();
  ASSERT_TRUE(Dock().isVisible());
  ASSERT_TRUE(WaitForChecks());
  EXPECT_EQ(Dock().Checker().Started(), started + 2);
  EXPECT_EQ(Dock().RobotWarnings().size(), 1u);
}

}  // namespace
}  // namespace brv3
