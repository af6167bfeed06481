#include "core/chart/CanvasEditor.h"

#include <gtest/gtest.h>

#include "core/chart/CanvasTestHost.h"
#include "support/TestSupport.h"

namespace brv3 {
namespace {

using test::CanvasFixture;

std::vector<LinkPoint> Corners(const Chart& chart) {
  std::vector<LinkPoint> out;
  for (const ChartObject& o : chart.Objects) out.push_back({o.Left, o.Top});
  return out;
}

TEST(CanvasEditor, GridSnapsPlacementAndToolReturnsToSelect) {
  CanvasFixture f;
  f.editor.Grid().SetOn(true);
  f.editor.SetTool(CanvasTool::Position);
  f.Click(12, 13);
  ASSERT_EQ(f.chart.ObjectCount(), 1);
  EXPECT_EQ(f.chart.Objects[0].Left, 12);
  EXPECT_EQ(f.chart.Objects[0].Top, 12);
  EXPECT_EQ(f.editor.Tool(), CanvasTool::Select);
  EXPECT_EQ(f.host.tools.back(), CanvasTool::Select);

  // The Mix button (tag 7) places type 6; a MOT drop cannot follow on a motion chart.
  f.editor.SetTool(CanvasTool::Mix);
  f.Click(100, 100);
  EXPECT_EQ(f.chart.Objects[1].Type, kMix);
  EXPECT_EQ(f.chart.Objects[1].Name, "MIX1");

  f.editor.Grid().SetSpacing(1, 0);
  EXPECT_EQ(f.editor.Grid().Width(), 2);
  EXPECT_EQ(f.editor.Grid().Height(), 2);
  f.editor.Grid().SetSpacing(10, 4);
  EXPECT_EQ(f.editor.Grid().Snap({29, 3}), (LinkPoint{25, 2}));
  EXPECT_EQ(f.editor.Grid().Snap({-7, -1}), (LinkPoint{5, 2}));  // truncates toward zero

  // Every move reports the snapped point in panel 0 and becomes the paste point.
  f.editor.MouseMove(37, 9, 0, 0);
  EXPECT_EQ(f.prompter.panel0.back(), "X = 35  Y = 10");
  EXPECT_EQ(f.editor.PastePoint(), (LinkPoint{35, 10}));
}

TEST(CanvasEditor, ShiftClickTogglesOneAndPlainClickKeepsTheGroup) {
  CanvasFixture f;
  f.Place(10, 10);
  f.Place(100, 10);
  f.Place(200, 10);
  f.editor.Grid().SetOn(true);
  f.chart.Objects[0].Left = 11;  // off the grid
  f.Click(15, 15);
  EXPECT_EQ(Corners(f.chart)[0], (LinkPoint{12, 12}));  // selecting snaps the corner
  f.Click(105, 15, kModShift);
  f.Click(205, 15, kModShift);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 3);
  f.Click(105, 15, kModShift);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 2);
  EXPECT_FALSE(f.chart.Objects[1].Selected);

  f.editor.Grid().SetOn(false);
  f.Drag(205, 15, 215, 35);
  EXPECT_TRUE(f.chart.Objects[0].Selected);
  EXPECT_TRUE(f.chart.Objects[2].Selected);
  EXPECT_EQ(Corners(f.chart), (std::vector<LinkPoint>{{22, 32}, {102, 12}, {212, 32}}));

  // Ctrl+Shift is not the Shift toggle: a plain click on an unselected object selects it alone.
  f.Click(105, 15, kModShift | kModCtrl);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 1);
  EXPECT_TRUE(f.chart.Objects[1].Selected);
  // Shift on empty space changes nothing and shows no rubber band.
  f.editor.MousePress(MouseButton::Left, 400, 400, kModShift);
  EXPECT_FALSE(f.editor.RubberBand());
  EXPECT_EQ(f.chart.SelectedObjectCount(), 1);
}

