#include <gtest/gtest.h>

#include <functional>

#include "core/board/ChartRebuild.h"
#include "core/board/MotionTransfer.h"
#include "core/chart/CanvasEditor.h"
#include "core/chart/CanvasTestHost.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

using test::CanvasFixture;

// The chart without its selection marks: an undo brings back the data, and the selection as it
// was when the edit began.
Chart Unselected(Chart chart) {
  chart.DeselectAll();
  return chart;
}

// A canvas fixture whose property and data dialogs run a scripted change.
struct UndoFixture : CanvasFixture {
  struct Host : test::FakeCanvasHost {
    std::function<void(int32_t)> property;
    std::function<void()> data;
    void OpenPropertyDialog(int32_t index) override {
      FakeCanvasHost::OpenPropertyDialog(index);
      if (property) property(index);
    }
    void OpenDataDialog() override {
      FakeCanvasHost::OpenDataDialog();
      if (data) data();
    }
  };
  Host scriptedHost;
  CanvasEditor scripted{history, prompter, scriptedHost};

  // Runs `action`, expects exactly one new undo step, undoes it and expects the chart as before,
  // redoes it and expects the chart as after.
  void ExpectOneUndoableStep(const std::function<void()>& action) {
    const Chart before = Unselected(chart);
    const size_t steps = history.UndoCount();
    action();
    ASSERT_EQ(history.UndoCount(), steps + 1);
    const Chart after = chart;
    EXPECT_FALSE(Unselected(after) == before);
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(Unselected(chart) == before);
    ASSERT_TRUE(history.Redo());
    EXPECT_TRUE(chart == after);
  }
};

TEST(CanvasEditorUndo, PlacingMovingAndWiringAreOneStepEach) {
  UndoFixture f;
  auto& e = f.scripted;
  f.ExpectOneUndoableStep([&] {
    e.SetTool(CanvasTool::Position);
    e.MousePress(MouseButton::Left, 10, 10, 0);
  });
  EXPECT_EQ(f.history.UndoLabel(), "Place");
  f.ExpectOneUndoableStep([&] {
    e.SetTool(CanvasTool::Set);
    e.MousePress(MouseButton::Left, 200, 10, 0);
  });
  // A drag of many moves, with the grid snapping on the press, is one step.
  f.history.EndGesture();
  e.Grid().SetOn(true);
  e.Grid().SetSpacing(7, 7);
  f.ExpectOneUndoableStep([&] {
    e.MousePress(MouseButton::Left, 20, 20, 0);
    for (int i = 1; i <= 30; ++i) e.MouseMove(20 + i * 7, 20, kButtonLeft, 0);
    e.MouseRelease(MouseButton::Left, 230, 20, 0);
  });
  e.Grid().SetOn(false);
  // A click that moves nothing leaves no step; two drags are two steps.
  const size_t steps = f.history.UndoCount();
  e.MousePress(MouseButton::Left, 220, 20, 0);
  e.MouseRelease(MouseButton::Left, 220, 20, 0);
  EXPECT_EQ(f.history.UndoCount(), steps);
  f.Drag(220, 20, 260, 60, 4);
  f.Drag(260, 60, 300, 60, 4);
  EXPECT_EQ(f.history.UndoCount(), steps + 2);

  f.ExpectOneUndoableStep([&] {
    e.SetTool(CanvasTool::FlowWiring);
    e.MousePress(MouseButton::Left, f.chart.Objects[0].CenterX(), f.chart.Objects[0].CenterY(), 0);
    e.MousePress(MouseButton::Left, 400, 400, 0);  // a bend on the way
    e.MousePress(MouseButton::Left, f.chart.Objects[1].CenterX(), f.chart.Objects[1].CenterY(), 0);
  });
  EXPECT_EQ(f.history.UndoLabel(), "Wiring");
  // Selection changes alone are no steps.
  const size_t before = f.history.UndoCount();
  e.SetTool(CanvasTool::Select);
  e.SelectAll();
  e.ReleaseSelection();
  f.Click(f.chart.Objects[0].CenterX(), f.chart.Objects[0].CenterY());
  EXPECT_EQ(f.history.UndoCount(), before);
}

