#include "core/chart/CanvasDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/chart/CanvasTestHost.h"

namespace brv3 {
namespace {

std::vector<DrawItem> ItemsOf(const DisplayList& list, DrawKind kind) {
  std::vector<DrawItem> out;
  for (const DrawItem& item : list.items)
    if (item.kind == kind) out.push_back(item);
  return out;
}

DisplayList Build(const Chart& chart, const CanvasOverlay& overlay = {},
                  const CanvasPalette& palette = {}) {
  DisplayList list;
  BuildDisplayList(chart, overlay, palette, list);
  return list;
}

TEST(CanvasDrawing, LabelContrastAndSystemColours) {
  EXPECT_EQ(LabelColorFor(0x000000), 0xFFFFFFu);
  EXPECT_EQ(LabelColorFor(0xFFFFFF), 0x000000u);
  EXPECT_EQ(LabelColorFor(0x808080), 0xFFFFFFu);  // luminance exactly 128
  EXPECT_EQ(LabelColorFor(0x818181), 0x000000u);
  EXPECT_EQ(LabelColorFor(0x0000FF), 0xFFFFFFu);  // red: 76
  EXPECT_EQ(LabelColorFor(0x00FFFF), 0x000000u);  // yellow: 226

  Chart chart;
  chart.PlaceObject(0, 0, kPosition);
  chart.PlaceObject(100, 0, kPosition);
  chart.PlaceObject(200, 0, kPosition);
  chart.Objects[0].Color = kColorButtonFace;
  chart.Objects[1].Color = 0x000000;
  chart.Objects[2].Selected = 1;
  std::vector<uint32_t> asked;
  CanvasPalette palette{[&](uint32_t code) -> uint32_t {
    asked.push_back(code);
    if (code == kColorButtonFace) return 0x202020;  // a dark theme
    if (code == kColorHighlight) return 0x00AA00;
    if (code == kColorHighlightText) return 0x0000EE;
    return 0x101010;
  }};
  DisplayList list = Build(chart, {}, palette);
  EXPECT_EQ(list.items[0].kind, DrawKind::Background);
  EXPECT_EQ(list.items[0].brush, 0x101010u);
  EXPECT_EQ(list.items[0].b, (LinkPoint{640, 480}));
  std::vector<DrawItem> boxes = ItemsOf(list, DrawKind::RoundRect);
  std::vector<DrawItem> labels = ItemsOf(list, DrawKind::Text);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].brush, 0x202020u);
  EXPECT_EQ(labels[0].pen, 0xFFFFFFu);
  EXPECT_EQ(labels[1].pen, 0xFFFFFFu);
  EXPECT_EQ(boxes[2].brush, 0x00AA00u);  // selected: highlight, highlight text
  EXPECT_EQ(labels[2].pen, 0x0000EEu);
  EXPECT_EQ(boxes[0].pen, 0x000000u);
  EXPECT_EQ(list.TextOf(labels[1]), "POS2");
  EXPECT_EQ(labels[1].c, (LinkPoint{125, 15}));
  EXPECT_EQ(boxes[1].a, (LinkPoint{100, 0}));
  EXPECT_EQ(boxes[1].b, (LinkPoint{150, 30}));
  EXPECT_NE(std::find(asked.begin(), asked.end(), kColorButtonFace), asked.end());
}