TEST(CanvasEditor, RubberBandSelectsTouchedObjectsAndWiresBetweenThem) {
  CanvasFixture f;
  f.Place(100, 100);  // 100..149 x 100..129
  f.Place(300, 100);
  f.Place(100, 300);
  f.Wire(0, 1);
  f.Wire(0, 2);
  f.editor.MousePress(MouseButton::Left, 10, 10, 0);
  EXPECT_TRUE(f.editor.RubberBand());
  f.editor.MouseMove(100, 300, kButtonLeft, 0);  // touches the corners of 0 and 2
  EXPECT_TRUE(f.chart.Objects[0].Selected);
  EXPECT_FALSE(f.chart.Objects[1].Selected);
  EXPECT_TRUE(f.chart.Objects[2].Selected);
  EXPECT_FALSE(f.chart.Links[0].Selected);
  EXPECT_TRUE(f.chart.Links[1].Selected);
  f.editor.MouseMove(99, 299, kButtonLeft, 0);  // one pixel short of both
  EXPECT_EQ(f.chart.SelectedObjectCount(), 0);
  EXPECT_EQ(f.chart.SelectedLinkCount(), 0);
  // From the other side: the band ending on the far edge (149, 129) still touches object 0.
  f.editor.MouseRelease(MouseButton::Left, 0, 0, 0);
  EXPECT_FALSE(f.editor.RubberBand());
  f.Drag(160, 140, 149, 129);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 1);
  EXPECT_TRUE(f.chart.Objects[0].Selected);
}

TEST(CanvasEditor, GroupDragStopsAtTheEdgeKeepingSpacing) {
  CanvasFixture f;
  f.Place(12, 50);
  f.Place(40, 100);
  f.Wire(0, 1, {{20, 80}});
  f.editor.SelectAll();
  f.chart.Links[0].Selected = 1;
  // Steps of -5: the members reach x = 2 and 30; the step to -3 is refused as a whole.
  f.Drag(20, 60, -30, 60, 10);
  EXPECT_EQ(Corners(f.chart), (std::vector<LinkPoint>{{2, 50}, {30, 100}}));
  EXPECT_EQ(f.chart.Links[0].Point[0], (LinkPoint{10, 80}));
  // Coming back right moves them again, by the step only.
  f.Drag(5, 60, 15, 60);
  EXPECT_EQ(Corners(f.chart), (std::vector<LinkPoint>{{12, 50}, {40, 100}}));

  // A lone bend point stops at the edge too; a press on a segment drags nothing.
  f.chart.DeselectAll();
  f.Drag(20, 80, 150, 200);
  EXPECT_EQ(f.chart.Links[0].Point[0], (LinkPoint{150, 200}));
  f.Drag(150, 200, -5, 200);
  EXPECT_EQ(f.chart.Links[0].Point[0], (LinkPoint{150, 200}));
  LinkPoint mid = SegmentMidpoint({150, 200}, {65, 115});
  f.Drag(mid.x, mid.y, mid.x + 50, mid.y + 50);
  EXPECT_TRUE(f.chart.Links[0].Selected);
  EXPECT_EQ(f.chart.Links[0].Point[0], (LinkPoint{150, 200}));
  EXPECT_EQ(Corners(f.chart), (std::vector<LinkPoint>{{12, 50}, {40, 100}}));
}

