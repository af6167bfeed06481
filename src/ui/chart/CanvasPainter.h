#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/chart/CanvasDrawing.h"

namespace brv3 {

// A palette whose system colour codes (0x80000005 window, 0x8000000D highlight, ...) follow the
// application palette.
CanvasPalette QtCanvasPalette(const QPalette& palette);

// Small pictures kept from one redraw to the next: boxes, arrows and names drawn once and then
// only copied, since charts repeat few shapes and names rarely change between redraws.
class CanvasPictureCache {
 public:
  // A kept picture (premultiplied ARGB) with, for each row, its runs of pixels that are not
  // fully transparent: runs of fully opaque pixels are copied, the others blended, and the
  // transparent pixels between them (most of a name) are not looked at.
  struct Run {
    int first = 0, last = 0;  // pixels first .. last - 1 of the row
    bool opaque = false;
  };
  struct Sprite {
    QImage image;
    std::vector<Run> runs;
    std::vector<uint32_t> rowRuns;  // row y's runs are runs[rowRuns[y] .. rowRuns[y + 1])
    // The image's pixels and size, read without a call into the image for every copy.
    const uchar* bits = nullptr;
    qsizetype stride = 0;
    int width = 0;
    int height = 0;
  };
  // The sprite for `key`; `make()` returns its picture when it is not kept yet.
  template <typename Make>
  const Sprite& Find(const std::string& key, Make&& make) {
    Entry& entry = Use(key);
    if (entry.sprite.image.isNull()) Prepare(entry.sprite, make());
    return entry.sprite;
  }
  // The same for the item at `index` of the display list: an item whose key is the one it had in
  // the last picture finds its sprite without a look-up, which spares most of a redraw's
  // look-ups when little changed.
  template <typename Make>
  const Sprite& FindAt(size_t index, std::string&& key, Make&& make) {
    Entry& entry = UseAt(index, std::move(key));
    if (entry.sprite.image.isNull()) Prepare(entry.sprite, make());
    return entry.sprite;
  }
  // Names are kept for one font: another font forgets everything.
  void UseFont(const QFont& font);
  // Called once per painted picture; drops the sprites that were not used lately.
  void EndPicture();
  size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    Sprite sprite;
    uint32_t lastUse = 0;
  };
  static void Prepare(Sprite& sprite, QImage image);
  Entry& Use(const std::string& key);
  Entry& UseAt(size_t index, std::string&& key);

  struct Memo {
    std::string key;
    Entry* entry = nullptr;  // entries are nodes: they stay put until erased
  };
  std::unordered_map<std::string, Entry> entries_;
  std::vector<Memo> memo_;  // by display-list index, from the pictures before
  QFont font_;
  uint32_t picture_ = 1;
  size_t usedThisPicture_ = 0;
};

struct PixelTarget;
// Puts a sprite onto the picture with its top-left corner at `topLeft`, clipped to the picture.
void BlitSprite(const PixelTarget& target, const CanvasPictureCache::Sprite& sprite,
                QPoint topLeft);

// Paints a display list onto `image` (32 bits per pixel, the list's size), names in `font`.
// Sprites are found first; then the picture is painted in bands of `bandRows` rows (0: the
// default), each with only the items that reach it, by `threads` threads at once (0: as many as
// the picture's size and the processor make worthwhile).
void PaintDisplayList(const DisplayList& list, QImage& image, const QFont& font,
                      CanvasPictureCache& cache, int threads = 0, int bandRows = 0);
// The same for only the pixels of `area` (picture coordinates), the rest of the picture left as
// it was: what a redraw of the visible part costs. The pixels are those a whole picture has
// there. Unlike PaintDisplayList it does not end the cache's picture: several areas may be
// painted from one display list.
void PaintDisplayArea(const DisplayList& list, QImage& image, const QFont& font,
                      CanvasPictureCache& cache, QRect area, int threads = 0, int bandRows = 0);

// The size of the picture for a canvas: each side 1 .. 32000, and a canvas of more than 40
// million pixels cut down in height so that its picture stays within memory.
QSize CanvasPictureSize(int32_t width, int32_t height);

// Makes `image` a picture of CanvasPictureSize of the list's size, keeping it when it has that
// size already (its pixels are then left as they are). False when none could be had.
bool PrepareCanvasImage(const DisplayList& list, QImage& image);

}  // namespace brv3
