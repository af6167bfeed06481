#pragma once

#include <QFont>
#include <QPalette>
#include <QSize>
#include <QStaticText>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/chart/CanvasDrawing.h"

class QImage;
class QPainter;

namespace brv3 {

// A palette whose system colour codes (0x80000005 window, 0x8000000D highlight, ...) follow the
// application palette.
CanvasPalette QtCanvasPalette(const QPalette& palette);

// Laid-out object names kept from one redraw to the next: names rarely change between redraws,
// and laying out text is the dearest part of painting a big chart.
class CanvasTextCache {
 public:
  const QStaticText& Get(std::string_view utf8, const QFont& font);
  // Called once per painted picture; drops the names that were not used lately.
  void EndPicture();
  size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    QStaticText text;
    uint32_t lastUse = 0;
  };
  std::unordered_map<std::string, Entry> entries_;
  QFont font_;
  uint32_t picture_ = 1;
  size_t usedThisPicture_ = 0;
};

// Paints a display list with `painter` (set up on a picture of the list's size, with the font
// for the names).
void PaintDisplayList(const DisplayList& list, QPainter& painter, CanvasTextCache& texts);

// The size of the picture for a canvas: each side 1 .. 32000, and a canvas of more than 40
// million pixels cut down in height so that its picture stays within memory.
QSize CanvasPictureSize(int32_t width, int32_t height);

// Paints the whole list into `image`, which is made CanvasPictureSize of the list's size.
// False when no picture of that size could be had (the image is then null).
bool PaintCanvasImage(const DisplayList& list, QImage& image, const QFont& font,
                      CanvasTextCache& texts);

}  // namespace brv3