TEST(CanvasEditor, DoubleClickReversesWireOrOpensDialogs) {
  CanvasFixture f;
  f.Place(300, 0);
  f.Place(300, 300);
  f.Wire(0, 1, {{10, 10}, {20, 20}});
  LinkPoint mid = SegmentMidpoint({10, 10}, {20, 20});
  f.Click(mid.x, mid.y);
  DoubleClickResult r = f.editor.DoubleClick();
  EXPECT_EQ(r.kind, DoubleClickResult::Kind::WireReversed);
  const ChartLink& l = f.chart.Links[0];
  EXPECT_EQ(l.Origin, 1);
  EXPECT_EQ(l.Final, 0);
  EXPECT_EQ(l.Point, (std::vector<LinkPoint>{{20, 20}, {10, 10}}));

  f.Click(10, 10);  // bend point: nothing
  EXPECT_EQ(f.editor.DoubleClick().kind, DoubleClickResult::Kind::None);
  EXPECT_EQ(f.chart.Links[0].Origin, 1);

  f.Click(310, 310);
  r = f.editor.DoubleClick();
  EXPECT_EQ(r.kind, DoubleClickResult::Kind::ObjectDialog);
  ASSERT_EQ(f.host.objectDialogs.size(), 1u);
  EXPECT_EQ(f.host.objectDialogs[0], (std::pair<int32_t, uint8_t>{1, kPosition}));

  f.chart.Objects[1].Type = kJumpStep;  // a derived type opens nothing
  f.Click(310, 310);
  EXPECT_EQ(f.editor.DoubleClick().kind, DoubleClickResult::Kind::None);

  f.Click(500, 400);
  EXPECT_EQ(f.editor.DoubleClick().kind, DoubleClickResult::Kind::DataDialog);
  EXPECT_EQ(f.host.dataDialogs, 1);

  f.editor.SetTool(CanvasTool::FlowWiring);  // Select tool only
  EXPECT_EQ(f.editor.DoubleClick().kind, DoubleClickResult::Kind::None);
  EXPECT_EQ(f.host.dataDialogs, 1);
}

TEST(CanvasEditor, CopyAndPasteUseTheCornerAndThePastePoint) {
  CanvasFixture f;
  f.Place(100, 50);
  f.Place(60, 80);
  f.Place(300, 300);
  f.Wire(0, 1, {{110, 90}});
  f.Wire(1, 2);
  f.editor.KeyPress(CanvasKey::C, kModCtrl);  // nothing selected: buffer stays empty
  EXPECT_TRUE(f.editor.Buffer().Objects.empty());
  f.chart.Objects[0].Selected = f.chart.Objects[1].Selected = 1;
  f.chart.Links[0].Selected = f.chart.Links[1].Selected = 1;
  f.editor.KeyPress(CanvasKey::C, kModCtrl);
  ASSERT_EQ(f.editor.Buffer().Objects.size(), 2u);
  ASSERT_EQ(f.editor.Buffer().Links.size(), 1u);  // wire 1 leaves the copied set
  EXPECT_EQ(f.editor.Buffer().Objects[1].Left, -40);

  f.editor.MouseMove(200, 200, 0, 0);
  EXPECT_TRUE(f.editor.KeyPress(CanvasKey::V, kModCtrl));
  ASSERT_EQ(f.chart.ObjectCount(), 5);
  EXPECT_EQ(f.chart.Objects[3].Left, 200);
  EXPECT_EQ(f.chart.Objects[3].Top, 200);
  EXPECT_EQ(f.chart.Objects[4].Left, 160);
  EXPECT_EQ(f.chart.Objects[4].Top, 230);
  EXPECT_EQ(f.chart.Objects[3].Name, "POS1");  // names are copied as they are
  EXPECT_EQ(f.chart.SelectedObjectCount(), 2);
  ASSERT_EQ(f.chart.LinkCount(), 3);
  const ChartLink& pasted = f.chart.Links[2];
  EXPECT_EQ(pasted.Origin, 3);
  EXPECT_EQ(pasted.Final, 4);
  EXPECT_EQ(pasted.Point, (std::vector<LinkPoint>{{210, 240}}));
  EXPECT_TRUE(pasted.Selected);
  EXPECT_EQ(f.chart.SelectedLinkCount(), 1);

  // An empty selection keeps the buffer: a second paste adds the same two again.
  f.chart.DeselectAll();
  f.editor.Copy();
  f.editor.Paste();
  EXPECT_EQ(f.chart.ObjectCount(), 7);
  // Ctrl with Shift does nothing; a plain V does not paste.
  EXPECT_FALSE(f.editor.KeyPress(CanvasKey::V, kModCtrl | kModShift));
  EXPECT_FALSE(f.editor.KeyPress(CanvasKey::V, 0));
  EXPECT_EQ(f.chart.ObjectCount(), 7);
}

