#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <functional>

#include "core/chart/Chart.h"
#include "ui/UiTestSupport.h"
#include "ui/chart/CanvasPainter.h"
#include "ui/chart/CanvasTestSupport.h"
#include "ui/chart/CanvasWidget.h"
#include "ui/chart/PixelLines.h"

namespace brv3 {
namespace {

QRgb Rgb(uint32_t bgr) {
  return qRgb(ColorRed(bgr), ColorGreen(bgr), ColorBlue(bgr));
}

int32_t AddObject(Chart& chart, int32_t left, int32_t top, uint32_t color, const char* name) {
  const int index = chart.AppendObjects(1);
  ChartObject& o = chart.Objects[static_cast<size_t>(index)];
  o.Left = left;
  o.Top = top;
  o.Width = 50;
  o.Height = 30;
  o.Color = color;
  o.Name = name;
  return index;
}

// Pixels of the object's inside (outline left out) close to `color`.
int CountNear(const QImage& image, const QRect& area, QColor color) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - color.red()) < 40 && std::abs(c.green() - color.green()) < 40 &&
          std::abs(c.blue() - color.blue()) < 40)
        ++count;
    }
  return count;
}

// A wire from A through the bend points (100,100), (140,100), (140,140) to B, and a Start flag on
// C at (300, 50).
class CanvasPictureTest : public ::testing::Test {
 protected:
  CanvasPictureTest() {
    a_ = AddObject(chart_, 20, 300, 0x0000FF, "A");
    b_ = AddObject(chart_, 300, 300, kColorWhite, "B");
    c_ = AddObject(chart_, 300, 50, kColorWhite, "C");
    const int link = chart_.AppendLinks(1);
    ChartLink& l = chart_.Links[static_cast<size_t>(link)];
    l.Origin = a_;
    l.Final = b_;
    l.Point = {{100, 100}, {140, 100}, {140, 140}};
    chart_.DeselectAll();
    chart_.Start = c_;
  }

  const QImage& Paint() {
    canvas_.Redraw();
    return canvas_.Picture();
  }

  Chart chart_;
  test::RecordingPrompter prompter_;
  ChartHistory history_{chart_};
  CanvasWidget canvas_{history_, prompter_};
  int32_t a_ = -1, b_ = -1, c_ = -1;
};

TEST_F(CanvasPictureTest, ArrowsStartFlagAndBoxEdges) {
  const QImage& image = Paint();
  ASSERT_EQ(image.size(), QSize(640, 480));
  const QRgb gray = Rgb(kColorUnselectedWire);
  const QRgb red = qRgb(255, 0, 0);
  const QRgb white = qRgb(255, 255, 255);
  const QRgb black = qRgb(0, 0, 0);

  // Segment (100,100) -> (140,100): tip (124,100), back corners (115,105) and (115,95); the arrow
  // is filled with the origin's colour and outlined in the wire's pen.
  EXPECT_EQ(image.pixel(118, 100), red);
  EXPECT_EQ(image.pixel(118, 98), red);
  EXPECT_EQ(image.pixel(124, 100), gray);
  EXPECT_EQ(image.pixel(115, 95), gray);
  EXPECT_EQ(image.pixel(115, 105), gray);
  EXPECT_EQ(image.pixel(118, 93), white);
  EXPECT_EQ(image.pixel(130, 100), gray);  // the line itself
  // Segment (140,100) -> (140,140) going down: tip (140,124), back corners (135,115), (145,115).
  EXPECT_EQ(image.pixel(140, 118), red);
  EXPECT_EQ(image.pixel(140, 124), gray);
  EXPECT_EQ(image.pixel(135, 115), gray);
  EXPECT_EQ(image.pixel(145, 115), gray);
  EXPECT_EQ(image.pixel(146, 118), white);
  // An unselected wire has no bend-point squares.
  EXPECT_EQ(image.pixel(101, 100), gray);
  EXPECT_EQ(image.pixel(100, 99), white);

  // Start flag on C at (300, 50): triangle (310,48), (310,38), (300,43) in red with a black
  // outline, pole from (310,48) down to (310,58), end point left out.
  EXPECT_EQ(image.pixel(306, 43), red);
  EXPECT_EQ(image.pixel(310, 43), black);
  EXPECT_EQ(image.pixel(300, 43), black);
  EXPECT_EQ(image.pixel(299, 43), white);
  EXPECT_EQ(image.pixel(310, 55), black);
  EXPECT_EQ(image.pixel(310, 57), black);
  EXPECT_EQ(image.pixel(310, 58), white);

  // Boxes leave out their far edges: B spans x 300..349 and y 300..329.
  EXPECT_EQ(image.pixel(349, 315), black);
  EXPECT_EQ(image.pixel(350, 315), white);
  EXPECT_EQ(image.pixel(325, 329), black);
  EXPECT_EQ(image.pixel(325, 330), white);
  EXPECT_EQ(image.pixel(300, 315), black);
  // Round corners: the corner pixel itself stays background.
  EXPECT_EQ(image.pixel(300, 300), white);

  // Selected: highlight fill and pen, white squares on the bend points, highlight flag.
  const QRgb highlight = canvas_.palette().color(QPalette::Highlight).rgb();
  chart_.Links[0].Selected = 1;
  chart_.Objects[static_cast<size_t>(c_)].Selected = 1;
  Paint();
  EXPECT_EQ(image.pixel(100, 100), white);
  EXPECT_EQ(image.pixel(98, 100), highlight);
  EXPECT_EQ(image.pixel(118, 100), highlight);
  EXPECT_EQ(image.pixel(306, 43), highlight);
  EXPECT_EQ(image.pixel(312, 74), highlight);

  // A wire with a dangling end is left out; the others are still drawn.
  chart_.Links[0].Selected = 0;
  chart_.AppendLinks(1);
  chart_.Links[1].Origin = a_;
  chart_.Links[1].Final = -1;
  Paint();
  EXPECT_EQ(image.pixel(130, 100), gray);
}

