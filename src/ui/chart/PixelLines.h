#pragma once

#include <QRgb>
#include <cstdint>

#include "core/chart/Chart.h"

class QImage;

namespace brv3 {

// Direct access to the pixels of a 32-bit picture, taken before a QPainter is opened on it.
struct PixelTarget {
  uchar* bits = nullptr;
  qsizetype stride = 0;
  int width = 0;
  int height = 0;
};
PixelTarget PixelsOf(QImage& image);

// A one-pixel line from a to b, b itself left out, stepping one pixel along the longer axis.
// Dotted lines run 3 pixels on, 3 off; `phase` carries the pattern on to the next segment of a
// polyline. Only the part inside the picture is walked, so any coordinates are cheap.
void DrawPixelLine(const PixelTarget& target, LinkPoint a, LinkPoint b, QRgb color, bool dotted,
                   int64_t& phase);

}  // namespace brv3