TEST(CanvasEditor, WiringBuildsReusesAndRefusesWires) {
  CanvasFixture f;
  f.Place(0, 0);                          // POS, centre (25, 15)
  f.Place(200, 0);                        // centre (225, 15)
  f.chart.PlaceObject(0, 200, kCompare);  // centre (25, 215)
  f.editor.SetTool(CanvasTool::BranchWiring);
  f.Click(10, 10);  // branch wiring cannot start at a Position object
  EXPECT_EQ(f.editor.WireOrigin(), -1);

  f.editor.SetTool(CanvasTool::FlowWiring);
  EXPECT_TRUE(f.editor.Wiring());
  f.Click(10, 10);
  EXPECT_EQ(f.editor.WireOrigin(), 0);
  EXPECT_EQ(f.editor.PressPoint(), (LinkPoint{25, 15}));
  EXPECT_TRUE(f.chart.Objects[0].Selected);
  f.Click(100, 100);
  f.editor.MouseMove(150, 120, 0, 0);
  EXPECT_EQ(f.editor.LastPoint(), (LinkPoint{150, 120}));
  EXPECT_EQ(f.editor.WirePoints(), (std::vector<LinkPoint>{{25, 15}, {100, 100}}));
  f.Click(210, 10);
  ASSERT_EQ(f.chart.LinkCount(), 1);
  EXPECT_EQ(f.chart.Links[0].Origin, 0);
  EXPECT_EQ(f.chart.Links[0].Final, 1);
  EXPECT_EQ(f.chart.Links[0].Main, kFlowWiring);
  EXPECT_EQ(f.chart.Links[0].Point, (std::vector<LinkPoint>{{100, 100}}));
  EXPECT_EQ(f.editor.WireOrigin(), -1);
  EXPECT_EQ(f.editor.Tool(), CanvasTool::FlowWiring);

  // The same pair again replaces the wire instead of adding one.
  f.Click(10, 10);
  f.Click(210, 10);
  ASSERT_EQ(f.chart.LinkCount(), 1);
  EXPECT_TRUE(f.chart.Links[0].Point.empty());

  // Ending on the origin shows the error and drops the wire in progress.
  f.Click(10, 10);
  f.Click(50, 50);
  f.Click(20, 20);
  ASSERT_EQ(f.prompter.messages.size(), 1u);
  EXPECT_EQ(f.prompter.messages[0].text, "Start and End objects must be different.");
  EXPECT_EQ(f.prompter.messages[0].kind, MsgKind::Error);
  EXPECT_EQ(f.editor.WireOrigin(), -1);
  EXPECT_EQ(f.chart.LinkCount(), 1);

  // A right press drops the wire in progress; the tool stays.
  f.Click(10, 10);
  f.editor.MousePress(MouseButton::Right, 300, 300, 0);
  EXPECT_TRUE(f.editor.WirePoints().empty());
  EXPECT_EQ(f.editor.Tool(), CanvasTool::FlowWiring);
  EXPECT_TRUE(f.host.menus.empty());

  f.editor.SetTool(CanvasTool::BranchWiring);
  f.Click(10, 210);
  f.Click(210, 10);
  ASSERT_EQ(f.chart.LinkCount(), 2);
  EXPECT_EQ(f.chart.Links[1].Main, kBranchWiring);
  EXPECT_EQ(f.chart.Links[1].Origin, 2);

  // Esc ends wiring and returns to Select.
  f.Click(10, 210);
  f.editor.KeyPress(CanvasKey::Escape, 0);
  EXPECT_FALSE(f.editor.Wiring());
  EXPECT_TRUE(f.editor.WirePoints().empty());
  EXPECT_EQ(f.editor.Tool(), CanvasTool::Select);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 0);
}

