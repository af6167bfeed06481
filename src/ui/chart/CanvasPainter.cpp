#include "ui/chart/CanvasPainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <vector>

#include "ui/chart/PixelLines.h"

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
  // The painter's pen and brush were changed behind this state's back.
  void Reset() {
    havePen_ = false;
    haveBrush_ = false;
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

CanvasPictureCache::Entry& CanvasPictureCache::Use(const std::string& key) {
  Entry& entry = entries_[key];
  if (entry.lastUse != picture_) {
    entry.lastUse = picture_;
    ++usedThisPicture_;
  }
  return entry;
}

void CanvasPictureCache::Prepare(Sprite& sprite, QImage image) {
  sprite.image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int width = sprite.image.width();
  sprite.rows.assign(static_cast<size_t>(sprite.image.height()), {});
  for (int y = 0; y < sprite.image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(sprite.image.constScanLine(y));
    RowSpan& span = sprite.rows[static_cast<size_t>(y)];
    span.first = 0;
    while (span.first < width && qAlpha(row[span.first]) == 0) ++span.first;
    span.last = width;
    while (span.last > span.first && qAlpha(row[span.last - 1]) == 0) --span.last;
    span.opaqueFirst = span.first;
    while (span.opaqueFirst < span.last && qAlpha(row[span.opaqueFirst]) != 255) ++span.opaqueFirst;
    span.opaqueLast = span.opaqueFirst;
    while (span.opaqueLast < span.last && qAlpha(row[span.opaqueLast]) == 255) ++span.opaqueLast;
  }
}

namespace {

// Premultiplied source over an opaque destination.
inline QRgb BlendOver(QRgb source, QRgb destination) {
  const uint32_t alpha = qAlpha(source);
  if (alpha == 255) return source;
  if (alpha == 0) return destination;
  const uint32_t inverse = 255 - alpha;
  uint32_t rb = (destination & 0xFF00FF) * inverse;
  rb = ((rb + ((rb >> 8) & 0xFF00FF) + 0x800080) >> 8) & 0xFF00FF;
  uint32_t g = ((destination >> 8) & 0xFF) * inverse;
  g = ((g + (g >> 8) + 0x80) >> 8) & 0xFF;
  return (source + (rb | g << 8)) | 0xFF000000u;
}

}  // namespace

void BlitSprite(const PixelTarget& target, const CanvasPictureCache::Sprite& sprite,
                QPoint topLeft) {
  if (!target.bits) return;
  const QImage& image = sprite.image;
  const int64_t left = topLeft.x(), top = topLeft.y();
  const int x0 = static_cast<int>(std::clamp<int64_t>(left, 0, target.width));
  const int x1 = static_cast<int>(std::clamp<int64_t>(left + image.width(), x0, target.width));
  const int y0 = static_cast<int>(std::clamp<int64_t>(top, 0, target.height));
  const int y1 = static_cast<int>(std::clamp<int64_t>(top + image.height(), y0, target.height));
  const uchar* bits = image.constBits();
  const qsizetype stride = image.bytesPerLine();
  for (int y = y0; y < y1; ++y) {
    const int sy = static_cast<int>(y - top);
    const QRgb* source = reinterpret_cast<const QRgb*>(bits + sy * stride);
    QRgb* row = reinterpret_cast<QRgb*>(target.bits + y * target.stride);
    const CanvasPictureCache::RowSpan& span = sprite.rows[static_cast<size_t>(sy)];
    const auto at = [&](int offset, int low) {
      return static_cast<int>(std::clamp<int64_t>(left + offset, low, x1));
    };
    const int first = at(span.first, x0);
    const int copyFirst = at(span.opaqueFirst, first);
    const int copyLast = at(span.opaqueLast, copyFirst);
    const int last = at(span.last, copyLast);
    for (int x = first; x < copyFirst; ++x) row[x] = BlendOver(source[x - left], row[x]);
    if (copyLast > copyFirst)
      std::memcpy(row + copyFirst, source + (copyFirst - left),
                  sizeof(QRgb) * static_cast<size_t>(copyLast - copyFirst));
    for (int x = copyLast; x < last; ++x) row[x] = BlendOver(source[x - left], row[x]);
  }
}

void CanvasPictureCache::UseFont(const QFont& font) {
  if (font == font_) return;
  entries_.clear();
  font_ = font;
}

void CanvasPictureCache::EndPicture() {
  // Sprites unused in the last picture go once they outnumber the used ones by far.
  if (entries_.size() > 2 * usedThisPicture_ + 256) {
    std::erase_if(entries_, [this](const auto& item) { return item.second.lastUse != picture_; });
  }
  ++picture_;
  usedThisPicture_ = 0;
}

namespace {

// Shapes bigger than this are painted directly rather than kept.
constexpr int kMaxSpriteSide = 512;
constexpr int kMaxTriangleSprite = 64;

QImage Transparent(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void AppendBytes(std::string& key, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) key.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

class ListPainter {
 public:
  ListPainter(QImage& image, QPainter& painter, CanvasPictureCache& cache)
      : pixels_(PixelsOf(image)),
        painter_(painter),
        cache_(cache),
        state_(painter),
        font_(painter.font()),
        visible_(painter.window().adjusted(-2, -2, 2, 2)) {}

  void Paint(const DisplayList& list) {
    for (const DrawItem& item : list.items) {
      switch (item.kind) {
        case DrawKind::Background:
          painter_.fillRect(
              QRect(ToPoint(item.a), ToPoint(item.b)).normalized().adjusted(0, 0, -1, -1),
              QColor(ToRgb(item.brush)));
          break;
        case DrawKind::Line: {
          int64_t phase = 0;
          Line(item, item.a, item.b, phase);
          break;
        }
        case DrawKind::Triangle:
          Triangle(item);
          break;
        case DrawKind::Rect:
        case DrawKind::RoundRect:
          Box(item);
          break;
        case DrawKind::Text:
          Text(list, item);
          break;
        case DrawKind::Polyline: {
          if (item.count == 0 || size_t{item.first} + item.count > list.points.size()) break;
          int64_t phase = 0;
          for (uint32_t k = 1; k < item.count; ++k)
            Line(item, list.points[item.first + k - 1], list.points[item.first + k], phase);
          break;
        }
      }
    }
  }

 private:
  void Line(const DrawItem& item, LinkPoint a, LinkPoint b, int64_t& phase) {
    if (item.penWidth <= 1 && pixels_.bits) {
      DrawPixelLine(pixels_, a, b, ToRgb(item.pen) | 0xFF000000u, item.style == PenStyle::Dotted,
                    phase);
      return;
    }
    if (!visible_.intersects(Bounds(a, b).adjusted(0, 0, 1, 1))) return;
    state_.Pen(item.pen, item.style, item.penWidth);
    painter_.drawLine(ToPoint(a), ToPoint(b));
  }

  void Triangle(const DrawItem& item) {
    const QRect bounds = Bounds(item.a, item.b, item.c);
    if (!visible_.intersects(bounds.adjusted(0, 0, 1, 1))) return;
    const QPoint origin = bounds.topLeft();
    const QPoint corners[3] = {ToPoint(item.a) - origin, ToPoint(item.b) - origin,
                               ToPoint(item.c) - origin};
    auto paint = [&](QPainter& painter) {
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.setPen(SolidPen(item.pen));
      painter.setBrush(QColor(ToRgb(item.brush)));
      painter.drawPolygon(corners, 3);
    };
    if (bounds.width() > kMaxTriangleSprite || bounds.height() > kMaxTriangleSprite) {
      painter_.save();
      painter_.translate(origin);
      paint(painter_);
      painter_.restore();
      state_.Reset();
      return;
    }
    std::string key(1, 'T');
    for (const QPoint& p : corners) {
      key.push_back(static_cast<char>(p.x()));
      key.push_back(static_cast<char>(p.y()));
    }
    AppendBytes(key, item.pen, 3);
    AppendBytes(key, item.brush, 3);
    BlitSprite(pixels_,
               cache_.Find(key,
                           [&] {
                             QImage image = Transparent(bounds.size() + QSize(1, 1));
                             QPainter painter(&image);
                             paint(painter);
                             return image;
                           }),
               origin);
  }

  void Box(const DrawItem& item) {
    // Far edges excluded: a box from a to b covers a.x .. b.x - 1 and a.y .. b.y - 1.
    const int64_t w = int64_t{item.b.x} - item.a.x;
    const int64_t h = int64_t{item.b.y} - item.a.y;
    if (w < 1 || h < 1) return;
    const QRect box(item.a.x, item.a.y, static_cast<int>(std::min<int64_t>(w, INT32_MAX)),
                    static_cast<int>(std::min<int64_t>(h, INT32_MAX)));
    if (!visible_.intersects(box)) return;
    const bool round = item.kind == DrawKind::RoundRect && w >= 3 && h >= 3;
    auto paint = [&](QPainter& painter, QRect outline) {
      painter.setRenderHint(QPainter::Antialiasing, false);
      painter.setPen(SolidPen(item.pen));
      painter.setBrush(QColor(ToRgb(item.brush)));
      if (round)
        painter.drawRoundedRect(QRectF(outline), kCornerRadius, kCornerRadius);
      else
        painter.drawRect(outline);
    };
    if (w > kMaxSpriteSide || h > kMaxSpriteSide) {
      paint(painter_, box.adjusted(0, 0, -1, -1));
      state_.Reset();
      return;
    }
    std::string key(1, round ? 'R' : 'B');
    AppendBytes(key, static_cast<uint32_t>(w), 2);
    AppendBytes(key, static_cast<uint32_t>(h), 2);
    AppendBytes(key, item.pen, 3);
    AppendBytes(key, item.brush, 3);
    const QRect local(0, 0, box.width() - 1, box.height() - 1);
    BlitSprite(pixels_,
               cache_.Find(key,
                           [&] {
                             QImage image = Transparent(box.size());
                             QPainter painter(&image);
                             paint(painter, local);
                             return image;
                           }),
               box.topLeft());
  }

  void Text(const DisplayList& list, const DrawItem& item) {
    if (item.count == 0) return;
    // A name is at most a few thousand pixels wide: one centred far away is not drawn.
    if (!visible_.adjusted(-4096, -256, 4096, 256).contains(ToPoint(item.c))) return;
    const std::string_view utf8 = list.TextOf(item);
    std::string key(1, 'S');
    AppendBytes(key, item.pen, 3);
    key.append(utf8);
    const CanvasPictureCache::Sprite& sprite = cache_.Find(key, [&] {
      const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
      const QFontMetrics metrics(font_);
      QImage image = Transparent(QSize(std::clamp(metrics.horizontalAdvance(text), 1, 8192),
                                       std::max(1, metrics.height())));
      QPainter painter(&image);
      painter.setFont(font_);
      painter.setPen(QColor(ToRgb(item.pen)));
      painter.drawText(QPoint(0, metrics.ascent()), text);
      return image;
    });
    const QSize size = sprite.image.size();
    BlitSprite(pixels_, sprite, QPoint(item.c.x - size.width() / 2, item.c.y - size.height() / 2));
  }

  static QPen SolidPen(uint32_t color) {
    QPen pen(QColor(ToRgb(color)), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    return pen;
  }

  PixelTarget pixels_;
  QPainter& painter_;
  CanvasPictureCache& cache_;
  PenState state_;
  QFont font_;
  QRect visible_;
};

}  // namespace

void PaintDisplayList(const DisplayList& list, QImage& image, QPainter& painter,
                      CanvasPictureCache& cache) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  cache.UseFont(painter.font());
  ListPainter(image, painter, cache).Paint(list);
  cache.EndPicture();
}

bool PaintCanvasImage(const DisplayList& list, QImage& image, const QFont& font,
                      CanvasPictureCache& cache) {
  const QSize size = CanvasPictureSize(list.width, list.height);
  if (image.size() != size || image.isNull()) image = QImage(size, QImage::Format_RGB32);
  if (image.isNull()) return false;
  image.bits();  // detached before the painter takes the pixels
  QPainter painter(&image);
  painter.setFont(font);
  PaintDisplayList(list, image, painter, cache);
  return true;
}

}  // namespace brv3