TEST(CanvasEditorUndo, PopupCommandsBendPointsColoursPropertiesAndDelete) {
  UndoFixture f;
  auto& e = f.scripted;
  f.Place(0, 0);
  f.Place(200, 0);
  f.Wire(0, 1, {{100, 100}});
  f.ExpectOneUndoableStep([&] {
    f.scriptedHost.popupAnswers.push_back(PopupChoice{PopupEntry::AddBend});
    e.MousePress(MouseButton::Right, 162, 57, 0);
  });
  EXPECT_EQ(f.chart.Links[0].Point.size(), 2u);
  f.ExpectOneUndoableStep([&] {
    f.scriptedHost.popupAnswers.push_back(PopupChoice{PopupEntry::DeleteBend});
    e.MousePress(MouseButton::Right, 100, 100, 0);
  });
  f.ExpectOneUndoableStep([&] { f.Drag(162, 57, 170, 90, 3); });  // a bend point dragged
  f.ExpectOneUndoableStep([&] {
    e.SelectAll();
    f.scriptedHost.popupAnswers.push_back(PopupChoice{PopupEntry::Color, 3});
    e.MousePress(MouseButton::Right, 10, 10, 0);
  });
  // The same colour again changes nothing: no step.
  const size_t steps = f.history.UndoCount();
  e.SelectAll();
  e.ApplyColor(3);
  EXPECT_EQ(f.history.UndoCount(), steps);

  f.scriptedHost.property = [&](int32_t i) { f.chart.Objects[static_cast<size_t>(i)].Width = 90; };
  f.ExpectOneUndoableStep([&] {
    f.scriptedHost.popupAnswers.push_back(PopupChoice{PopupEntry::Properties});
    e.MousePress(MouseButton::Right, 210, 10, 0);
  });
  EXPECT_EQ(f.history.UndoLabel(), "Properties");
  f.scriptedHost.property = nullptr;  // a dialog closed without change
  f.scriptedHost.popupAnswers.push_back(PopupChoice{PopupEntry::Properties});
  e.MousePress(MouseButton::Right, 210, 10, 0);
  EXPECT_EQ(f.history.UndoCount(), steps + 1);

  f.ExpectOneUndoableStep([&] {
    f.scriptedHost.popupAnswers.push_back(PopupChoice{PopupEntry::Delete});
    e.MousePress(MouseButton::Right, 210, 10, 0);
  });
  EXPECT_EQ(f.chart.ObjectCount(), 1);
  EXPECT_EQ(f.chart.LinkCount(), 0);
}

TEST(CanvasEditorUndo, PasteInsertItemFilesDataDialogAndDrops) {
  UndoFixture f;
  auto& e = f.scripted;
  f.Place(0, 0);
  f.Place(100, 0);
  f.chart.Objects[0].Values.fill(16000);
  f.chart.Objects[1].Values.fill(17000);
  f.Wire(0, 1);
  e.SelectAll();
  f.chart.Links[0].Selected = 1;
  e.Copy();
  f.ExpectOneUndoableStep([&] {
    e.MouseMove(300, 300, 0, 0);
    e.KeyPress(CanvasKey::V, kModCtrl);
  });
  EXPECT_EQ(f.chart.ObjectCount(), 4);
  EXPECT_EQ(f.chart.LinkCount(), 2);

  f.history.Undo();
  e.SelectAll();
  f.chart.Links.clear();
  f.ExpectOneUndoableStep([&] {
    f.prompter.textAnswers.push_back(std::string("3"));
    EXPECT_TRUE(e.Insert());
  });
  EXPECT_EQ(f.chart.ObjectCount(), 5);
  // A cancelled Insert leaves no step.
  e.SelectAll();
  f.prompter.textAnswers.push_back(std::nullopt);
  const size_t steps = f.history.UndoCount();
  EXPECT_FALSE(e.Insert());
  EXPECT_EQ(f.history.UndoCount(), steps);

  test::TempDir dir;
  e.SelectAll();
  f.scriptedHost.fileAnswers.push_back(FileChoice{dir.File("items.QVB"), 1});
  ASSERT_TRUE(e.SaveItems());
  EXPECT_EQ(f.history.UndoCount(), steps);  // saving is no edit
  f.ExpectOneUndoableStep([&] {
    f.scriptedHost.fileAnswers.push_back(FileChoice{dir.File("items.QVB"), 1});
    EXPECT_TRUE(e.OpenItems());
  });
  EXPECT_EQ(f.chart.ObjectCount(), 10);
  // A file that is not there changes nothing.
  f.scriptedHost.fileAnswers.push_back(FileChoice{dir.File("missing.QVB"), 1});
  EXPECT_FALSE(e.OpenItems());
  EXPECT_EQ(f.history.UndoCount(), steps + 1);

  // The data dialog renames the chart: one step, and the caption hears of it either way.
  int headers = 0;
  Subscription s = f.chart.Changes().Subscribe(
      [&](const ChartChange& c) { headers += c.kind == ChartChangeKind::HeaderChanged; });
  f.scriptedHost.data = [&] { f.chart.SetChartName("WAVE"); };
  f.ExpectOneUndoableStep([&] {
    e.MousePress(MouseButton::Left, 5000, 5000, 0);
    e.DoubleClick();
  });
  EXPECT_EQ(f.chart.Name, "WAVE");
  EXPECT_EQ(f.history.UndoLabel(), "Chart data");
  f.scriptedHost.data = nullptr;
  headers = 0;
  e.MousePress(MouseButton::Left, 5000, 5000, 0);
  e.DoubleClick();
  EXPECT_EQ(headers, 1);
  EXPECT_EQ(f.history.UndoCount(), steps + 2);

  Chart scenario;
  ChartHistory scenarioHistory(scenario);
  test::FakeCanvasHost host;
  CanvasEditor onScenario(scenarioHistory, f.prompter, host);
  ASSERT_TRUE(onScenario.DropMotion(10, 10, 3, "M4", "WALK"));
  EXPECT_EQ(scenarioHistory.UndoLabel(), "Place");
  scenarioHistory.Undo();
  EXPECT_EQ(scenario.ObjectCount(), 0);
}