TEST(CanvasEditor, PopupMenuVisibilityFollowsTheHit) {
  CanvasFixture f;
  f.Place(0, 0);
  f.Place(200, 0);
  f.Wire(0, 1, {{100, 100}});
  auto visible = [&](PopupEntry e) { return f.host.menus.back().Find(e)->visible; };
  auto enabled = [&](PopupEntry e) { return f.host.menus.back().Find(e)->enabled; };

  f.editor.MousePress(MouseButton::Right, 400, 400, 0);
  EXPECT_TRUE(visible(PopupEntry::Copy) && visible(PopupEntry::Paste) &&
              visible(PopupEntry::Convert));
  EXPECT_FALSE(visible(PopupEntry::Color) || visible(PopupEntry::Properties) ||
               visible(PopupEntry::Separate0) || visible(PopupEntry::Delete) ||
               visible(PopupEntry::AddBend) || visible(PopupEntry::DeleteBend));
  EXPECT_TRUE(visible(PopupEntry::Insert) && visible(PopupEntry::SelectAll));

  f.editor.SelectAll();
  f.editor.MousePress(MouseButton::Right, 10, 10, 0);  // selected object in a group of two
  EXPECT_TRUE(visible(PopupEntry::Copy) && visible(PopupEntry::Color) &&
              visible(PopupEntry::Properties) && visible(PopupEntry::Delete));
  EXPECT_FALSE(visible(PopupEntry::AddBend) || visible(PopupEntry::DeleteBend));
  EXPECT_FALSE(enabled(PopupEntry::Properties));
  EXPECT_EQ(f.chart.SelectedObjectCount(), 2);

  f.chart.DeselectAll();
  f.editor.MousePress(MouseButton::Right, 210, 10, 0);  // unselected object: selected alone
  EXPECT_TRUE(enabled(PopupEntry::Properties));
  EXPECT_EQ(f.chart.SelectedObjectCount(), 1);

  LinkPoint mid = SegmentMidpoint({25, 15}, {100, 100});
  f.editor.MousePress(MouseButton::Right, mid.x, mid.y, 0);
  EXPECT_FALSE(visible(PopupEntry::Copy) || visible(PopupEntry::Color));
  EXPECT_TRUE(visible(PopupEntry::Delete) && visible(PopupEntry::AddBend));
  EXPECT_FALSE(visible(PopupEntry::DeleteBend));
  EXPECT_TRUE(f.chart.Links[0].Selected);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 0);

  f.editor.MousePress(MouseButton::Right, 100, 100, 0);
  EXPECT_FALSE(visible(PopupEntry::Delete) || visible(PopupEntry::AddBend));
  EXPECT_TRUE(visible(PopupEntry::DeleteBend));

  // Not in the Start flag and Mix tools.
  size_t shown = f.host.menus.size();
  f.editor.SetTool(CanvasTool::Mix);
  f.editor.MousePress(MouseButton::Right, 400, 400, 0);
  EXPECT_EQ(f.host.menus.size(), shown);
  EXPECT_EQ(f.chart.ObjectCount(), 2);
}

