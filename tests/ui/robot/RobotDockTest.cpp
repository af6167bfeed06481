#include "ui/robot/RobotDock.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QScatterSeries>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "core/chart/ChartFiles.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionPreview.h"
#include "core/util/IniFile.h"
#include "core/util/Prompter.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/motion/CurvesDock.h"
#include "ui/motion/ObjectEditors.h"
#include "ui/motion/PrmDlg.h"
#include "ui/robot/ArmCharts.h"
#include "ui/robot/RobotView.h"

namespace brv3 {
namespace {

// The test arm turns 1 radian for 650 counts on CH1 (shoulder) and CH2 (elbow).
constexpr double kCountsPerRadian = 650;

std::string ArmFile() {
  return test::DataFile("robots/arm.urdf");
}

// The editor with the robot dock shown over the test arm, as BRV3.ini asks for it.
class RobotDockTest : public ::testing::Test {
 protected:
  RobotDockTest() {
    test::WriteFile(env.SettingsPath(),
                    "[BRV3]\r\nRobotView=1\r\nRobotModel=" + ArmFile() + "\r\n");
    window = std::make_unique<TBrivane3>(env.SettingsPath());
    window->resize(1000, 700);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  RobotDock& Dock() { return window->Editors().Robot(); }
  Chart& Doc() { return window->CurrentChart(); }
  double Joint(const char* name) {
    const int index = Dock().Model()->JointIndex(name);
    EXPECT_GE(index, 0) << name;
    return index < 0 ? NAN : Dock().Poser().Joints()[static_cast<size_t>(index)];
  }
  static double Radians(uint16_t word) { return (word - 16384) / kCountsPerRadian; }
  // A position object whose CH1 and CH2 hold `shoulder` and `elbow`.
  int PlacePosition(int left, uint16_t shoulder, uint16_t elbow) {
    const int index = Doc().PlaceObject(left, 20, kPosition);
    auto& values = Doc().Objects[static_cast<size_t>(index)].Values;
    values.fill(16384);
    values[0] = shoulder;
    values[1] = elbow;
    Doc().Notify(ChartChangeKind::Replaced);
    return index;
  }
  QPoint Centre(int index) {
    const ChartObject& o = Doc().Objects[static_cast<size_t>(index)];
    return {o.CenterX(), o.CenterY()};
  }
  void ClickObject(int index) {
    QTest::mouseClick(window->Canvas(), Qt::LeftButton, {}, Centre(index));
  }
  void DoubleClickObject(int index) {
    const QPoint p = Centre(index);
    QTest::mouseClick(window->Canvas(), Qt::LeftButton, {}, p);
    QTest::mousePress(window->Canvas(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(window->Canvas(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(window->Canvas(), Qt::LeftButton, {}, p);
  }
  template <class T>
  T* Find(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void ClickToolbar(const char* action) {
    auto* a = window->findChild<QAction*>(action);
    ASSERT_NE(a, nullptr) << action;
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
      if (QWidget* button = bar->widgetForAction(a)) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
      }
    }
    FAIL() << "no toolbar button for " << action;
  }

  test::UiEnvironment env;
  std::unique_ptr<TBrivane3> window;
};

TEST_F(RobotDockTest, FollowsTheSelectionTheEditorsSlidersAndAnUndo) {
  ASSERT_TRUE(Dock().isVisible());
  ASSERT_NE(Dock().Model(), nullptr);
  EXPECT_EQ(Dock().ModelPath(), ArmFile());
  const int first = PlacePosition(20, 16384 + 650, 16384);
  const int second = PlacePosition(200, 16384 - 325, 16384 + 325);

  ClickObject(first);
  EXPECT_EQ(Dock().Source(), RobotPoseSource::Selection);
  EXPECT_NEAR(Joint("shoulder"), 1.0, 1e-9);
  EXPECT_NEAR(Joint("elbow"), 0.0, 1e-9);
  ClickObject(second);
  EXPECT_NEAR(Joint("shoulder"), -0.5, 1e-9);
  EXPECT_NEAR(Joint("elbow"), 0.5, 1e-9);

  // The open editor leads, every slider step shown, whether SYNC is on or not.
  DoubleClickObject(first);
  TPrmDlg& editor = window->Editors().PrmDlg();
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor.isVisible(); }, 3000));
  EXPECT_EQ(Dock().Source(), RobotPoseSource::Editor);
  EXPECT_NEAR(Joint("shoulder"), 1.0, 1e-9);
  auto* scroll = Find<QSlider>(&editor, "Scroll2");
  ASSERT_NE(scroll, nullptr);
  const int before = Dock().PosesApplied();
  scroll->setFocus();
  QTest::keyClick(scroll, Qt::Key_PageUp);
  QTest::keyClick(scroll, Qt::Key_PageUp);
  const uint16_t moved = editor.Editor().BuildRecord().Values[1];
  ASSERT_NE(moved, 16384);
  EXPECT_NEAR(Joint("elbow"), Radians(moved), 1e-9);
  EXPECT_GE(Dock().PosesApplied(), before + 2);

  // Closed, the editor gives way to the selection, which now holds the edit; an undo puts the
  // robot back.
  editor.close();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !editor.isVisible(); }, 3000));
  EXPECT_EQ(Dock().Source(), RobotPoseSource::Selection);
  EXPECT_EQ(Doc().Objects[static_cast<size_t>(first)].Values[1], moved);
  EXPECT_NEAR(Joint("elbow"), Radians(moved), 1e-9);
  while (Doc().Objects[static_cast<size_t>(first)].Values[1] != 16384 &&
         window->History().State().CanUndo)
    ClickToolbar("UndoBtn");
  EXPECT_EQ(Doc().Objects[static_cast<size_t>(first)].Values[1], 16384);
  EXPECT_NEAR(Joint("elbow"), 0.0, 1e-9);
  EXPECT_NEAR(Joint("shoulder"), 1.0, 1e-9);
}

