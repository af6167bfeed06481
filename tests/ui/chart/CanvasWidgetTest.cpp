#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "core/chart/Chart.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"
#include "ui/app/MainWindow.h"
#include "ui/chart/CanvasTestSupport.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/chart/TableRowMime.h"

namespace brv3 {
namespace {

// A shown canvas over its own chart, driven by real mouse and key events.
class CanvasWidgetTest : public ::testing::Test {
 protected:
  CanvasWidgetTest() {
    canvas_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&canvas_));
  }

  void Click(QPoint p, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(&canvas_, Qt::LeftButton, modifiers, p);
  }
  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&canvas_, Qt::LeftButton, {}, from);
    QTest::mouseMove(&canvas_, (from + to) / 2);
    QTest::mouseMove(&canvas_, to);
    QTest::mouseRelease(&canvas_, Qt::LeftButton, {}, to);
  }
  // What a real double click delivers: press, release, press, double click, release.
  void DoubleClick(QPoint p) {
    QTest::mouseClick(&canvas_, Qt::LeftButton, {}, p);
    QTest::mousePress(&canvas_, Qt::LeftButton, {}, p);
    QTest::mouseDClick(&canvas_, Qt::LeftButton, {}, p);
    QTest::mouseRelease(&canvas_, Qt::LeftButton, {}, p);
  }
  int Selected() const { return chart_.SelectedObjectCount(); }

  Chart chart_;
  test::RecordingPrompter prompter_;
  ChartHistory history_{chart_};
  CanvasWidget canvas_{history_, prompter_};
};

