#include "ui/chart/PixelLines.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>

namespace brv3 {

namespace {

__extension__ using Int128 = __int128;

constexpr int64_t kDotOn = 3;
constexpr int64_t kDotPeriod = 6;

}  // namespace

PixelTarget PixelsOf(QImage& image) {
  if (image.isNull() || image.depth() != 32) return {};
  return {image.bits(), image.bytesPerLine(), image.width(), image.height()};
}

void DrawPixelLine(const PixelTarget& target, LinkPoint a, LinkPoint b, QRgb color, bool dotted,
                   int64_t& phase) {
  const int64_t dx = int64_t{b.x} - a.x;
  const int64_t dy = int64_t{b.y} - a.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t steps = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (steps == 0 || !target.bits) return;
  const int64_t major0 = xMajor ? a.x : a.y;
  const int64_t minor0 = xMajor ? a.y : a.x;
  const int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int64_t minorStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  const int64_t minorRun = xMajor ? std::llabs(dy) : std::llabs(dx);
  const int64_t majorLimit = xMajor ? target.width : target.height;
  const int64_t minorLimit = xMajor ? target.height : target.width;

  // Steps t = 0 .. steps - 1 whose major coordinate lies in the picture.
  int64_t tFirst, tLast;
  if (majorStep > 0) {
    tFirst = std::max<int64_t>(0, -major0);
    tLast = std::min(steps - 1, majorLimit - 1 - major0);
  } else {
    tFirst = std::max<int64_t>(0, major0 - (majorLimit - 1));
    tLast = std::min(steps - 1, major0);
  }
  const int64_t minorEnd = minor0 + minorStep * minorRun;
  if (minorRun == 0) {
    // Straight along the major axis: the minor coordinate must lie in the picture.
    if (minor0 < 0 || minor0 >= minorLimit) tFirst = tLast + 1;
  } else if (minor0 >= 0 && minor0 < minorLimit && minorEnd >= 0 && minorEnd < minorLimit) {
    // Both ends inside across the minor axis, and so is every step between them.
  } else if (tFirst <= tLast) {
    // The minor offset at step t is q(t) = floor((2 t run + steps) / (2 steps)), rising with t.
    // Keep the steps whose minor coordinate lies in the picture as well.
    const int64_t qLow = minorStep > 0 ? -minor0 : minor0 - (minorLimit - 1);
    const int64_t qHigh = minorStep > 0 ? minorLimit - 1 - minor0 : minor0;
    const auto firstWith = [&](int64_t q) -> Int128 {  // least t with q(t) >= q
      const Int128 need = Int128{2} * steps * q - steps;
      if (need <= 0) return 0;
      return (need + 2 * minorRun - 1) / (2 * minorRun);
    };
    const Int128 low = firstWith(qLow);
    const Int128 high = firstWith(qHigh + 1) - 1;
    if (low > tFirst) tFirst = low > tLast ? tLast + 1 : static_cast<int64_t>(low);
    if (high < tLast) tLast = high < tFirst ? tFirst - 1 : static_cast<int64_t>(high);
  }
  if (tFirst <= tLast) {
    const int64_t twoSteps = 2 * steps;
    int64_t q, r;
    if (tFirst < (int64_t{1} << 30) && minorRun < (int64_t{1} << 31)) {
      const int64_t start = 2 * tFirst * minorRun + steps;  // fits: the usual case
      q = start / twoSteps;
      r = start % twoSteps;
    } else {
      const Int128 start = Int128{2} * tFirst * minorRun + steps;
      q = static_cast<int64_t>(start / twoSteps);
      r = static_cast<int64_t>(start % twoSteps);
    }
    const int64_t major = major0 + majorStep * tFirst;
    const int64_t minor = minor0 + minorStep * q;
    const int64_t x = xMajor ? major : minor;
    const int64_t y = xMajor ? minor : major;
    const qsizetype stride = target.stride / qsizetype{sizeof(QRgb)};
    QRgb* pixel = reinterpret_cast<QRgb*>(target.bits) + y * stride + x;
    const qsizetype majorDelta = xMajor ? majorStep : majorStep * stride;
    const qsizetype minorDelta = xMajor ? minorStep * stride : minorStep;
    const int64_t run2 = 2 * minorRun;
    int64_t dot = (phase + tFirst) % kDotPeriod;
    for (int64_t t = tFirst; t <= tLast; ++t) {
      if (!dotted || dot < kDotOn) *pixel = color;
      if (++dot == kDotPeriod) dot = 0;
      pixel += majorDelta;
      r += run2;
      if (r >= twoSteps) {
        r -= twoSteps;
        pixel += minorDelta;
      }
    }
  }
  phase += steps;
}

}  // namespace brv3
