#pragma once

#include <algorithm>
#include <cstdint>

#include "core/chart/Chart.h"

namespace brv3 {

// The snapping grid of the canvas (`GridSw` and its spacing). Nothing of it is drawn.
class CanvasGrid {
 public:
  bool On() const { return on_; }
  void SetOn(bool on) { on_ = on; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // A spacing below 2 becomes 2.
  void SetSpacing(int32_t width, int32_t height) {
    width_ = std::max<int32_t>(2, width);
    height_ = std::max<int32_t>(2, height);
  }

  // With the grid on, (GW * (x div GW) + GW div 2, GH * (y div GH) + GH div 2), divisions
  // truncating toward zero; with the grid off the point itself.
  LinkPoint Snap(LinkPoint p) const {
    if (!on_) return p;
    return {SnapCoordinate(p.x, width_), SnapCoordinate(p.y, height_)};
  }

 private:
  static int32_t SnapCoordinate(int32_t v, int32_t step) {
    return static_cast<int32_t>(int64_t{step} * (v / step) + step / 2);
  }

  bool on_ = false;
  int32_t width_ = 5;
  int32_t height_ = 5;
};

}  // namespace brv3