TEST_F(RobotDockTest, AHiddenDockDoesNoWorkAndCatchesUpWhenShownAgain) {
  const int first = PlacePosition(20, 16384 + 650, 16384);
  const int second = PlacePosition(200, 16384, 16384 - 650);
  ClickObject(first);
  EXPECT_NEAR(Joint("shoulder"), 1.0, 1e-9);

  auto* toggle = window->findChild<QAction*>("ViewRobotAction");
  ASSERT_NE(toggle, nullptr);
  toggle->trigger();
  ASSERT_FALSE(Dock().isVisible());
  const int applied = Dock().PosesApplied();
  const int placed = Dock().View()->Placements();
  ClickObject(second);
  ClickObject(first);
  ClickObject(second);
  EXPECT_EQ(Dock().PosesApplied(), applied);
  EXPECT_EQ(Dock().View()->Placements(), placed);
  EXPECT_NEAR(Joint("shoulder"), 1.0, 1e-9);  // still the first object's

  toggle->trigger();
  ASSERT_TRUE(Dock().isVisible());
  EXPECT_EQ(Dock().PosesApplied(), applied + 1);
  EXPECT_NEAR(Joint("shoulder"), 0.0, 1e-9);
  EXPECT_NEAR(Joint("elbow"), -1.0, 1e-9);

  // Whether it is shown is kept with the other window settings.
  toggle->trigger();
  window->Editors().SaveLayout();
  IniFile back;
  ASSERT_TRUE(back.LoadFile(env.SettingsPath()));
  EXPECT_FALSE(back.ReadBool("BRV3", "RobotView", true));
}

