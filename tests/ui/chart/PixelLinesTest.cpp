#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <random>

#include "ui/chart/PixelLines.h"

namespace brv3 {
namespace {

constexpr QRgb kInk = 0xFF102030;

// Step by step over the whole line, without any clipping arithmetic.
void ReferenceLine(QImage& image, LinkPoint a, LinkPoint b, bool dotted, int64_t& phase) {
  const int64_t dx = int64_t{b.x} - a.x, dy = int64_t{b.y} - a.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t steps = xMajor ? std::llabs(dx) : std::llabs(dy);
  const int64_t run = xMajor ? std::llabs(dy) : std::llabs(dx);
  for (int64_t t = 0; t < steps; ++t) {
    const int64_t q = (2 * t * run + steps) / (2 * steps);
    const int64_t x = xMajor ? a.x + (dx > 0 ? t : -t) : a.x + (dx >= 0 ? q : -q);
    const int64_t y = xMajor ? a.y + (dy >= 0 ? q : -q) : a.y + (dy > 0 ? t : -t);
    if (dotted && (phase + t) % 6 >= 3) continue;
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
      image.setPixel(static_cast<int>(x), static_cast<int>(y), kInk);
  }
  phase += steps;
}

QImage Blank() {
  QImage image(100, 80, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

TEST(PixelLinesTest, ClippedLinesMatchTheStepByStepLine) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> coordinate(-300, 300);
  for (int i = 0; i < 3000; ++i) {
    const LinkPoint a{coordinate(random), coordinate(random)};
    const LinkPoint b{coordinate(random), coordinate(random)};
    const bool dotted = i % 3 == 0;
    QImage fast = Blank(), slow = Blank();
    int64_t fastPhase = i % 5, slowPhase = i % 5;
    PixelTarget target = PixelsOf(fast);
    DrawPixelLine(target, a, b, kInk, dotted, fastPhase);
    ReferenceLine(slow, a, b, dotted, slowPhase);
    ASSERT_EQ(fast, slow) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    EXPECT_EQ(fastPhase, slowPhase);
  }
}

TEST(PixelLinesTest, FarCoordinatesAndTheEndPoint) {
  QImage image = Blank();
  int64_t phase = 0;
  PixelTarget target = PixelsOf(image);
  DrawPixelLine(target, {-2'000'000'000, 40}, {2'000'000'000, 40}, kInk, false, phase);
  for (int x = 0; x < 100; ++x) EXPECT_EQ(image.pixel(x, 40), kInk) << x;
  EXPECT_EQ(image.pixel(50, 39), qRgb(255, 255, 255));

  image = Blank();
  target = PixelsOf(image);
  DrawPixelLine(target, {-1'000'000'000, -1'000'000'000}, {1'000'000'000, 1'000'000'000}, kInk,
                false, phase);
  for (int i = 0; i < 80; ++i) EXPECT_EQ(image.pixel(i, i), kInk) << i;
  EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));

  // The end point is left out; a line of no length draws nothing.
  image = Blank();
  target = PixelsOf(image);
  DrawPixelLine(target, {10, 10}, {10, 20}, kInk, false, phase);
  EXPECT_EQ(image.pixel(10, 19), kInk);
  EXPECT_EQ(image.pixel(10, 20), qRgb(255, 255, 255));
  DrawPixelLine(target, {30, 30}, {30, 30}, kInk, false, phase);
  EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255));
  // Entirely outside: nothing, and no time spent walking it.
  image = Blank();
  target = PixelsOf(image);
  DrawPixelLine(target, {-2'000'000'000, -5}, {2'000'000'000, -2'000'000'000}, kInk, true, phase);
  EXPECT_EQ(image, Blank());
}

}  // namespace
}  // namespace brv3