TEST(CanvasEditorUndo, AWholeChartReadBackIsOneStep) {
  UndoFixture f;
  f.Place(0, 0);
  f.chart.SetChartName("OLD");
  MotionRead read;
  read.name = "WALK";
  read.ctrl = 12;
  read.steps.resize(3);
  f.ExpectOneUndoableStep([&] {
    f.history.ApplyChecked("Read", [&](Chart& chart) { RebuildMotionChart(chart, read); },
                           {ChartChangeKind::Replaced, {}, ChangeOrigin::Edit});
  });
  EXPECT_EQ(f.chart.ObjectCount(), 3);
  f.history.Undo();
  EXPECT_EQ(f.chart.Name, "OLD");
  EXPECT_EQ(f.chart.Ctrl, kNoCtrl);
}

TEST(CanvasEditorUndo, ChangesFromElsewhereRedrawAndForgetStaleHits) {
  UndoFixture f;
  auto& e = f.scripted;
  f.Place(0, 0);
  f.Place(100, 0);
  f.Wire(0, 1, {{50, 100}});
  // Delete the second object, then undo it while the press on it still holds the drag.
  e.MousePress(MouseButton::Left, 110, 10, 0);
  e.KeyPress(CanvasKey::Delete, 0);
  e.MousePress(MouseButton::Left, 110, 10, 0);  // presses empty space now
  e.MousePress(MouseButton::Left, 10, 10, 0);
  const int redraws = f.scriptedHost.redraws;
  ASSERT_TRUE(f.history.Undo());
  EXPECT_EQ(f.scriptedHost.redraws, redraws + 1);
  EXPECT_EQ(e.LastHit().object, -1);
  e.MouseMove(40, 40, kButtonLeft, 0);  // the drag was dropped: nothing moves
  EXPECT_EQ(f.chart.Objects[0].Left, 0);
  e.MouseRelease(MouseButton::Left, 40, 40, 0);

  // A wire in progress is dropped when the chart is replaced under it.
  e.SetTool(CanvasTool::FlowWiring);
  e.MousePress(MouseButton::Left, 25, 15, 0);
  ASSERT_EQ(e.WireOrigin(), 0);
  f.history.Redo();
  EXPECT_EQ(e.WireOrigin(), -1);

  // Edits announced while the editor handles an event redraw once, at its end.
  e.SetTool(CanvasTool::Position);
  const int before = f.scriptedHost.redraws;
  e.MousePress(MouseButton::Left, 300, 300, 0);
  EXPECT_EQ(f.scriptedHost.redraws, before + 1);
}

}  // namespace
}  // namespace brv3