TEST(CanvasDrawing, ArrowGeometry) {
  ArrowShape right = ArrowGeometry({0, 0}, {40, 0});
  EXPECT_EQ(right.tip, (LinkPoint{24, 0}));
  EXPECT_EQ(right.back1, (LinkPoint{15, 5}));
  EXPECT_EQ(right.back2, (LinkPoint{15, -5}));

  ArrowShape down = ArrowGeometry({0, 0}, {0, 40});
  EXPECT_EQ(down.tip, (LinkPoint{0, 24}));
  EXPECT_EQ(down.back1, (LinkPoint{-5, 15}));
  EXPECT_EQ(down.back2, (LinkPoint{5, 15}));

  ArrowShape left = ArrowGeometry({40, 0}, {0, 0});
  EXPECT_EQ(left.tip, (LinkPoint{16, 0}));
  EXPECT_EQ(left.back1, (LinkPoint{25, -5}));
  EXPECT_EQ(left.back2, (LinkPoint{25, 5}));

  ArrowShape up = ArrowGeometry({0, 40}, {0, 0});
  EXPECT_EQ(up.tip, (LinkPoint{0, 16}));

  // Diagonals point along the segment in every quadrant.
  ArrowShape downRight = ArrowGeometry({0, 0}, {40, 40});
  EXPECT_EQ(downRight.tip, (LinkPoint{23, 23}));
  EXPECT_EQ(downRight.back1, (LinkPoint{13, 20}));
  EXPECT_EQ(downRight.back2, (LinkPoint{20, 13}));
  ArrowShape upLeft = ArrowGeometry({40, 40}, {0, 0});
  EXPECT_EQ(upLeft.tip, (LinkPoint{17, 17}));
  EXPECT_EQ(upLeft.back1, (LinkPoint{27, 20}));
  EXPECT_EQ(upLeft.back2, (LinkPoint{20, 27}));
  ArrowShape upRight = ArrowGeometry({0, 40}, {40, 0});
  EXPECT_EQ(upRight.tip, (LinkPoint{23, 17}));

  ArrowShape downLeft = ArrowGeometry({40, 0}, {0, 40});
  EXPECT_EQ(downLeft.tip, (LinkPoint{17, 23}));

  // A zero-length segment uses the angle -1.
  ArrowShape dot = ArrowGeometry({10, 10}, {10, 10});
  EXPECT_EQ(dot.tip, (LinkPoint{12, 7}));
}

// Every direction, shallow and steep slants in all four quadrants included: the tip lies ahead of
// the midpoint along the segment, both back corners behind it, one on each side.
TEST(CanvasDrawing, ArrowPointsFromStartToEndInEveryDirection) {
  const LinkPoint s{500, 500};
  for (int degrees = 0; degrees < 360; degrees += 5) {
    const double a = degrees * 3.14159265358979323846 / 180;
    const LinkPoint e{s.x + static_cast<int32_t>(std::lround(300 * std::cos(a))),
                      s.y + static_cast<int32_t>(std::lround(300 * std::sin(a)))};
    const ArrowShape arrow = ArrowGeometry(s, e);
    const LinkPoint m{s.x + (e.x - s.x) / 2, s.y + (e.y - s.y) / 2};
    const double dx = e.x - s.x, dy = e.y - s.y;
    auto along = [&](LinkPoint p) { return (p.x - m.x) * dx + (p.y - m.y) * dy; };
    auto across = [&](LinkPoint p) { return (p.x - m.x) * dy - (p.y - m.y) * dx; };
    EXPECT_GT(along(arrow.tip), 0) << degrees;
    EXPECT_LT(along(arrow.back1), 0) << degrees;
    EXPECT_LT(along(arrow.back2), 0) << degrees;
    EXPECT_LT(across(arrow.back1) * across(arrow.back2), 0) << degrees;
  }
}

