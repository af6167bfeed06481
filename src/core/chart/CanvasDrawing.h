#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart/CanvasHitTest.h"
#include "core/chart/CanvasOverlay.h"
#include "core/chart/Chart.h"

namespace brv3 {

// Platform system colour codes the canvas uses (besides `kColorButtonFace`).
constexpr uint32_t kColorWindow = 0x80000005;
constexpr uint32_t kColorHighlight = 0x8000000D;
constexpr uint32_t kColorHighlightText = 0x8000000E;
constexpr uint32_t kColorUnselectedWire = 0x808080;
constexpr uint32_t kColorBlack = 0x000000;
constexpr uint32_t kColorRed = 0x0000FF;

// Resolves system colour codes (0x80000000 | n) to 0x00BBGGRR. The default stands in for a
// palette with a light grey button face, a white window and a blue highlight.
struct CanvasPalette {
  std::function<uint32_t(uint32_t systemCode)> resolveSystem;
  uint32_t Resolve(uint32_t color) const;
};

inline int ColorRed(uint32_t bgr) {
  return static_cast<int>(bgr & 0xFF);
}
inline int ColorGreen(uint32_t bgr) {
  return static_cast<int>((bgr >> 8) & 0xFF);
}
inline int ColorBlue(uint32_t bgr) {
  return static_cast<int>((bgr >> 16) & 0xFF);
}

// White for a dark fill (nearest(0.299 R + 0.587 G + 0.114 B) <= 128), black otherwise; `fill`
// must already be resolved.
uint32_t LabelColorFor(uint32_t fill);

// An arrow: the triangle (back1, back2, tip) on the midpoint of the segment from s to e.
struct ArrowShape {
  LinkPoint back1, back2, tip;
};
ArrowShape ArrowGeometry(LinkPoint s, LinkPoint e);

enum class DrawKind : uint8_t {
  Background,  // fill rectangle a..b with `brush` (the whole canvas)
  Line,        // from a to b with `pen`, `style`, `penWidth` (end point excluded)
  Triangle,    // filled polygon a, b, c: outline `pen`, fill `brush` (arrows, the Start flag)
  RoundRect,   // rectangle a..b, far edges excluded, corners rounded by a 10 x 10 ellipse
  Rect,        // rectangle a..b, far edges excluded: outline `pen`, fill `brush`
  Text,        // one line centred in rectangle a..b (centre `c`), colour `pen`, no background
  Polyline,    // open line through DisplayList::points[first .. first + count), `pen`, `style`
};
enum class PenStyle : uint8_t { Solid, Dotted };

// One plain primitive; colours are resolved 0x00BBGGRR.
struct DrawItem {
  DrawKind kind = DrawKind::Line;
  PenStyle style = PenStyle::Solid;
  uint8_t penWidth = 1;
  uint32_t pen = 0;
  uint32_t brush = 0;
  LinkPoint a, b, c;
  uint32_t first = 0;  // Polyline: first point; Text: offset into DisplayList::text
  uint32_t count = 0;  // Polyline: point count; Text: length in bytes (UTF-8)
};

// Everything a redraw paints, in painting order.
struct DisplayList {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<DrawItem> items;
  std::vector<LinkPoint> points;
  std::string text;

  std::string_view TextOf(const DrawItem& item) const {
    return std::string_view(text).substr(item.first, item.count);
  }
  void Clear();
};

// Builds the picture of the chart with the editor's overlay: background, wires with arrows and
// bend-point squares, objects (selected ones on top), the Start flag, the rubber band and the
// wire in progress. Reuses `out`'s storage; linear in objects + wires.
void BuildDisplayList(const Chart& chart, const CanvasOverlay& overlay,
                      const CanvasPalette& palette, DisplayList& out);

}  // namespace brv3