TEST_F(RobotDockTest, ThePreviewPlaysScrubsAndStopsAndMarksTheStepPlayed) {
  const std::string path = env.Dir().File("arm.QVB");
  SilentPrompter quiet;
  ASSERT_TRUE(SaveChartFile(
      test::ArmMotion({{16384, 16384}, {16384 + 650, 16384}, {16384 - 650, 16384 + 325}}, 40), path,
      quiet));
  ASSERT_TRUE(window->OpenChart(QString::fromStdString(path), true));
  auto* curvesToggle = window->findChild<QAction*>("ViewCurvesAction");
  ASSERT_NE(curvesToggle, nullptr);
  curvesToggle->trigger();
  QApplication::processEvents();
  CurvesDock& curves = window->Editors().Curves();

  QTest::mouseClick(Find<QToolButton>(&Dock(), "RobotPlayBtn"), Qt::LeftButton);
  ASSERT_TRUE(Dock().Playing()) << Dock().Note().toStdString();
  EXPECT_EQ(Dock().Source(), RobotPoseSource::Preview);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Dock().PreviewStep() >= 2; }, 10000));
  QTest::mouseClick(Find<QToolButton>(&Dock(), "RobotPauseBtn"), Qt::LeftButton);
  EXPECT_FALSE(Dock().Playing());
  const int step = Dock().PreviewStep();
  EXPECT_EQ(curves.PlayedStep(), step);
  EXPECT_EQ(window->Canvas()->PlayedObject(), Dock().PreviewObject());
  ASSERT_NE(curves.PlayedMarks(), nullptr);
  EXPECT_GT(curves.PlayedMarks()->count(), 0);

  // Scrubbing to the end shows the last moment, as the preview model has it.
  auto* slider = Find<QSlider>(&Dock(), "RobotTimeSlider");
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_End);
  EXPECT_DOUBLE_EQ(Dock().PreviewTime(), slider->maximum() / 1000.0);
  const MotionPreview preview(CompileMotionChart(Doc()).records);
  EXPECT_EQ(Dock().Poser().Words(), preview.At(slider->maximum() / 1000.0).words);
  EXPECT_NEAR(Joint("shoulder"), -1.0, 1e-9);
  EXPECT_NEAR(Joint("elbow"), 0.5, 1e-9);
  QTest::keyClick(slider, Qt::Key_Home);
  EXPECT_EQ(Dock().PreviewTime(), 0);

  // Stop hands the robot back to the selection and clears the marks.
  QTest::mouseClick(Find<QToolButton>(&Dock(), "RobotStopBtn"), Qt::LeftButton);
  EXPECT_NE(Dock().Source(), RobotPoseSource::Preview);
  EXPECT_EQ(Dock().PreviewStep(), 0);
  EXPECT_EQ(window->Canvas()->PlayedObject(), -1);
  EXPECT_EQ(curves.PlayedStep(), 0);
}

TEST_F(RobotDockTest, ABadModelFileIsSaidAndTheModelShownStays) {
  const auto shown = Dock().Model();
  const std::string bad = env.Dir().File("bad.urdf");
  test::WriteFile(bad,
                  "<robot name=\"x\"><link name=\"a\"/><transmission name=\"t\">"
                  "<joint name=\"nowhere\"/><actuator name=\"CH1\">"
                  "<mechanicalReduction>1</mechanicalReduction></actuator>"
                  "</transmission></robot>");
  QString said;
  test::OnNextModal([&](QWidget* d) {
    auto* dialog = qobject_cast<QFileDialog*>(d);
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString(bad));
    test::OnNextModal([&](QWidget* box) {
      for (QWidget* w : box->findChildren<QWidget*>())
        if (w->property("text").isValid()) said += w->property("text").toString() + "\n";
      for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == "OK") b->click();
    });
    static_cast<QDialog*>(dialog)->accept();
  });
  auto* choose = window->findChild<QAction*>("ViewRobotModelAction");
  ASSERT_NE(choose, nullptr);
  choose->trigger();
  EXPECT_TRUE(said.contains("bad.urdf")) << said.toStdString();
  EXPECT_TRUE(said.contains("nowhere")) << said.toStdString();
  EXPECT_EQ(Dock().Model(), shown);
  EXPECT_EQ(Dock().ModelPath(), ArmFile());
  IniFile back;
  ASSERT_TRUE(back.LoadFile(env.SettingsPath()));
  EXPECT_EQ(back.ReadString("BRV3", "RobotModel", ""), ArmFile());
}

}  // namespace
}  // namespace brv3
