#include "core/chart/CanvasHitTest.h"

namespace brv3 {

namespace {

bool Within(int64_t v, int64_t low, int64_t high) {
  return v >= low && v <= high;
}

LinkPoint Center(const ChartObject& o) {
  return {o.CenterX(), o.CenterY()};
}

}  // namespace

LinkPoint SegmentMidpoint(LinkPoint s, LinkPoint e) {
  return {static_cast<int32_t>(s.x + (int64_t{e.x} - s.x) / 2),
          static_cast<int32_t>(s.y + (int64_t{e.y} - s.y) / 2)};
}

int32_t HitObjectAt(const Chart& chart, int32_t x, int32_t y) {
  for (int32_t i = chart.ObjectCount() - 1; i >= 0; --i) {
    const ChartObject& o = chart.Objects[static_cast<size_t>(i)];
    if (Within(x, o.Left, int64_t{o.Left} + o.Width - 1) &&
        Within(y, o.Top, int64_t{o.Top} + o.Height - 1))
      return i;
  }
  return -1;
}

CanvasHit HitTest(const Chart& chart, int32_t x, int32_t y) {
  CanvasHit hit;
  hit.object = HitObjectAt(chart, x, y);
  if (hit.object >= 0) return hit;

  for (int32_t j = chart.LinkCount() - 1; j >= 0; --j) {
    const std::vector<LinkPoint>& points = chart.Links[static_cast<size_t>(j)].Point;
    for (size_t k = 0; k < points.size(); ++k) {
      if (Within(points[k].x, int64_t{x} - 3, int64_t{x} + 4) &&
          Within(points[k].y, int64_t{y} - 3, int64_t{y} + 4)) {
        hit.link = j;
        hit.bend = static_cast<int32_t>(k);
        return hit;
      }
    }
  }

  for (int32_t j = 0; j < chart.LinkCount(); ++j) {
    const ChartLink& l = chart.Links[static_cast<size_t>(j)];
    if (!chart.ValidObject(l.Origin) || !chart.ValidObject(l.Final)) continue;
    LinkPoint from = Center(chart.Objects[static_cast<size_t>(l.Origin)]);
    const size_t segments = l.Point.size() + 1;
    for (size_t k = 0; k < segments; ++k) {
      LinkPoint to =
          k < l.Point.size() ? l.Point[k] : Center(chart.Objects[static_cast<size_t>(l.Final)]);
      LinkPoint m = SegmentMidpoint(from, to);
      if (Within(x, int64_t{m.x} - 4, int64_t{m.x} + 5) &&
          Within(y, int64_t{m.y} - 4, int64_t{m.y} + 5)) {
        hit.link = j;
        hit.segment = static_cast<int32_t>(k);
        return hit;
      }
      from = to;
    }
  }
  return hit;
}

}  // namespace brv3
