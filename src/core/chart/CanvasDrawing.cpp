#include "core/chart/CanvasDrawing.h"

#include <cmath>

#include "core/util/RoundHalfEven.h"

namespace brv3 {

namespace {

constexpr uint32_t kSystemBit = 0x80000000;
constexpr uint32_t kColorWhiteRgb = 0xFFFFFF;

uint32_t DefaultSystemColor(uint32_t code) {
  switch (code & 0xFF) {
    case 0x05:  // window
      return 0xFFFFFF;
    case 0x08:  // window text
    case 0x12:  // button text
      return 0x000000;
    case 0x0D:  // highlight
      return 0xD77800;
    case 0x0E:  // highlight text
      return 0xFFFFFF;
    default:  // button face and the rest
      return 0xF0F0F0;
  }
}

int32_t Nearest(double v) {
  return static_cast<int32_t>(RoundHalfEven(v));
}

LinkPoint Add(LinkPoint m, int32_t dx, int32_t dy) {
  return {static_cast<int32_t>(int64_t{m.x} + dx), static_cast<int32_t>(int64_t{m.y} + dy)};
}

class Painter {
 public:
  Painter(DisplayList& out, const CanvasPalette& palette) : out_(out), palette_(&palette) {
    background_ = palette.Resolve(kColorWindow);
    highlight_ = palette.Resolve(kColorHighlight);
    highlightText_ = palette.Resolve(kColorHighlightText);
  }

  void Background(int32_t w, int32_t h) {
    DrawItem item;
    item.kind = DrawKind::Background;
    item.pen = item.brush = background_;
    item.b = {w, h};
    out_.items.push_back(item);
  }

  void Wire(const Chart& chart, const ChartLink& l) {
    const ChartObject& origin = chart.Objects[static_cast<size_t>(l.Origin)];
    const ChartObject& final = chart.Objects[static_cast<size_t>(l.Final)];
    const uint32_t pen = l.Selected ? highlight_ : kColorUnselectedWire;
    const uint32_t arrowFill = l.Selected ? highlight_ : origin.Color;
    const PenStyle style = l.Main == kBranchWiring ? PenStyle::Dotted : PenStyle::Solid;
    LinkPoint from{origin.CenterX(), origin.CenterY()};
    const size_t segments = l.Point.size() + 1;
    for (size_t k = 0; k < segments; ++k) {
      const LinkPoint to =
          k < l.Point.size() ? l.Point[k] : LinkPoint{final.CenterX(), final.CenterY()};
      Line(from, to, pen, style);
      Arrow(from, to, pen, arrowFill);
      from = to;
    }
    if (!l.Selected) return;
    for (const LinkPoint& p : l.Point)
      Box(DrawKind::Rect, Add(p, -2, -2), Add(p, 3, 3), pen, kColorWhiteRgb);
  }

  void Object(const ChartObject& o) {
    const uint32_t fill = o.Selected ? highlight_ : palette_->Resolve(o.Color);
    const uint32_t label = o.Selected ? highlightText_ : LabelColorFor(fill);
    const LinkPoint a{o.Left, o.Top};
    const LinkPoint b = Add(a, o.Width, o.Height);
    Box(o.Type == kMot ? DrawKind::Rect : DrawKind::RoundRect, a, b, kColorBlack, fill);
    DrawItem text;
    text.kind = DrawKind::Text;
    text.pen = label;
    text.a = a;
    text.b = b;
    text.c = Add(a, o.Width / 2, o.Height / 2);
    text.first = static_cast<uint32_t>(out_.text.size());
    text.count = static_cast<uint32_t>(o.Name.size());
    out_.text += o.Name;
    out_.items.push_back(text);
  }

  void StartFlag(const ChartObject& o) {
    DrawItem flag;
    flag.kind = DrawKind::Triangle;
    flag.pen = kColorBlack;
    flag.brush = o.Selected ? highlight_ : kColorRed;
    const LinkPoint corner{o.Left, o.Top};
    flag.a = Add(corner, 10, -2);
    flag.b = Add(corner, 10, -12);
    flag.c = Add(corner, 0, -7);
    out_.items.push_back(flag);
    Line(Add(corner, 10, -2), Add(corner, 10, 8), kColorBlack, PenStyle::Solid);
  }

  void RubberBand(LinkPoint p, LinkPoint l) {
    Polyline({p, {l.x, p.y}, l, {p.x, l.y}, p}, kColorBlack, PenStyle::Dotted);
  }

  void WireInProgress(const std::vector<LinkPoint>& points, LinkPoint press, LinkPoint last) {
    Polyline(points, kColorRed, PenStyle::Solid);
    Line(press, last, kColorRed, PenStyle::Solid);
  }

