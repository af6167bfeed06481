#include "ui/chart/CanvasPainter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "platform/LargeBlock.h"
#include "platform/WorkerPool.h"
#include "ui/chart/BgrColor.h"
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

QPoint ToPoint(LinkPoint p) {
  return QPoint(p.x, p.y);
}

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
  sprite.bits = sprite.image.constBits();
  sprite.stride = sprite.image.bytesPerLine();
  sprite.width = sprite.image.width();
  sprite.height = sprite.image.height();
  sprite.runs.clear();
  sprite.rowRuns.assign(1, 0);
  for (int y = 0; y < sprite.height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(sprite.image.constScanLine(y));
    for (int x = 0; x < sprite.width;) {
      if (qAlpha(row[x]) == 0) {
        ++x;
        continue;
      }
      Run run{x, x, true};
      for (; x < sprite.width && qAlpha(row[x]) != 0; ++x) run.opaque &= qAlpha(row[x]) == 255;
      run.last = x;
      sprite.runs.push_back(run);
    }
    sprite.rowRuns.push_back(static_cast<uint32_t>(sprite.runs.size()));
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
  const int64_t left = topLeft.x(), top = topLeft.y();
  const int x0 = static_cast<int>(std::clamp<int64_t>(left, 0, target.width));
  const int x1 = static_cast<int>(std::clamp<int64_t>(left + sprite.width, x0, target.width));
  const int y0 = static_cast<int>(std::clamp<int64_t>(top, 0, target.height));
  const int y1 = static_cast<int>(std::clamp<int64_t>(top + sprite.height, y0, target.height));
  const uchar* bits = sprite.bits;
  const qsizetype stride = sprite.stride;
  for (int y = y0; y < y1; ++y) {
    const int sy = static_cast<int>(y - top);
    const QRgb* source = reinterpret_cast<const QRgb*>(bits + sy * stride);
    QRgb* row = reinterpret_cast<QRgb*>(target.bits + y * target.stride);
    const uint32_t end = sprite.rowRuns[static_cast<size_t>(sy) + 1];
    for (uint32_t r = sprite.rowRuns[static_cast<size_t>(sy)]; r < end; ++r) {
      const CanvasPictureCache::Run& run = sprite.runs[r];
      const int first = static_cast<int>(std::clamp<int64_t>(left + run.first, x0, x1));
      const int last = static_cast<int>(std::clamp<int64_t>(left + run.last, first, x1));
      if (run.opaque) {
        std::memcpy(row + first, source + (first - left),
                    sizeof(QRgb) * static_cast<size_t>(last - first));
      } else {
        for (int x = first; x < last; ++x) row[x] = BlendOver(source[x - left], row[x]);
      }
    }
  }
}

CanvasPictureCache::Entry& CanvasPictureCache::UseAt(size_t index, std::string&& key) {
  if (index < memo_.size() && memo_[index].entry && memo_[index].key == key) {
    Entry& entry = *memo_[index].entry;
    if (entry.lastUse != picture_) {
      entry.lastUse = picture_;
      ++usedThisPicture_;
    }
    return entry;
  }
  Entry& entry = Use(key);
  if (memo_.size() <= index) memo_.resize(index + 1);
  memo_[index] = {std::move(key), &entry};
  return entry;
}

void CanvasPictureCache::UseFont(const QFont& font) {
  if (font == font_) return;
  entries_.clear();
  memo_.clear();
  font_ = font;
}

void CanvasPictureCache::EndPicture() {
  // Sprites unused in the last picture go once they outnumber the used ones by far.
  if (entries_.size() > 2 * usedThisPicture_ + 256) {
    std::erase_if(entries_, [this](const auto& item) { return item.second.lastUse != picture_; });
    memo_.clear();
  }
  ++picture_;
  usedThisPicture_ = 0;
}

