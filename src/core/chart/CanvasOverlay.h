#pragma once

#include <vector>

#include "core/chart/Chart.h"

namespace brv3 {

// The interaction state of the canvas editor that the drawing reads.
struct CanvasOverlay {
  bool RubberBand = false;
  LinkPoint PressPoint;
  LinkPoint LastPoint;
  bool Wiring = false;
  const std::vector<LinkPoint>* WirePoints = nullptr;  // wire in progress, first = origin centre
};

}  // namespace brv3