TEST_F(CanvasWidgetTest, PlaceSelectDragAndDelete) {
  QSignalSpy tools(&canvas_, &CanvasWidget::ToolModeChanged);
  // Just after a file was opened a click only returns to Select.
  canvas_.SetTool(CanvasTool::Position);
  canvas_.SetInert();
  Click({12, 13});
  EXPECT_EQ(chart_.ObjectCount(), 0);
  EXPECT_EQ(canvas_.Editor().Tool(), CanvasTool::Select);
  canvas_.Editor().Grid().SetOn(true);
  canvas_.SetTool(CanvasTool::Position);
  Click({12, 13});
  ASSERT_EQ(chart_.ObjectCount(), 1);
  EXPECT_EQ(chart_.Objects[0].Left, 12);
  EXPECT_EQ(chart_.Objects[0].Top, 12);
  EXPECT_EQ(chart_.Objects[0].Type, kPosition);
  // Placing hands back to Select, and the button is told so.
  EXPECT_EQ(canvas_.Editor().Tool(), CanvasTool::Select);
  ASSERT_FALSE(tools.isEmpty());
  EXPECT_EQ(tools.last().at(0).toInt(), static_cast<int>(CanvasTool::Select));
  canvas_.Editor().Grid().SetOn(false);
  canvas_.SetTool(CanvasTool::Position);
  Click({200, 40});
  canvas_.SetTool(CanvasTool::Position);
  Click({400, 300});
  ASSERT_EQ(chart_.ObjectCount(), 3);
  QTest::mouseMove(&canvas_, {401, 302});
  EXPECT_EQ(prompter_.panel0, "X = 401  Y = 302");

  // A rubber band from empty space that only touches the first two boxes selects them.
  Drag({249, 71}, {61, 41});
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(chart_.Objects[0].Selected && chart_.Objects[1].Selected);
  EXPECT_FALSE(canvas_.Editor().RubberBand());

  // Dragging one member moves the whole group.
  Drag({220, 50}, {240, 80});
  EXPECT_EQ(chart_.Objects[0].Left, 32);
  EXPECT_EQ(chart_.Objects[0].Top, 42);
  EXPECT_EQ(chart_.Objects[1].Left, 220);
  EXPECT_EQ(chart_.Objects[1].Top, 70);
  EXPECT_EQ(chart_.Objects[2].Left, 400);

  // Shift+click takes one object out of the selection; Delete removes the rest.
  Click({40, 50}, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), 1);
  QTest::keyClick(&canvas_, Qt::Key_Delete);
  ASSERT_EQ(chart_.ObjectCount(), 2);
  EXPECT_EQ(chart_.Objects[0].Left, 32);
  EXPECT_EQ(chart_.Objects[1].Left, 400);
  // Shift+Delete is no canvas key.
  chart_.SelectAllObjects();
  QTest::keyClick(&canvas_, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(chart_.ObjectCount(), 2);
  // Ctrl+C, a move to the paste point and Ctrl+V paste a copy there.
  QTest::keyClick(&canvas_, Qt::Key_C, Qt::ControlModifier);
  QTest::mouseMove(&canvas_, {100, 200});
  QTest::keyClick(&canvas_, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(chart_.ObjectCount(), 4);
  EXPECT_EQ(chart_.Objects[2].Left, 100);
  EXPECT_EQ(chart_.Objects[2].Top, 200);
  EXPECT_EQ(Selected(), 2);
  QTest::keyClick(&canvas_, Qt::Key_Escape);
  EXPECT_EQ(Selected(), 0);
}

TEST_F(CanvasWidgetTest, WiringWithABendPointAndTheSameEndsError) {
  chart_.PlaceObject(40, 40, kPosition);   // centre (65, 55)
  chart_.PlaceObject(300, 40, kPosition);  // centre (325, 55)
  canvas_.Redraw();
  canvas_.SetTool(CanvasTool::FlowWiring);
  Click({65, 55});
  EXPECT_TRUE(chart_.Objects[0].Selected);
  QTest::mouseMove(&canvas_, {150, 160});
  EXPECT_EQ(canvas_.Editor().LastPoint(), (LinkPoint{150, 160}));
  Click({180, 160});
  Click({325, 55});
  ASSERT_EQ(chart_.LinkCount(), 1);
  const ChartLink& l = chart_.Links[0];
  EXPECT_EQ(l.Origin, 0);
  EXPECT_EQ(l.Final, 1);
  EXPECT_EQ(l.Main, kFlowWiring);
  EXPECT_EQ(l.Point, (std::vector<LinkPoint>{{180, 160}}));
  EXPECT_EQ(canvas_.Editor().Tool(), CanvasTool::FlowWiring);
  // The wire is drawn: its bend point lies on the picture in the unselected wire colour.
  EXPECT_EQ(canvas_.Picture().pixel(180, 160), qRgb(0x80, 0x80, 0x80));

  // Ending a wire on its origin is refused with a message and drops the wire in progress.
  Click({65, 55});
  Click({70, 60});
  ASSERT_EQ(prompter_.messages.size(), 1u);
  EXPECT_EQ(prompter_.messages[0].kind, MsgKind::Error);
  EXPECT_EQ(prompter_.messages[0].text, "Start and End objects must be different.");
  EXPECT_EQ(chart_.LinkCount(), 1);
  EXPECT_TRUE(canvas_.Editor().WirePoints().empty());

  // A branch wire only starts at a Compare object.
  canvas_.SetTool(CanvasTool::BranchWiring);
  Click({65, 55});
  EXPECT_TRUE(canvas_.Editor().WirePoints().empty());
}

TEST_F(CanvasWidgetTest, DoubleClickOpensOnlyWhatThePressHit) {
  chart_.PlaceObject(40, 40, kPosition);
  chart_.PlaceObject(300, 40, kSet);
  std::vector<std::pair<int32_t, uint8_t>> opened;
  canvas_.SetObjectDialogHook([&](int32_t index, uint8_t type) {
    opened.push_back({index, type});
  });
  DoubleClick({320, 50});
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], (std::pair<int32_t, uint8_t>{1, kSet}));

  // Empty space: the data dialog; without a hook a notice on the status line.
  DoubleClick({200, 300});
  ASSERT_FALSE(prompter_.statuses.empty());
  EXPECT_EQ(prompter_.statuses.back(), "The data dialog is not available yet");
  int dataDialogs = 0;
  canvas_.SetDataDialogHook([&] { ++dataDialogs; });
  DoubleClick({200, 300});
  EXPECT_EQ(dataDialogs, 1);
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(CanvasWidgetTest, PopupMenuAddsABendPoint) {
  chart_.PlaceObject(40, 40, kPosition);   // centre (65, 55)
  chart_.PlaceObject(300, 40, kPosition);  // centre (325, 55)
  chart_.AppendLinks(1);
  chart_.Links[0].Origin = 0;
  chart_.Links[0].Final = 1;
  QStringList shown;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
      if (action->isVisible() && !action->isSeparator()) shown << action->objectName();
    for (QAction* action : menu->actions())
      if (action->objectName() == "PointAddBtn") menu->setActiveAction(action);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QTest::mouseClick(&canvas_, Qt::RightButton, {}, QPoint(195, 57));
  EXPECT_EQ(shown, (QStringList{"N21", "N23", "N24", "N25", "PointAddBtn", "ItemDel", "N22"}));
  ASSERT_EQ(chart_.Links[0].Point.size(), 1u);
  EXPECT_EQ(chart_.Links[0].Point[0], (LinkPoint{195, 57}));
}