namespace {

// Shapes bigger than this are painted directly rather than kept.
constexpr int kMaxSpriteSide = 512;
constexpr int kMaxTriangleSprite = 64;
// Pictures with fewer pixels than this are painted by one thread: starting more costs more than
// it saves.
constexpr int64_t kBandMinPixels = 1'000'000;
constexpr int kMaxThreads = 4;
// The picture is painted in bands of this many rows, each item only in the bands it reaches: a
// band's rows stay in the processor's cache from the background fill to the last name, and the
// threads take the next band left when done, so crowded rows do not hold one thread up.
constexpr int kDefaultBandRows = 64;

QImage Transparent(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void AppendBytes(std::string& key, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) key.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

QPen SolidPen(uint32_t color) {
  QPen pen(QColor(ToRgb(color)), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  pen.setCosmetic(true);
  return pen;
}

// Where an item lands: a kept sprite, the painter (shapes too big to keep), or nowhere.
struct Placement {
  enum class Way : uint8_t { Direct, Sprite, Painter, Skip };
  Way way = Way::Direct;
  const CanvasPictureCache::Sprite* sprite = nullptr;
  QPoint topLeft;
  int rows = 0;  // a sprite's height, kept here so that bands pass by without touching it
};

bool RoundBox(const DrawItem& item) {
  return item.kind == DrawKind::RoundRect && int64_t{item.b.x} - item.a.x >= 3 &&
         int64_t{item.b.y} - item.a.y >= 3;
}

void PaintTriangle(QPainter& painter, const DrawItem& item, QPoint origin) {
  const QPoint corners[3] = {ToPoint(item.a) - origin, ToPoint(item.b) - origin,
                             ToPoint(item.c) - origin};
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(SolidPen(item.pen));
  painter.setBrush(QColor(ToRgb(item.brush)));
  painter.drawPolygon(corners, 3);
}

void PaintBox(QPainter& painter, const DrawItem& item, QRect outline) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(SolidPen(item.pen));
  painter.setBrush(QColor(ToRgb(item.brush)));
  if (RoundBox(item))
    painter.drawRoundedRect(QRectF(outline), kCornerRadius, kCornerRadius);
  else
    painter.drawRect(outline);
}

// A box from a to b covers a.x .. b.x - 1 and a.y .. b.y - 1; empty when either side is < 1.
QRect BoxRect(const DrawItem& item) {
  const int64_t w = int64_t{item.b.x} - item.a.x;
  const int64_t h = int64_t{item.b.y} - item.a.y;
  if (w < 1 || h < 1) return {};
  return QRect(item.a.x, item.a.y, static_cast<int>(std::min<int64_t>(w, INT32_MAX)),
               static_cast<int>(std::min<int64_t>(h, INT32_MAX)));
}

// First pass, on the calling thread: finds or makes the sprite of every box, arrow and name.
class SpriteFinder {
 public:
  SpriteFinder(CanvasPictureCache& cache, const QFont& font, QRect visible)
      : cache_(cache), font_(font), visible_(visible.adjusted(-2, -2, 2, 2)) {}

  std::vector<Placement> Place(const DisplayList& list) {
    std::vector<Placement> placements(list.items.size());
    for (size_t i = 0; i < list.items.size(); ++i) {
      const DrawItem& item = list.items[i];
      Placement& place = placements[i];
      switch (item.kind) {
        case DrawKind::Triangle:
          Triangle(i, item, place);
          break;
        case DrawKind::Rect:
        case DrawKind::RoundRect:
          Box(i, item, place);
          break;
        case DrawKind::Text:
          Text(i, list, item, place);
          break;
        default:
          break;
      }
      if (place.sprite) place.rows = place.sprite->height;
    }
    return placements;
  }

 private:
  void Triangle(size_t index, const DrawItem& item, Placement& place) {
    const QRect bounds = Bounds(item.a, item.b, item.c);
    place.topLeft = bounds.topLeft();
    if (!visible_.intersects(bounds.adjusted(0, 0, 1, 1))) {
      place.way = Placement::Way::Skip;
      return;
    }
    if (bounds.width() > kMaxTriangleSprite || bounds.height() > kMaxTriangleSprite) {
      place.way = Placement::Way::Painter;
      return;
    }
    std::string key(1, 'T');
    for (LinkPoint p : {item.a, item.b, item.c}) {
      key.push_back(static_cast<char>(p.x - bounds.left()));
      key.push_back(static_cast<char>(p.y - bounds.top()));
    }
    AppendBytes(key, item.pen, 3);
    AppendBytes(key, item.brush, 3);
    place.way = Placement::Way::Sprite;
    place.sprite = &cache_.FindAt(index, std::move(key), [&] {
      QImage image = Transparent(bounds.size() + QSize(1, 1));
      QPainter painter(&image);
      PaintTriangle(painter, item, bounds.topLeft());
      return image;
    });
  }

  void Box(size_t index, const DrawItem& item, Placement& place) {
    const QRect box = BoxRect(item);
    place.topLeft = box.topLeft();
    if (box.isEmpty() || !visible_.intersects(box)) {
      place.way = Placement::Way::Skip;
      return;
    }
    if (box.width() > kMaxSpriteSide || box.height() > kMaxSpriteSide) {
      place.way = Placement::Way::Painter;
      return;
    }
    std::string key(1, RoundBox(item) ? 'R' : 'B');
    AppendBytes(key, static_cast<uint32_t>(box.width()), 2);
    AppendBytes(key, static_cast<uint32_t>(box.height()), 2);
    AppendBytes(key, item.pen, 3);
    AppendBytes(key, item.brush, 3);
    place.way = Placement::Way::Sprite;
    place.sprite = &cache_.FindAt(index, std::move(key), [&] {
      QImage image = Transparent(box.size());
      QPainter painter(&image);
      PaintBox(painter, item, QRect(0, 0, box.width() - 1, box.height() - 1));
      return image;
    });
  }

  void Text(size_t index, const DisplayList& list, const DrawItem& item, Placement& place) {
    // A name is at most a few thousand pixels wide: one centred far away is not drawn.
    if (item.count == 0 || !visible_.adjusted(-4096, -256, 4096, 256).contains(ToPoint(item.c))) {
      place.way = Placement::Way::Skip;
      return;
    }
    const std::string_view utf8 = list.TextOf(item);
    std::string key(1, 'S');
    AppendBytes(key, item.pen, 3);
    key.append(utf8);
    const CanvasPictureCache::Sprite& sprite = cache_.FindAt(index, std::move(key), [&] {
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
    const QSize size(sprite.width, sprite.height);
    place.way = Placement::Way::Sprite;
    place.sprite = &sprite;
    place.topLeft = QPoint(item.c.x - size.width() / 2, item.c.y - size.height() / 2);
  }

  CanvasPictureCache& cache_;
  const QFont& font_;
  QRect visible_;
};

// Second pass: paints rows top .. bottom - 1, columns left .. right - 1 of the picture, touching
// no pixel outside them, so that several bands can be painted at once. Items are painted in list
// order.
class BandPainter {
 public:
  // `picture` is taken on the calling thread: asking the shared image for its pixels from
  // several threads at once would race inside it.
  BandPainter(const PixelTarget& picture, QImage::Format format, int top, int bottom, int left,
              int right)
      : top_(top),
        bottom_(bottom),
        left_(left),
        band_(picture.bits + qsizetype{top} * picture.stride + qsizetype{left} * 4, right - left,
              bottom - top, picture.stride, format),
        pixels_(PixelsOf(band_)) {}

  // Paints the items at `indices` (in list order) that reach this band.
  void Paint(const DisplayList& list, const std::vector<Placement>& placements,
             const std::vector<uint32_t>& indices) {
    for (const uint32_t i : indices) {
      const DrawItem& item = list.items[i];
      const Placement& place = placements[i];
      switch (place.way) {
        case Placement::Way::Skip:
          continue;
        case Placement::Way::Sprite:
          if (!OutsideRows(place.topLeft.y(), int64_t{place.topLeft.y()} + place.rows - 1))
            BlitSprite(pixels_, *place.sprite, place.topLeft - QPoint(left_, top_));
          continue;
        case Placement::Way::Painter:
          PaintShape(item, place.topLeft);
          continue;
        case Placement::Way::Direct:
          break;
      }
      switch (item.kind) {
        case DrawKind::Background:
          Fill(QRect(ToPoint(item.a), ToPoint(item.b)).normalized().adjusted(0, 0, -1, -1),
               ToRgb(item.brush) | 0xFF000000u);
          break;
        case DrawKind::Line: {
          int64_t phase = 0;
          Line(item, item.a, item.b, phase);
          break;
        }
        case DrawKind::Polyline: {
          if (item.count == 0 || size_t{item.first} + item.count > list.points.size()) break;
          int64_t phase = 0;
          for (uint32_t k = 1; k < item.count; ++k)
            Line(item, list.points[item.first + k - 1], list.points[item.first + k], phase);
          break;
        }
        default:
          break;
      }
    }
  }

 private:
  bool OutsideRows(int64_t first, int64_t last) const { return last < top_ || first >= bottom_; }

  void Fill(QRect rect, QRgb color) {
    const QRect inside = rect.intersected(QRect(left_, top_, pixels_.width, bottom_ - top_));
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(pixels_.bits + qsizetype{y - top_} * pixels_.stride);
      std::fill_n(row + (inside.left() - left_), inside.width(), color);
    }
  }

  // A line `penWidth` pixels wide is that many one-pixel lines side by side across its longer
  // axis, all with the same dot pattern.
  void Line(const DrawItem& item, LinkPoint a, LinkPoint b, int64_t& phase) {
    const int width = std::max<int>(item.penWidth, 1);
    const bool xMajor = std::llabs(int64_t{b.x} - a.x) >= std::llabs(int64_t{b.y} - a.y);
    const int64_t reach = xMajor ? width / 2 : 0;
    const int64_t start = phase;
    if (OutsideRows(int64_t{std::min(a.y, b.y)} - reach, int64_t{std::max(a.y, b.y)} + reach)) {
      // Wholly above or below the band: only the dot pattern moves on.
      phase += std::max(std::llabs(int64_t{b.x} - a.x), std::llabs(int64_t{b.y} - a.y));
      return;
    }
    const QRgb color = ToRgb(item.pen) | 0xFF000000u;
    for (int k = -(width - 1) / 2; k <= width / 2; ++k) {
      phase = start;
      const int32_t dx = xMajor ? 0 : k, dy = xMajor ? k : 0;
      DrawPixelLine(pixels_, Shifted(a, dx, dy), Shifted(b, dx, dy), color,
                    item.style == PenStyle::Dotted, phase);
    }
  }

  void PaintShape(const DrawItem& item, QPoint origin) {
    if (item.kind == DrawKind::Triangle) {
      const QRect bounds = Bounds(item.a, item.b, item.c);
      if (OutsideRows(bounds.top(), int64_t{bounds.bottom()} + 1)) return;
      QPainter& painter = Painter();
      painter.save();
      painter.translate(origin);
      PaintTriangle(painter, item, origin);
      painter.restore();
      return;
    }
    const QRect box = BoxRect(item);
    if (OutsideRows(box.top(), int64_t{box.top()} + box.height() - 1)) return;
    PaintBox(Painter(), item, box.adjusted(0, 0, -1, -1));
  }

  // In band coordinates, moved by (dx, dy).
  LinkPoint Shifted(LinkPoint p, int32_t dx, int32_t dy) const {
    const auto clamp = [](int64_t v) {
      return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {clamp(int64_t{p.x} + dx - left_), clamp(int64_t{p.y} + dy - top_)};
  }

  // Opened only for the rare shapes it draws, in picture coordinates.
  QPainter& Painter() {
    if (!painter_) {
      painter_.emplace(&band_);
      painter_->translate(-left_, -top_);
    }
    return *painter_;
  }

  int top_;
  int bottom_;
  int left_;
  QImage band_;  // the band's part of the picture, not a copy
  PixelTarget pixels_;
  std::optional<QPainter> painter_;
};

// The rows an item may touch, first and last; empty (first > last) for none.
std::pair<int64_t, int64_t> ItemRows(const DisplayList& list, const DrawItem& item,
                                     const Placement& place) {
  constexpr std::pair<int64_t, int64_t> kNone{1, 0};
  switch (place.way) {
    case Placement::Way::Skip:
      return kNone;
    case Placement::Way::Sprite:
      return {place.topLeft.y(), int64_t{place.topLeft.y()} + place.rows - 1};
    case Placement::Way::Painter:
      if (item.kind == DrawKind::Triangle) {
        const QRect bounds = Bounds(item.a, item.b, item.c);
        return {bounds.top(), int64_t{bounds.bottom()} + 1};
      } else {
        const QRect box = BoxRect(item);
        return {box.top(), int64_t{box.top()} + box.height() - 1};
      }
    case Placement::Way::Direct:
      break;
  }
  const int64_t reach = std::max<int>(item.penWidth, 1) / 2;
  switch (item.kind) {
    case DrawKind::Background:
      return {std::min(item.a.y, item.b.y), std::max(item.a.y, item.b.y)};
    case DrawKind::Line:
      return {int64_t{std::min(item.a.y, item.b.y)} - reach,
              int64_t{std::max(item.a.y, item.b.y)} + reach};
    case DrawKind::Polyline: {
      if (item.count == 0 || size_t{item.first} + item.count > list.points.size()) return kNone;
      int64_t first = INT64_MAX, last = INT64_MIN;
      for (uint32_t k = 0; k < item.count; ++k) {
        first = std::min<int64_t>(first, list.points[item.first + k].y);
        last = std::max<int64_t>(last, list.points[item.first + k].y);
      }
      return {first - reach, last + reach};
    }
    default:
      return kNone;
  }
}

// Whether a line, wire or background painted directly lies wholly left or right of columns
// left .. right - 1.
bool OutsideColumns(const DisplayList& list, const DrawItem& item, const Placement& place, int left,
                    int right) {
  if (place.way != Placement::Way::Direct) return false;
  const int64_t reach = std::max<int>(item.penWidth, 1) / 2;
  int64_t first = INT64_MAX, last = INT64_MIN;
  switch (item.kind) {
    case DrawKind::Background:
    case DrawKind::Line:
      first = std::min(item.a.x, item.b.x);
      last = std::max(item.a.x, item.b.x);
      break;
    case DrawKind::Polyline:
      if (item.count == 0 || size_t{item.first} + item.count > list.points.size()) return true;
      for (uint32_t k = 0; k < item.count; ++k) {
        first = std::min<int64_t>(first, list.points[item.first + k].x);
        last = std::max<int64_t>(last, list.points[item.first + k].x);
      }
      break;
    default:
      return false;
  }
  return last + reach < left || first - reach >= right;
}

// For each band of `bandRows` rows of `area`, the indices of the items that reach it, in list
// order.
std::vector<std::vector<uint32_t>> SortIntoBands(const DisplayList& list,
                                                 const std::vector<Placement>& placements,
                                                 QRect area, int bandRows) {
  const int64_t top = area.top(), bottom = int64_t{area.top()} + area.height();
  const int64_t count = std::max((bottom - top + bandRows - 1) / bandRows, int64_t{1});
  std::vector<std::vector<uint32_t>> bands(static_cast<size_t>(count));
  const int right = area.left() + area.width();
  for (size_t i = 0; i < list.items.size(); ++i) {
    const auto [first, last] = ItemRows(list, list.items[i], placements[i]);
    if (first > last || last < top || first >= bottom) continue;
    if (OutsideColumns(list, list.items[i], placements[i], area.left(), right)) continue;
    const int64_t from = (std::max<int64_t>(first, top) - top) / bandRows;
    const int64_t to = (std::min<int64_t>(last, bottom - 1) - top) / bandRows;
    for (int64_t b = from; b <= to; ++b)
      bands[static_cast<size_t>(b)].push_back(static_cast<uint32_t>(i));
  }
  return bands;
}

int ThreadCount(QRect area) {
  if (int64_t{area.width()} * area.height() < kBandMinPixels) return 1;
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxThreads);
}

// The threads that paint bands beside the calling thread, started at the first picture that
// wants them and kept.
platform::WorkerPool& BandWorkers() {
  static platform::WorkerPool pool(kMaxThreads - 1);
  return pool;
}

}  // namespace

void PaintDisplayArea(const DisplayList& list, QImage& image, const QFont& font,
                      CanvasPictureCache& cache, QRect area, int threads, int bandRows) {
  if (image.isNull() || image.depth() != 32) return;
  area = area.intersected(image.rect());
  if (area.isEmpty()) return;
  cache.UseFont(font);
  const std::vector<Placement> placements = SpriteFinder(cache, font, area).Place(list);
  const PixelTarget picture = PixelsOf(image);  // detached before the bands share its pixels
  const QImage::Format format = image.format();
  if (threads <= 0) threads = ThreadCount(area);
  if (bandRows <= 0) bandRows = kDefaultBandRows;
  const std::vector<std::vector<uint32_t>> bands = SortIntoBands(list, placements, area, bandRows);
  const int64_t end = int64_t{area.top()} + area.height();
  const int left = area.left(), right = area.left() + area.width();
  std::atomic<size_t> nextBand{0};
  const std::function<void()> paintBands = [&] {
    for (size_t b; (b = nextBand.fetch_add(1)) < bands.size();) {
      const int top = static_cast<int>(
          std::min<int64_t>(area.top() + int64_t{bandRows} * static_cast<int64_t>(b), end));
      const int bottom = static_cast<int>(std::min<int64_t>(int64_t{top} + bandRows, end));
      BandPainter(picture, format, top, bottom, left, right).Paint(list, placements, bands[b]);
    }
  };
  threads = std::min<int>(threads, static_cast<int>(bands.size()));
  if (threads <= 1)
    paintBands();
  else
    BandWorkers().Run(paintBands, threads);
}

void PaintDisplayList(const DisplayList& list, QImage& image, const QFont& font,
                      CanvasPictureCache& cache, int threads, int bandRows) {
  if (image.isNull() || image.depth() != 32) return;
  PaintDisplayArea(list, image, font, cache, image.rect(), threads, bandRows);
  cache.EndPicture();
}

namespace {

void ReleasePicture(void* block) {
  delete static_cast<platform::LargeBlock*>(block);
}

// A picture of many pixels lives in memory advised for huge pages (see LargeBlock); small
// pictures come from QImage itself.
QImage NewPicture(QSize size) {
  const qsizetype stride = qsizetype{size.width()} * 4;
  const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(size.height());
  if (bytes < 2 * platform::LargeBlock::kAlignment) return QImage(size, QImage::Format_RGB32);
  std::unique_ptr<platform::LargeBlock> block = platform::LargeBlock::Allocate(bytes);
  if (!block) return QImage(size, QImage::Format_RGB32);
  platform::LargeBlock* memory = block.release();
  QImage image(memory->Data(), size.width(), size.height(), stride, QImage::Format_RGB32,
               ReleasePicture, memory);
  if (image.isNull()) ReleasePicture(memory);
  return image;
}

}  // namespace

bool PrepareCanvasImage(const DisplayList& list, QImage& image) {
  const QSize size = CanvasPictureSize(list.width, list.height);
  if (image.size() != size || image.isNull()) {
    image = QImage();  // the old picture goes first: two of them may not fit
    image = NewPicture(size);
  }
  return !image.isNull();
}

}  // namespace brv3