TEST_F(CanvasPictureTest, LabelsContrastWithTheirFill) {
  ChartObject& dark = chart_.Objects[static_cast<size_t>(a_)];
  dark.Color = 0x000000;
  dark.Name = "WWWW";
  ChartObject& light = chart_.Objects[static_cast<size_t>(b_)];
  light.Name = "WWWW";
  const QImage& image = Paint();
  const QRect darkInside(22, 302, 46, 26);
  const QRect lightInside(302, 302, 46, 26);
  EXPECT_GT(CountNear(image, darkInside, Qt::white), 10);
  EXPECT_GT(CountNear(image, lightInside, Qt::black), 10);
  // Dark gray (luminance 128) is labelled in white as well.
  dark.Color = 0x808080;
  Paint();
  EXPECT_GT(CountNear(image, darkInside, Qt::white), 10);
  // Without a name there is nothing in the box but its fill.
  dark.Name.clear();
  Paint();
  EXPECT_EQ(CountNear(image, darkInside, Qt::white), 0);
}

TEST_F(CanvasPictureTest, SizeFollowsTheChartWithinMemory) {
  chart_.CanvasWidth = 800;
  chart_.CanvasHeight = 600;
  EXPECT_EQ(Paint().size(), QSize(800, 600));
  EXPECT_EQ(canvas_.size(), QSize(800, 600));
  // A canvas a file may ask for (32000 x 32000) is cut down in height, not allocated whole.
  EXPECT_EQ(CanvasPictureSize(32000, 32000), QSize(32000, 1250));
  EXPECT_EQ(CanvasPictureSize(0, -5), QSize(1, 1));
  // Objects far outside the picture are skipped without harm.
  chart_.Objects[static_cast<size_t>(b_)].Left = 2'000'000'000;
  chart_.Objects[static_cast<size_t>(b_)].Top = -2'000'000'000;
  EXPECT_EQ(Paint().size(), QSize(800, 600));
}