TEST_F(CanvasWidgetTest, TableRowDropPlacesAMotObject) {
  TableRowDrag row{3, "M4", "WALK"};
  std::unique_ptr<QMimeData> data(MakeTableRowMime(row));
  QDragEnterEvent enter(QPoint(50, 60), Qt::CopyAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(&canvas_, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(53, 61), Qt::CopyAction, data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(&canvas_, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(chart_.Type, kScenarioChart);
  ASSERT_EQ(chart_.ObjectCount(), 1);
  EXPECT_EQ(chart_.Objects[0].Type, kMot);
  EXPECT_EQ(chart_.Objects[0].Head, 3);
  EXPECT_EQ(chart_.Objects[0].Name, "M4 WALK");
  EXPECT_EQ(chart_.Objects[0].Left, 53);
  EXPECT_EQ(chart_.Objects[0].Top, 61);

  // A scenario row is refused; so is anything that is no table row.
  std::unique_ptr<QMimeData> scenario(MakeTableRowMime({80, "S1", "DEMO"}));
  QDragEnterEvent refused(QPoint(50, 60), Qt::CopyAction, scenario.get(), Qt::LeftButton, {});
  QApplication::sendEvent(&canvas_, &refused);
  EXPECT_FALSE(refused.isAccepted());
  QMimeData text;
  text.setText("3|M4|WALK");
  QDragEnterEvent plain(QPoint(50, 60), Qt::CopyAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(&canvas_, &plain);
  EXPECT_FALSE(plain.isAccepted());
  EXPECT_EQ(chart_.ObjectCount(), 1);
}

TEST(TableRowMimeTest, ReadsRowLabelAndName) {
  std::unique_ptr<QMimeData> data(MakeTableRowMime({12, "M13", "A|B"}));
  auto row = ReadTableRowMime(*data);
  ASSERT_TRUE(row);
  EXPECT_EQ(row->row, 12);
  EXPECT_EQ(row->label, "M13");
  EXPECT_EQ(row->name, "A|B");
  QMimeData bad;
  for (const char* text : {"x|M1|A", "3|M4", "", "|a|b"}) {
    bad.setData(kTableRowMimeType, text);
    EXPECT_FALSE(ReadTableRowMime(bad)) << text;
  }
}

TEST(CanvasInWindowTest, ToolButtonsGridAndSizeReachTheCanvas) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  CanvasWidget* canvas = window.Canvas();
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(window.CanvasWidget(), canvas);
  EXPECT_EQ(canvas->objectName(), "Image1");
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  window.findChild<QCheckBox*>("GridSw")->setChecked(true);
  window.findChild<QAction*>("SetItem1Btn")->trigger();
  EXPECT_EQ(canvas->Editor().Tool(), CanvasTool::Position);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(12, 13));
  ASSERT_EQ(window.CurrentChart().ObjectCount(), 1);
  EXPECT_EQ(window.CurrentChart().Objects[0].Left, 12);
  EXPECT_EQ(window.CurrentChart().Objects[0].Top, 12);
  // The Select button goes down again after placing.
  EXPECT_TRUE(window.findChild<QAction*>("SelectBtn")->isChecked());
  EXPECT_EQ(window.Tool(), CanvasTool::Select);

  window.findChild<QAction*>("SetStartBtn")->trigger();
  EXPECT_EQ(canvas->Editor().Tool(), CanvasTool::StartFlag);
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(window.CurrentChart().Start, 0);
  window.findChild<QAction*>("Link2Btn")->trigger();
  EXPECT_TRUE(canvas->Editor().Wiring());
  // Esc reaches the canvas even while the GRID check box has the focus.
  window.findChild<QCheckBox*>("GridSw")->setFocus();
  QTest::keyClick(window.findChild<QCheckBox*>("GridSw"), Qt::Key_Escape);
  EXPECT_FALSE(canvas->Editor().Wiring());
  EXPECT_TRUE(window.findChild<QAction*>("SelectBtn")->isChecked());

  window.Environment().SetCanvasSize(800, 600);
  EXPECT_EQ(canvas->size(), QSize(800, 600));
  EXPECT_EQ(canvas->Picture().size(), QSize(800, 600));
  window.Environment().SetGridSpacing(10, 20);
  EXPECT_EQ(canvas->Editor().Grid().Width(), 10);
  EXPECT_EQ(canvas->Editor().Grid().Height(), 20);

  // Opening a chart redraws it.
  ASSERT_TRUE(window.OpenChart(QString::fromStdString(test::DataFile("walk.QVB"))));
  EXPECT_GT(window.CurrentChart().ObjectCount(), 1);
  EXPECT_GT(canvas->Display().items.size(), window.CurrentChart().Objects.size());

  // After the environment dialog: Select tool, no wire in progress, the selection kept.
  window.findChild<QAction*>("Link1Btn")->trigger();
  window.CurrentChart().Objects[1].Selected = 1;
  QTimer::singleShot(0, [&window] {
    if (QDialog* dialog = window.findChild<QDialog*>("FormDlg")) dialog->reject();
  });
  window.findChild<QAction*>("FormBtn")->trigger();
  EXPECT_FALSE(canvas->Editor().Wiring());
  EXPECT_EQ(canvas->Editor().Tool(), CanvasTool::Select);
  EXPECT_TRUE(window.findChild<QAction*>("SelectBtn")->isChecked());
  EXPECT_EQ(window.CurrentChart().Objects[1].Selected, 1);
}

}  // namespace
}  // namespace brv3