 private:
  void Line(LinkPoint a, LinkPoint b, uint32_t pen, PenStyle style) {
    DrawItem item;
    item.kind = DrawKind::Line;
    item.style = style;
    item.pen = pen;
    item.a = a;
    item.b = b;
    out_.items.push_back(item);
  }

  void Arrow(LinkPoint s, LinkPoint e, uint32_t pen, uint32_t fill) {
    const ArrowShape arrow = ArrowGeometry(s, e);
    DrawItem item;
    item.kind = DrawKind::Triangle;
    item.pen = pen;
    item.brush = palette_->Resolve(fill);
    item.a = arrow.back1;
    item.b = arrow.back2;
    item.c = arrow.tip;
    out_.items.push_back(item);
  }

  void Box(DrawKind kind, LinkPoint a, LinkPoint b, uint32_t pen, uint32_t brush) {
    DrawItem item;
    item.kind = kind;
    item.pen = pen;
    item.brush = brush;
    item.a = a;
    item.b = b;
    out_.items.push_back(item);
  }

  void Polyline(const std::vector<LinkPoint>& points, uint32_t pen, PenStyle style) {
    DrawItem item;
    item.kind = DrawKind::Polyline;
    item.style = style;
    item.pen = pen;
    item.first = static_cast<uint32_t>(out_.points.size());
    item.count = static_cast<uint32_t>(points.size());
    out_.points.insert(out_.points.end(), points.begin(), points.end());
    out_.items.push_back(item);
  }

  DisplayList& out_;
  const CanvasPalette* palette_;
  uint32_t background_ = 0;
  uint32_t highlight_ = 0;
  uint32_t highlightText_ = 0;
};

bool Drawable(const Chart& chart, const ChartLink& l) {
  return chart.ValidObject(l.Origin) && chart.ValidObject(l.Final);
}

}  // namespace

uint32_t CanvasPalette::Resolve(uint32_t color) const {
  if ((color & 0xFF000000) == kSystemBit)
    return (resolveSystem ? resolveSystem(color) : DefaultSystemColor(color)) & 0xFFFFFF;
  return color & 0xFFFFFF;
}

uint32_t LabelColorFor(uint32_t fill) {
  const double luminance =
      0.299 * ColorRed(fill) + 0.587 * ColorGreen(fill) + 0.114 * ColorBlue(fill);
  return Nearest(luminance) <= 128 ? kColorWhiteRgb : kColorBlack;
}

ArrowShape ArrowGeometry(LinkPoint s, LinkPoint e) {
  const LinkPoint m = SegmentMidpoint(s, e);
  const double dx = static_cast<double>(int64_t{e.x} - s.x);
  const double dy = static_cast<double>(int64_t{e.y} - s.y);
  // The direction from s to e with y pointing down; a zero-length segment uses the angle -1.
  double cosT, sinT;
  if (dx == 0 && dy == 0) {
    cosT = std::cos(-1.0);
    sinT = std::sin(-1.0);
  } else {
    const double length = std::hypot(dx, dy);
    cosT = dx / length;
    sinT = dy / length;
  }
  ArrowShape arrow;
  arrow.tip = Add(m, Nearest(4 * cosT), Nearest(4 * sinT));
  arrow.back1 = Add(m, Nearest(-5 * cosT - 5 * sinT), Nearest(5 * cosT - 5 * sinT));
  arrow.back2 = Add(m, Nearest(-5 * cosT + 5 * sinT), Nearest(-5 * cosT - 5 * sinT));
  return arrow;
}

void DisplayList::Clear() {
  items.clear();
  points.clear();
  text.clear();
}

void BuildDisplayList(const Chart& chart, const CanvasOverlay& overlay,
                      const CanvasPalette& palette, DisplayList& out) {
  out.Clear();
  out.width = chart.CanvasWidth;
  out.height = chart.CanvasHeight;
  out.items.reserve(chart.Objects.size() * 2 + chart.Links.size() * 2 + 8);
  Painter painter(out, palette);
  painter.Background(chart.CanvasWidth, chart.CanvasHeight);
  for (const ChartLink& l : chart.Links)
    if (Drawable(chart, l)) painter.Wire(chart, l);
  for (const ChartObject& o : chart.Objects)
    if (!o.Selected) painter.Object(o);
  for (const ChartObject& o : chart.Objects)
    if (o.Selected) painter.Object(o);
  if (chart.ValidObject(chart.Start))
    painter.StartFlag(chart.Objects[static_cast<size_t>(chart.Start)]);
  if (overlay.RubberBand) painter.RubberBand(overlay.PressPoint, overlay.LastPoint);
  if (overlay.Wiring && overlay.WirePoints && !overlay.WirePoints->empty())
    painter.WireInProgress(*overlay.WirePoints, overlay.PressPoint, overlay.LastPoint);
}

}  // namespace brv3