TEST(CanvasDrawing, WiresSegmentsArrowsAndBendSquares) {
  Chart chart;
  chart.PlaceObject(0, 0, kPosition);   // centre (25, 15)
  chart.PlaceObject(0, 200, kCompare);  // centre (25, 215)
  chart.Objects[0].Color = 0x00FFFF;
  int j = chart.AppendLinks(3);
  ChartLink& flow = chart.Links[static_cast<size_t>(j)];
  flow.Origin = 0;
  flow.Final = 1;
  flow.Point = {{100, 15}, {100, 215}};
  ChartLink& dangling = chart.Links[static_cast<size_t>(j + 1)];
  dangling.Origin = 0;
  dangling.Final = -1;
  ChartLink& branch = chart.Links[static_cast<size_t>(j + 2)];
  branch.Main = kBranchWiring;
  branch.Origin = 1;
  branch.Final = 0;
  branch.Point = {{200, 100}};
  branch.Selected = 1;

  DisplayList list = Build(chart);
  std::vector<DrawItem> lines = ItemsOf(list, DrawKind::Line);
  ASSERT_EQ(lines.size(), 5u);  // 3 + 2 segments; the dangling wire is skipped
  EXPECT_EQ(lines[0].a, (LinkPoint{25, 15}));
  EXPECT_EQ(lines[0].b, (LinkPoint{100, 15}));
  EXPECT_EQ(lines[2].b, (LinkPoint{25, 215}));
  EXPECT_EQ(lines[0].pen, kColorUnselectedWire);
  EXPECT_EQ(lines[0].style, PenStyle::Solid);
  EXPECT_EQ(lines[3].style, PenStyle::Dotted);
  EXPECT_EQ(lines[4].style, PenStyle::Dotted);
  EXPECT_EQ(lines[3].a, (LinkPoint{25, 215}));
  EXPECT_EQ(lines[4].b, (LinkPoint{25, 15}));

  std::vector<DrawItem> arrows = ItemsOf(list, DrawKind::Triangle);
  ASSERT_EQ(arrows.size(), 5u);
  // Each arrow follows its segment: first segment (25,15)-(100,15), midpoint (62,15).
  EXPECT_EQ(arrows[0].c, (LinkPoint{66, 15}));
  EXPECT_EQ(arrows[0].brush, 0x00FFFFu);  // the origin object's colour
  EXPECT_EQ(arrows[0].pen, kColorUnselectedWire);
  EXPECT_EQ(arrows[1].c, (LinkPoint{100, 119}));
  const uint32_t highlight = CanvasPalette{}.Resolve(kColorHighlight);
  EXPECT_EQ(arrows[3].brush, highlight);
  EXPECT_EQ(lines[3].pen, highlight);
  // The item order pairs each segment with its arrow.
  EXPECT_EQ(list.items[1].kind, DrawKind::Line);
  EXPECT_EQ(list.items[2].kind, DrawKind::Triangle);

  // Only the selected wire shows its bend point, as a 5 x 5 white square with the wire's pen.
  std::vector<DrawItem> squares = ItemsOf(list, DrawKind::Rect);
  ASSERT_EQ(squares.size(), 1u);
  EXPECT_EQ(squares[0].a, (LinkPoint{198, 98}));
  EXPECT_EQ(squares[0].b, (LinkPoint{203, 103}));
  EXPECT_EQ(squares[0].brush, 0xFFFFFFu);
  EXPECT_EQ(squares[0].pen, highlight);
}

TEST(CanvasDrawing, ObjectsOrderMotBoxesAndStartFlag) {
  Chart chart;
  chart.Type = kScenarioChart;
  chart.PlaceObject(100, 50, kMot);
  chart.PlaceObject(300, 50, kMot);
  chart.Objects[0].Selected = 1;
  chart.Start = 0;
  DisplayList list = Build(chart);
  std::vector<DrawItem> boxes = ItemsOf(list, DrawKind::Rect);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_TRUE(ItemsOf(list, DrawKind::RoundRect).empty());
  EXPECT_EQ(boxes[0].a, (LinkPoint{300, 50}));  // the selected object is painted last
  EXPECT_EQ(boxes[1].a, (LinkPoint{100, 50}));

  std::vector<DrawItem> flags = ItemsOf(list, DrawKind::Triangle);
  ASSERT_EQ(flags.size(), 1u);
  EXPECT_EQ(flags[0].a, (LinkPoint{110, 48}));
  EXPECT_EQ(flags[0].b, (LinkPoint{110, 38}));
  EXPECT_EQ(flags[0].c, (LinkPoint{100, 43}));
  EXPECT_EQ(flags[0].pen, 0x000000u);
  EXPECT_EQ(flags[0].brush, CanvasPalette{}.Resolve(kColorHighlight));
  const DrawItem& pole = list.items.back();
  EXPECT_EQ(pole.kind, DrawKind::Line);
  EXPECT_EQ(pole.a, (LinkPoint{110, 48}));
  EXPECT_EQ(pole.b, (LinkPoint{110, 58}));

  chart.Objects[0].Selected = 0;
  EXPECT_EQ(ItemsOf(Build(chart), DrawKind::Triangle)[0].brush, kColorRed);
  chart.Start = 5;  // not an object: no flag
  EXPECT_TRUE(ItemsOf(Build(chart), DrawKind::Triangle).empty());
}

