#include "ui/chart/CanvasPainter.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <array>
#include <vector>

namespace brv3 {

namespace {

// A picture bigger than this (pixels) is cut down in height; a chart file can ask for a canvas
// of 32000 x 32000, which would need 4 GB.
constexpr int64_t kMaxPicturePixels = 40'000'000;
constexpr int kMaxPictureSide = 32000;
// Corner ellipse of a round rectangle: 10 x 10 pixels.
constexpr qreal kCornerRadius = 5.0;

QRgb ToRgb(uint32_t bgr) {
  return qRgb(ColorRed(bgr), ColorGreen(bgr), ColorBlue(bgr));
}

uint32_t ToBgr(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
         static_cast<uint32_t>(color.blue()) << 16;
}

QPoint ToPoint(LinkPoint p) {
  return QPoint(p.x, p.y);
}

// Keeps the painter's pen and brush and changes them only when an item needs others.
class PenState {
 public:
  explicit PenState(QPainter& painter) : painter_(painter) {}

  void Pen(uint32_t color, PenStyle style, int width) {
    if (havePen_ && color == penColor_ && style == penStyle_ && width == penWidth_) return;
    QPen pen(QColor(ToRgb(color)), width, style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine,
             Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    havePen_ = true;
    penColor_ = color;
    penStyle_ = style;
    penWidth_ = width;
  }
  void Brush(uint32_t color) {
    if (haveBrush_ && color == brushColor_) return;
    painter_.setBrush(QColor(ToRgb(color)));
    haveBrush_ = true;
    brushColor_ = color;
  }

 private:
  QPainter& painter_;
  bool havePen_ = false;
  uint32_t penColor_ = 0;
  PenStyle penStyle_ = PenStyle::Solid;
  int penWidth_ = 1;
  bool haveBrush_ = false;
  uint32_t brushColor_ = 0;
};

QRect Bounds(LinkPoint a, LinkPoint b) {
  const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect Bounds(LinkPoint a, LinkPoint b, LinkPoint c) {
  return Bounds(a, b).united(Bounds(c, c));
}

}  // namespace

QSize CanvasPictureSize(int32_t width, int32_t height) {
  const int w = std::clamp<int32_t>(width, 1, kMaxPictureSide);
  int h = std::clamp<int32_t>(height, 1, kMaxPictureSide);
  if (int64_t{w} * h > kMaxPicturePixels) h = static_cast<int>(kMaxPicturePixels / w);
  return QSize(w, h);
}

CanvasPalette QtCanvasPalette(const QPalette& palette) {
  std::array<uint32_t, 32> colors{};
  colors.fill(ToBgr(palette.color(QPalette::Button)));
  colors[0x05] = ToBgr(palette.color(QPalette::Base));
  colors[0x06] = ToBgr(palette.color(QPalette::Shadow));
  colors[0x08] = ToBgr(palette.color(QPalette::Text));
  colors[0x0C] = ToBgr(palette.color(QPalette::Dark));
  colors[0x0D] = ToBgr(palette.color(QPalette::Highlight));
  colors[0x0E] = ToBgr(palette.color(QPalette::HighlightedText));
  colors[0x10] = ToBgr(palette.color(QPalette::Mid));
  colors[0x11] = ToBgr(palette.color(QPalette::Disabled, QPalette::Text));
  colors[0x12] = ToBgr(palette.color(QPalette::ButtonText));
  colors[0x14] = ToBgr(palette.color(QPalette::Light));
  colors[0x15] = ToBgr(palette.color(QPalette::Shadow));
  colors[0x16] = ToBgr(palette.color(QPalette::Midlight));
  colors[0x17] = ToBgr(palette.color(QPalette::ToolTipText));
  colors[0x18] = ToBgr(palette.color(QPalette::ToolTipBase));
  CanvasPalette result;
  result.resolveSystem = [colors](uint32_t code) { return colors[code & 0x1F]; };
  return result;
}

const QStaticText& CanvasTextCache::Get(std::string_view utf8, const QFont& font) {
  if (font != font_) {
    entries_.clear();
    font_ = font;
  }
  auto [it, added] = entries_.try_emplace(std::string(utf8));
  Entry& entry = it->second;
  if (added) {
    entry.text.setTextFormat(Qt::PlainText);
    entry.text.setPerformanceHint(QStaticText::AggressiveCaching);
    entry.text.setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    entry.text.prepare(QTransform(), font);
  }
  if (entry.lastUse != picture_) {
    entry.lastUse = picture_;
    ++usedThisPicture_;
  }
  return entry.text;
}

void CanvasTextCache::EndPicture() {
  // Names unused in the last picture go once they outnumber the used ones by far.
  if (entries_.size() > 2 * usedThisPicture_ + 256) {
    std::erase_if(entries_, [this](const auto& item) { return item.second.lastUse != picture_; });
  }
  ++picture_;
  usedThisPicture_ = 0;
}

void PaintDisplayList(const DisplayList& list, QPainter& painter, CanvasTextCache& texts) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const QRect visible = painter.window().adjusted(-2, -2, 2, 2);
  const QFont font = painter.font();
  PenState state(painter);
  std::vector<QPoint> points;
  for (const DrawItem& item : list.items) {
    switch (item.kind) {
      case DrawKind::Background:
        painter.fillRect(
            QRect(ToPoint(item.a), ToPoint(item.b)).normalized().adjusted(0, 0, -1, -1),
            QColor(ToRgb(item.brush)));
        break;
      case DrawKind::Line:
        if (!visible.intersects(Bounds(item.a, item.b).adjusted(0, 0, 1, 1))) break;
        state.Pen(item.pen, item.style, item.penWidth);
        painter.drawLine(ToPoint(item.a), ToPoint(item.b));
        break;
      case DrawKind::Triangle: {
        if (!visible.intersects(Bounds(item.a, item.b, item.c).adjusted(0, 0, 1, 1))) break;
        state.Pen(item.pen, PenStyle::Solid, 1);
        state.Brush(item.brush);
        const QPoint corners[3] = {ToPoint(item.a), ToPoint(item.b), ToPoint(item.c)};
        painter.drawPolygon(corners, 3);
        break;
      }
      case DrawKind::Rect:
      case DrawKind::RoundRect: {
        // Far edges excluded: a box from a to b covers a.x .. b.x - 1 and a.y .. b.y - 1.
        const int64_t w = int64_t{item.b.x} - item.a.x;
        const int64_t h = int64_t{item.b.y} - item.a.y;
        if (w < 1 || h < 1) break;
        const QRect box(item.a.x, item.a.y, static_cast<int>(w - 1), static_cast<int>(h - 1));
        if (!visible.intersects(box.adjusted(0, 0, 1, 1))) break;
        state.Pen(item.pen, PenStyle::Solid, 1);
        state.Brush(item.brush);
        if (item.kind == DrawKind::Rect || w < 3 || h < 3)
          painter.drawRect(box);
        else
          painter.drawRoundedRect(QRectF(box), kCornerRadius, kCornerRadius);
        break;
      }
      case DrawKind::Text: {
        if (item.count == 0) break;
        const QStaticText& text = texts.Get(list.TextOf(item), font);
        const QSizeF size = text.size();
        const QPointF topLeft(item.c.x - size.width() / 2, item.c.y - size.height() / 2);
        if (!QRectF(visible).intersects(QRectF(topLeft, size))) break;
        state.Pen(item.pen, PenStyle::Solid, 1);
        painter.drawStaticText(topLeft, text);
        break;
      }
      case DrawKind::Polyline: {
        if (item.count == 0 || size_t{item.first} + item.count > list.points.size()) break;
        points.clear();
        for (uint32_t k = 0; k < item.count; ++k)
          points.push_back(ToPoint(list.points[item.first + k]));
        state.Pen(item.pen, item.style, item.penWidth);
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
        break;
      }
    }
  }
  texts.EndPicture();
}

bool PaintCanvasImage(const DisplayList& list, QImage& image, const QFont& font,
                      CanvasTextCache& texts) {
  const QSize size = CanvasPictureSize(list.width, list.height);
  if (image.size() != size || image.isNull()) image = QImage(size, QImage::Format_RGB32);
  if (image.isNull()) return false;
  QPainter painter(&image);
  painter.setFont(font);
  PaintDisplayList(list, painter, texts);
  return true;
}

}  // namespace brv3