// Big pictures are painted in bands by several threads: the result must not differ by a pixel
// from one thread's, whatever crosses the band edges (long and dotted wires, names, shapes too
// big to keep, a picture held in its own memory), and a second redraw from the kept sprites
// must give the same picture again.
TEST_F(CanvasPictureTest, BandsPaintExactlyWhatOneThreadPaints) {
  chart_.CanvasWidth = 1300;
  chart_.CanvasHeight = 1400;
  for (int i = 0; i < 300; ++i) {
    const std::string name = "N" + std::to_string(i * 7);
    AddObject(chart_, i % 20 * 60, i / 20 * 90 + 15, i % 3 ? kColorWhite : 0x404040, name.c_str());
  }
  const int32_t big = AddObject(chart_, 100, 700, 0x00C0C0, "BIG");
  chart_.Objects[static_cast<size_t>(big)].Width = 600;
  chart_.Objects[static_cast<size_t>(big)].Height = 560;
  const int first = chart_.AppendLinks(300);
  for (int i = 0; i < 300; ++i) {
    ChartLink& l = chart_.Links[static_cast<size_t>(first + i)];
    l.Origin = 3 + i;
    l.Final = 3 + (i * 37 + 11) % 300;
    l.Main = i % 4 == 0 ? kBranchWiring : kFlowWiring;
    if (i % 9 == 0) l.Point = {{i * 4, 3}, {1290 - i, 1390 - i}};
    l.Selected = i % 25 == 0 ? 1 : 0;
  }
  chart_.Objects[40].Selected = 1;
  const QImage& whole = Paint();
  ASSERT_EQ(whole.size(), QSize(1300, 1400));

  // The reference: one band, one thread.
  CanvasPictureCache cache;
  QImage single(whole.size(), QImage::Format_RGB32);
  PaintDisplayList(canvas_.Display(), single, canvas_.font(), cache, 1, 1400);
  for (auto [threads, rows] : {std::pair{1, 0}, {2, 0}, {3, 7}, {2, 101}}) {
    QImage banded(whole.size(), QImage::Format_RGB32);
    PaintDisplayList(canvas_.Display(), banded, canvas_.font(), cache, threads, rows);
    EXPECT_TRUE(banded == single) << threads << " threads, bands of " << rows;
  }
  EXPECT_TRUE(whole == single);
  EXPECT_TRUE(Paint() == single);

  // A dotted polyline (the rubber band's kind) zigzagging down through the bands keeps its dot
  // pattern across them; a thick line goes through the painter.
  DisplayList list;
  list.width = 1300;
  list.height = 1400;
  DrawItem background;
  background.kind = DrawKind::Background;
  background.brush = 0xFFFFFF;
  background.b = {1300, 1400};
  DrawItem zigzag;
  zigzag.kind = DrawKind::Polyline;
  zigzag.style = PenStyle::Dotted;
  zigzag.count = 40;
  for (int k = 0; k < 40; ++k) list.points.push_back({k % 2 ? 1250 : 7 + k, k / 2 * 70 + 5});
  DrawItem thick;
  thick.kind = DrawKind::Line;
  thick.penWidth = 3;
  thick.a = {5, 1395};
  thick.b = {1290, 10};
  list.items = {background, zigzag, thick};
  QImage one(whole.size(), QImage::Format_RGB32), three(whole.size(), QImage::Format_RGB32);
  PaintDisplayList(list, one, canvas_.font(), cache, 1, 1400);
  PaintDisplayList(list, three, canvas_.font(), cache, 3, 9);
  EXPECT_TRUE(one == three);

  // Painted piece by piece, in tiles of odd sizes (a one-pixel column among them), both pictures
  // come out as painted whole; a piece touches no pixel outside itself.
  for (const auto& [display, reference] :
       {std::pair<const DisplayList*, const QImage*>{&canvas_.Display(), &single},
        std::pair<const DisplayList*, const QImage*>{&list, &one}}) {
    QImage pieces(whole.size(), QImage::Format_RGB32);
    pieces.fill(qRgb(1, 2, 3));
    PaintDisplayArea(*display, pieces, canvas_.font(), cache, QRect(0, 0, 1, 1400), 2);
    for (int y = 0; y < 1400; y += 217)
      for (int x = 1; x < 1300; x += 333) {
        const QRect tile(x, y, 333, 217);
        PaintDisplayArea(*display, pieces, canvas_.font(), cache, tile, (x + y) % 3);
        const QRect next = tile.translated(333, 0).intersected(pieces.rect());
        if (!next.isEmpty()) {
          EXPECT_EQ(pieces.pixel(next.topLeft()), qRgb(1, 2, 3));
        }
      }
    EXPECT_TRUE(pieces == *reference);
  }
}