TEST(CanvasDrawing, EditorOverlayRubberBandAndWireInProgress) {
  test::CanvasFixture f;
  f.Place(0, 0);
  f.editor.MousePress(MouseButton::Left, 100, 100, 0);
  f.editor.MouseMove(150, 80, kButtonLeft, 0);
  DisplayList list = Build(f.chart, f.editor.Overlay());
  std::vector<DrawItem> bands = ItemsOf(list, DrawKind::Polyline);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].style, PenStyle::Dotted);
  ASSERT_EQ(bands[0].count, 5u);
  std::vector<LinkPoint> corners(list.points.begin() + bands[0].first,
                                 list.points.begin() + bands[0].first + bands[0].count);
  EXPECT_EQ(corners,
            (std::vector<LinkPoint>{{100, 100}, {150, 100}, {150, 80}, {100, 80}, {100, 100}}));
  f.editor.MouseRelease(MouseButton::Left, 150, 80, 0);
  EXPECT_TRUE(ItemsOf(Build(f.chart, f.editor.Overlay()), DrawKind::Polyline).empty());

  // A wire with one bend point in progress, the mouse further on.
  f.editor.SetTool(CanvasTool::FlowWiring);
  f.Click(10, 10);
  f.Click(100, 150);
  f.editor.MouseMove(200, 160, 0, 0);
  list = Build(f.chart, f.editor.Overlay());
  std::vector<DrawItem> wire = ItemsOf(list, DrawKind::Polyline);
  ASSERT_EQ(wire.size(), 1u);
  EXPECT_EQ(wire[0].pen, kColorRed);
  EXPECT_EQ(wire[0].count, 2u);
  EXPECT_EQ(list.points[wire[0].first], (LinkPoint{25, 15}));
  const DrawItem& rubber = list.items.back();
  EXPECT_EQ(rubber.kind, DrawKind::Line);
  EXPECT_EQ(rubber.a, (LinkPoint{100, 150}));
  EXPECT_EQ(rubber.b, (LinkPoint{200, 160}));

  // Reusing the list keeps nothing of the previous picture.
  f.editor.KeyPress(CanvasKey::Escape, 0);
  BuildDisplayList(f.chart, f.editor.Overlay(), CanvasPalette{}, list);
  EXPECT_TRUE(ItemsOf(list, DrawKind::Polyline).empty());
  EXPECT_TRUE(list.points.empty());
  EXPECT_EQ(list.text, "POS1");
}

TEST(CanvasDrawing, ReversedWireArrowsPointTheOtherWay) {
  test::CanvasFixture f;
  f.Place(300, 0);
  f.Place(300, 300);
  f.Wire(0, 1, {{10, 10}, {20, 20}});
  auto middleArrow = [&] { return ItemsOf(Build(f.chart), DrawKind::Triangle)[1]; };
  DrawItem before = middleArrow();
  EXPECT_EQ(before.c, (LinkPoint{18, 18}));
  f.Click(15, 15);
  ASSERT_EQ(f.editor.DoubleClick().kind, DoubleClickResult::Kind::WireReversed);
  DrawItem after = middleArrow();
  EXPECT_EQ(after.c, (LinkPoint{12, 12}));
}

}  // namespace
}  // namespace brv3