namespace brv3 {
namespace {

QImage PictureOf(CanvasWidget& canvas) {
  return canvas.Picture().copy();
}

TEST(UndoInWindowTest, ButtonsAndKeysUndoAndRedoCanvasEdits) {
  test::UiEnvironment env;
  TBrivane3 window(env.SettingsPath());
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  CanvasWidget* canvas = window.Canvas();
  auto* undo = window.findChild<QAction*>("UndoBtn");
  auto* redo = window.findChild<QAction*>("RedoBtn");
  ASSERT_NE(undo, nullptr);
  ASSERT_NE(redo, nullptr);
  EXPECT_NE(window.findChild<QToolButton*>("UndoBtn"), nullptr);
  EXPECT_FALSE(undo->icon().isNull());
  EXPECT_FALSE(redo->icon().isNull());
  // The keys belong to the Edit menu's Undo and Redo, so no key is claimed twice.
  auto* undoMenu = window.findChild<QAction*>("UndoAction");
  auto* redoMenu = window.findChild<QAction*>("RedoAction");
  ASSERT_NE(undoMenu, nullptr);
  ASSERT_NE(redoMenu, nullptr);
  EXPECT_TRUE(undoMenu->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
  EXPECT_TRUE(redoMenu->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
  EXPECT_TRUE(redoMenu->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());

  const QImage empty = PictureOf(*canvas);
  window.findChild<QAction*>("SetItem1Btn")->trigger();
  QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(40, 40));
  ASSERT_EQ(window.CurrentChart().ObjectCount(), 1);
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_EQ(undo->toolTip(), "Undo Place");

  // A drag of many moves is undone in one go; the canvas redraws by itself.
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(50, 50));
  for (int x = 55; x <= 150; x += 5) QTest::mouseMove(canvas, QPoint(x, 50));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(150, 50));
  EXPECT_EQ(window.CurrentChart().Objects[0].Left, 140);
  const QImage dragged = PictureOf(*canvas);
  undo->trigger();
  EXPECT_EQ(window.CurrentChart().Objects[0].Left, 40);
  const QImage undone = PictureOf(*canvas);
  EXPECT_NE(undone, dragged);
  canvas->Redraw();
  EXPECT_EQ(PictureOf(*canvas), undone);

  canvas->setFocus();
  QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window.CurrentChart().ObjectCount(), 0);
  EXPECT_EQ(PictureOf(*canvas), empty);
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_TRUE(redo->isEnabled());
  QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(window.CurrentChart().ObjectCount(), 1);
  QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window.CurrentChart().Objects[0].Left, 140);
  EXPECT_FALSE(redo->isEnabled());

  // The canvas size from the environment is undone with the chart it belongs to.
  window.Environment().SetCanvasSize(800, 600);
  EXPECT_EQ(canvas->size(), QSize(800, 600));
  undo->trigger();
  EXPECT_EQ(window.CanvasSize(), QSize(640, 480));
  EXPECT_EQ(canvas->size(), QSize(640, 480));

  // The tab caption follows a rename and its undo.
  auto* tabs = window.findChild<QTabWidget*>("PageControl1");
  window.History().Apply("Rename",
                         [](Chart& chart) {
                           chart.SetChartName("WAVE");
                           return true;
                         },
                         {ChartChangeKind::HeaderChanged, {}, ChangeOrigin::Edit});
  EXPECT_EQ(tabs->tabText(0), "EDIT WAVE");
  undo->trigger();
  EXPECT_EQ(tabs->tabText(0), "EDIT No title");

  // Opening a chart starts a fresh history.
  ASSERT_TRUE(window.OpenChart(QString::fromStdString(test::DataFile("walk.QVB")), true));
  EXPECT_FALSE(undo->isEnabled());
  EXPECT_FALSE(redo->isEnabled());
  EXPECT_TRUE(window.History().IsClean());
  // A file that cannot be read leaves the chart and its history as they were.
  window.History().Apply("Move",
                         [](Chart& chart) {
                           ++chart.Objects[0].Left;
                           return true;
                         },
                         {ChartChangeKind::ObjectsChanged, {}, ChangeOrigin::Edit});
  test::OnNextModal([](QWidget* w) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) box->button(QMessageBox::Ok)->click();
  });
  EXPECT_FALSE(window.OpenChart("/nonexistent/none.QVB"));
  EXPECT_TRUE(undo->isEnabled());
}

}  // namespace
}  // namespace brv3