// Records the regions the canvas is asked to paint.
class PaintedRegions : public QObject {
 public:
  explicit PaintedRegions(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
  QRegion painted;
};

int64_t AreaOf(const QRegion& region) {
  int64_t area = 0;
  for (const QRect& r : region) area += int64_t{r.width()} * r.height();
  return area;
}

// An edit repaints only what it changed, and the picture made of those parts is the picture
// painted whole: a moved, a raised (selected), a renamed and a recoloured object, a wire gone.
TEST_F(CanvasPictureTest, AnEditRepaintsOnlyWhatItChangedAndMatchesTheWholePicture) {
  chart_.CanvasWidth = 1300;
  chart_.CanvasHeight = 1000;
  for (int i = 0; i < 200; ++i) {
    const std::string name = "N" + std::to_string(i);
    AddObject(chart_, i % 20 * 60 + 5, i / 20 * 95 + 15, i % 3 ? kColorWhite : 0x404040,
              name.c_str());
  }
  const int first = chart_.AppendLinks(150);
  for (int i = 0; i < 150; ++i) {
    ChartLink& l = chart_.Links[static_cast<size_t>(first + i)];
    l.Origin = 3 + i;
    l.Final = 3 + (i * 37 + 11) % 200;
  }
  const int lone = AddObject(chart_, 1200, 960, kColorWhite, "LONE");
  canvas_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas_));
  canvas_.Redraw();
  QApplication::processEvents();
  PaintedRegions regions(&canvas_);
  CanvasPictureCache cache;
  const auto matchesWhole = [&] {
    QImage whole(canvas_.Picture().size(), QImage::Format_RGB32);
    PaintDisplayList(canvas_.Display(), whole, canvas_.font(), cache, 1);
    return canvas_.Picture() == whole;
  };
  const int64_t everything = int64_t{canvas_.width()} * canvas_.height();
  // `share`: the most of the canvas the repaint may cover.
  const auto edit = [&](const char* what, double share, const std::function<void()>& change) {
    SCOPED_TRACE(what);
    regions.painted = QRegion();
    change();
    canvas_.Redraw();
    QApplication::processEvents();
    EXPECT_FALSE(regions.painted.isEmpty());
    EXPECT_LT(AreaOf(regions.painted), static_cast<int64_t>(everything * share))
        << regions.painted.boundingRect().width() << "x" << regions.painted.boundingRect().height();
    EXPECT_TRUE(matchesWhole());
  };
  ChartObject& alone = chart_.Objects[static_cast<size_t>(lone)];
  edit("moved", 0.01, [&] { alone.Left -= 17; });
  edit("renamed to a name wider than its box", 0.01, [&] { alone.Name = "A LONGER NAME"; });
  edit("recoloured", 0.01, [&] { alone.Color = 0x00FF00; });
  // Wires reach across the canvas: their bounds are painted again.
  edit("selected, so drawn on top of its neighbour", 0.5, [&] {
    chart_.Objects[60].Left = chart_.Objects[61].Left - 20;
    chart_.Objects[60].Selected = 1;
  });
  edit("a wire removed", 0.5, [&] { chart_.Links.pop_back(); });

  // Nothing drawn changed: nothing is painted.
  regions.painted = QRegion();
  canvas_.Redraw();
  QApplication::processEvents();
  EXPECT_TRUE(regions.painted.isEmpty());
}

// The canvas paints what a view shows of it, also parts scrolled into view later, and hands out
// the whole picture when asked.
TEST_F(CanvasPictureTest, ViewShowsTheRightPixelsWhereverItIsScrolled) {
  chart_.CanvasWidth = 1500;
  chart_.CanvasHeight = 1200;
  AddObject(chart_, 1400, 1100, 0x00FF00, "FAR");
  QScrollArea view;
  view.setWidget(&canvas_);
  view.resize(400, 300);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  canvas_.Redraw();
  QImage reference(1500, 1200, QImage::Format_RGB32);
  CanvasPictureCache cache;
  PaintDisplayList(canvas_.Display(), reference, canvas_.font(), cache, 1);
  const auto shown = [&] {
    QApplication::processEvents();
    const QImage grabbed = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = reference.copy(QRect(-canvas_.pos(), grabbed.size()));
    return grabbed == expected;
  };
  EXPECT_TRUE(shown());
  view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
  EXPECT_TRUE(shown());
  EXPECT_TRUE(canvas_.Picture() == reference);
  EXPECT_EQ(canvas_.Picture().pixel(1404, 1104), qRgb(0, 255, 0));
  view.takeWidget();
}

// A kept picture is copied where opaque, blended where partly transparent, skipped where
// transparent, and clipped at the picture's edges.
TEST(CanvasSpriteTest, CopiesBlendsAndSkipsByCoverage) {
  QImage picture(4, 2, QImage::Format_RGB32);
  picture.fill(Qt::white);
  CanvasPictureCache cache;
  const CanvasPictureCache::Sprite& sprite = cache.Find("sprite", [] {
    QImage image(4, 1, QImage::Format_ARGB32_Premultiplied);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(128, 0, 0, 128));  // half-covering red, premultiplied
    image.setPixel(2, 0, qRgba(0, 0, 255, 255));
    image.setPixel(3, 0, qRgba(0, 0, 0, 0));
    return image;
  });
  BlitSprite(PixelsOf(picture), sprite, QPoint(0, 0));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(picture.pixel(1, 0), qRgb(255, 127, 127));
  EXPECT_EQ(picture.pixel(2, 0), qRgb(0, 0, 255));
  EXPECT_EQ(picture.pixel(3, 0), qRgb(255, 255, 255));
  // Half outside on the left and below: only what lies inside is touched.
  BlitSprite(PixelsOf(picture), sprite, QPoint(-2, 1));
  EXPECT_EQ(picture.pixel(0, 1), qRgb(0, 0, 255));
  EXPECT_EQ(picture.pixel(1, 1), qRgb(255, 255, 255));
  BlitSprite(PixelsOf(picture), sprite, QPoint(3, 5));
  EXPECT_EQ(picture.pixel(3, 1), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace brv3
