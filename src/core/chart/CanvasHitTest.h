#pragma once

#include <cstdint>

#include "core/chart/Chart.h"

namespace brv3 {

// What lies under a canvas point. Where an object and a wire are both under the point the
// object wins and the wire fields stay -1.
struct CanvasHit {
  int32_t object = -1;   // `HitObject`
  int32_t link = -1;     // `HitLink`
  int32_t bend = -1;     // `HitBend`: index of the bend point hit, -1 for a segment
  int32_t segment = -1;  // `HitSegment`: number of bend points before the segment hit
  bool Nothing() const { return object < 0 && link < 0; }
  bool WireAtBend() const { return object < 0 && link >= 0 && bend >= 0; }
  bool WireAtSegment() const { return object < 0 && link >= 0 && segment >= 0; }
};

// The topmost object (highest index) whose rectangle holds the point, or -1.
int32_t HitObjectAt(const Chart& chart, int32_t x, int32_t y);

// Objects first; then bend points (wires from the highest index down), then, only when no bend
// point was hit, wire segments (wires from index 0 up, skipping wires with a dangling end).
CanvasHit HitTest(const Chart& chart, int32_t x, int32_t y);

// Midpoint of a segment, divisions truncating toward zero (also where the arrow sits).
LinkPoint SegmentMidpoint(LinkPoint s, LinkPoint e);

}  // namespace brv3