TEST(CanvasEditor, PopupCommandsEditBendPointsColoursAndProperties) {
  CanvasFixture f;
  f.Place(0, 0);    // centre (25, 15)
  f.Place(200, 0);  // centre (225, 15)
  f.Wire(0, 1, {{100, 100}});
  // Add a bend point on the last segment: it goes after the existing one.
  LinkPoint mid = SegmentMidpoint({100, 100}, {225, 15});
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::AddBend});
  f.editor.MousePress(MouseButton::Right, mid.x, mid.y, 0);
  EXPECT_EQ(f.chart.Links[0].Point, (std::vector<LinkPoint>{{100, 100}, mid}));
  // A hidden entry chosen anyway does nothing.
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::DeleteBend});
  f.editor.MousePress(MouseButton::Right, 400, 400, 0);
  EXPECT_EQ(f.chart.Links[0].Point.size(), 2u);
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::DeleteBend});
  f.editor.MousePress(MouseButton::Right, 100, 100, 0);
  EXPECT_EQ(f.chart.Links[0].Point, (std::vector<LinkPoint>{mid}));

  f.editor.SelectAll();
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::Color, 3});
  f.editor.MousePress(MouseButton::Right, 10, 10, 0);
  EXPECT_EQ(f.chart.Objects[0].Color, 0x000000u);
  EXPECT_EQ(f.chart.Objects[1].Color, 0x000000u);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 0);

  // "etc.": the dialog for each selected object; a cancel keeps that object's colour.
  f.editor.SelectAll();
  f.host.colorAnswers = {0x123456u, std::nullopt};
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::Color, kColorEtcTag});
  f.editor.MousePress(MouseButton::Right, 10, 10, 0);
  EXPECT_EQ(f.host.colorPresets.size(), 2u);
  EXPECT_EQ(f.chart.Objects[0].Color, 0x123456u);
  EXPECT_EQ(f.chart.Objects[1].Color, 0x000000u);
  f.editor.SelectAll();
  f.editor.ApplyColor(16);
  EXPECT_EQ(f.chart.Objects[1].Color, kColorButtonFace);

  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::Properties});
  f.editor.MousePress(MouseButton::Right, 210, 10, 0);
  EXPECT_EQ(f.host.propertyDialogs, (std::vector<int32_t>{1}));

  // Delete from the menu removes the selection with its wires.
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::Delete});
  f.editor.MousePress(MouseButton::Right, 210, 10, 0);
  EXPECT_EQ(f.chart.ObjectCount(), 1);
  EXPECT_EQ(f.chart.LinkCount(), 0);
  EXPECT_EQ(f.editor.LastHit().object, -1);
}

TEST(CanvasEditor, DeleteKeyStartFlagAndInertState) {
  CanvasFixture f;
  f.Place(0, 0);
  f.Place(100, 0);
  f.editor.SetTool(CanvasTool::StartFlag);
  f.Click(110, 10);
  EXPECT_EQ(f.chart.Start, 1);
  EXPECT_EQ(f.editor.Tool(), CanvasTool::Select);
  f.editor.SetTool(CanvasTool::StartFlag);
  f.Click(400, 400);
  EXPECT_EQ(f.chart.Start, -1);

  f.chart.Objects[0].Selected = 1;
  f.editor.SetTool(CanvasTool::FlowWiring);
  f.chart.Objects[0].Selected = 1;
  f.editor.KeyPress(CanvasKey::Delete, 0);  // Select tool only
  EXPECT_EQ(f.chart.ObjectCount(), 2);
  f.editor.KeyPress(CanvasKey::Delete, kModShift);
  f.editor.SetTool(CanvasTool::Select);
  f.chart.Objects[0].Selected = 1;
  EXPECT_FALSE(f.editor.KeyPress(CanvasKey::Delete, kModAlt));
  EXPECT_EQ(f.chart.ObjectCount(), 2);
  EXPECT_TRUE(f.editor.KeyPress(CanvasKey::Delete, 0));
  EXPECT_EQ(f.chart.ObjectCount(), 1);

  // After opening a file the first mouse event only returns to Select.
  f.editor.SetTool(CanvasTool::Position);
  f.editor.SetInert();
  EXPECT_EQ(f.editor.Tool(), CanvasTool::Inert);
  f.editor.MousePress(MouseButton::Left, 300, 300, 0);
  EXPECT_EQ(f.editor.Tool(), CanvasTool::Select);
  EXPECT_EQ(f.chart.ObjectCount(), 1);
  EXPECT_FALSE(f.editor.RubberBand());
  f.editor.MousePress(MouseButton::Left, 300, 300, 0);
  EXPECT_TRUE(f.editor.RubberBand());
  f.editor.SetInert();
  f.prompter.panel0.clear();
  f.editor.MouseMove(5, 5, 0, 0);
  EXPECT_TRUE(f.prompter.panel0.empty());
  EXPECT_EQ(f.editor.Tool(), CanvasTool::Select);
}

TEST(CanvasEditor, PressInAPlacingToolDoesNotStartADrag) {
  CanvasFixture f;
  f.Place(0, 0);
  f.Wire(0, 0, {{40, 60}});
  f.Click(40, 60);  // the last Select press hit a bend point
  f.editor.SetTool(CanvasTool::Position);
  f.editor.MousePress(MouseButton::Left, 200, 200, 0);
  f.editor.MouseMove(260, 260, kButtonLeft, 0);
  EXPECT_EQ(f.chart.Links[0].Point[0], (LinkPoint{40, 60}));
  EXPECT_EQ(f.chart.SelectedObjectCount(), 0);
  EXPECT_EQ(f.chart.Objects[1].Left, 200);
}

TEST(CanvasEditor, MotionTableDrop) {
  CanvasFixture f;
  EXPECT_TRUE(CanvasEditor::AcceptsDrop(true, 79));
  EXPECT_FALSE(CanvasEditor::AcceptsDrop(true, 80));
  EXPECT_TRUE(CanvasEditor::AcceptsDrop(false, 80));
  EXPECT_FALSE(f.editor.DropMotion(10, 10, -1, "", ""));
  EXPECT_FALSE(f.editor.DropMotion(10, 10, 80, "S1", "X"));
  f.editor.Grid().SetOn(true);
  ASSERT_TRUE(f.editor.DropMotion(13, 13, 3, "M4", "WALK"));
  EXPECT_EQ(f.chart.Type, kScenarioChart);
  EXPECT_EQ(f.chart.Objects[0].Type, kMot);
  EXPECT_EQ(f.chart.Objects[0].Head, 3);
  EXPECT_EQ(f.chart.Objects[0].Name, "M4 WALK");
  EXPECT_EQ(f.chart.Objects[0].Left, 13);  // drops are not snapped

  CanvasFixture motion;
  motion.Place(0, 0);
  EXPECT_FALSE(motion.editor.DropMotion(100, 100, 3, "M4", "WALK"));
  EXPECT_EQ(motion.chart.ObjectCount(), 1);
}

TEST(CanvasEditor, DroppedMotionBoxIsWideEnoughForItsName) {
  CanvasFixture f;
  f.host.nameCharWidth = 7;
  // A short name keeps the usual box; a long one widens it past the name with a margin.
  ASSERT_TRUE(f.editor.DropMotion(0, 0, 1, "M2", "UP"));
  EXPECT_EQ(f.chart.Objects[0].Width, 50);
  ASSERT_TRUE(f.editor.DropMotion(0, 100, 3, "M4", "WALK FORWARD FAST"));
  const ChartObject& wide = f.chart.Objects[1];
  EXPECT_GT(wide.Width, 7 * static_cast<int32_t>(wide.Name.size()));
  EXPECT_LE(wide.Width, 7 * static_cast<int32_t>(wide.Name.size()) + 16);
  EXPECT_EQ(wide.Height, 30);
}

TEST(CanvasEditor, InsertAndItemFilesThroughThePopupMenu) {
  CanvasFixture f;
  f.Place(0, 0);
  f.Place(100, 0);
  f.chart.Objects[0].Values.fill(16000);
  f.chart.Objects[1].Values.fill(17000);
  f.editor.SelectAll();
  f.prompter.textAnswers.push_back(std::string("1"));
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::Insert});
  f.editor.MousePress(MouseButton::Right, 10, 10, 0);
  ASSERT_EQ(f.chart.ObjectCount(), 3);
  EXPECT_EQ(f.chart.Objects[2].Left, 50);
  EXPECT_EQ(f.chart.Objects[2].Values[0], 16500);

  test::TempDir dir;
  f.editor.SelectAll();
  f.host.fileAnswers.push_back(FileChoice{dir.File("group.txt"), 1});
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::SaveItems});
  f.editor.MousePress(MouseButton::Right, 10, 10, 0);
  EXPECT_NE(test::ReadFile(dir.File("group.QVB")).find("ItemCount=3"), std::string::npos);

  f.chart.DeselectAll();
  f.host.fileAnswers.push_back(FileChoice{dir.File("group.QVB"), 1});
  f.host.popupAnswers.push_back(PopupChoice{PopupEntry::OpenItems});
  f.editor.MousePress(MouseButton::Right, 300, 200, 0);
  ASSERT_EQ(f.chart.ObjectCount(), 6);
  EXPECT_EQ(f.chart.Objects[3].Left, 300);
  EXPECT_EQ(f.chart.Objects[3].Top, 200);
  EXPECT_EQ(f.chart.SelectedObjectCount(), 3);

  // With nothing selected Save does not even ask for a name; a cancelled dialog opens nothing.
  f.chart.DeselectAll();
  f.host.fileAnswers.push_back(FileChoice{dir.File("none.QVB"), 1});
  EXPECT_FALSE(f.editor.SaveItems());
  EXPECT_EQ(f.host.fileAnswers.size(), 1u);
  f.host.fileAnswers.clear();
  EXPECT_FALSE(f.editor.OpenItems());
  EXPECT_EQ(f.chart.ObjectCount(), 6);
}

TEST(CanvasHitTest, WindowsAndPriorities) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);    // 0..49 x 0..29, centre (25, 15)
  chart.PlaceObject(200, 0, kPosition);  // centre (225, 15)
  chart.PlaceObject(20, 10, kPosition);  // overlaps object 0
  int j = chart.AppendLinks(3);
  chart.Links[static_cast<size_t>(j)].Origin = 0;
  chart.Links[static_cast<size_t>(j)].Final = 1;
  chart.Links[static_cast<size_t>(j)].Point = {{100, 100}};
  chart.Links[static_cast<size_t>(j + 1)].Origin = -1;  // dangling: never hit at a segment
  chart.Links[static_cast<size_t>(j + 1)].Final = 1;
  chart.Links[static_cast<size_t>(j + 2)].Origin = 1;
  chart.Links[static_cast<size_t>(j + 2)].Final = 0;
  chart.Links[static_cast<size_t>(j + 2)].Point = {{100, 100}};

  EXPECT_EQ(HitTest(chart, 25, 15).object, 2);  // the highest index wins
  EXPECT_EQ(HitTest(chart, 49, 29).object, 2);
  EXPECT_EQ(HitTest(chart, 69, 39).object, 2);
  EXPECT_EQ(HitTest(chart, 70, 39).object, -1);
  EXPECT_EQ(HitTest(chart, 5, 5).object, 0);

  // Bend points: px in x-3..x+4, the wire with the highest index first.
  CanvasHit bend = HitTest(chart, 96, 97);
  EXPECT_EQ(bend.link, 2);
  EXPECT_EQ(bend.bend, 0);
  EXPECT_TRUE(bend.WireAtBend());
  EXPECT_EQ(HitTest(chart, 95, 100).link, -1);
  EXPECT_EQ(HitTest(chart, 103, 103).link, 2);
  EXPECT_EQ(HitTest(chart, 104, 100).link, -1);

  // Segments: x in mx-4..mx+5 around the midpoint, wires from index 0 up.
  LinkPoint m = SegmentMidpoint({100, 100}, {225, 15});  // (162, 58); wire 2 has (163, 57)
  CanvasHit seg = HitTest(chart, m.x + 5, m.y - 4);
  EXPECT_EQ(seg.link, 0);
  EXPECT_EQ(seg.segment, 1);
  EXPECT_TRUE(seg.WireAtSegment());
  EXPECT_EQ(HitTest(chart, m.x + 6, m.y).link, 2);
  EXPECT_TRUE(HitTest(chart, m.x + 7, m.y).Nothing());
  EXPECT_EQ(SegmentMidpoint({10, 10}, {-5, -5}), (LinkPoint{3, 3}));  // truncation toward zero
}

}  // namespace
}  // namespace brv3
