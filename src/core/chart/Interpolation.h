#pragma once

#include <cstdint>

#include "core/chart/Chart.h"

namespace brv3 {

class Prompter;

constexpr int kMaxInsertCount = 1000;

// The pair Insert works between, found from the selection.
struct InsertPair {
  int32_t b = -1;  // the object the new chain starts from
  int32_t d = -1;  // the object it ends at
  bool linked = false;
};

// The pair for Insert, or b = -1 when Insert does nothing: a scenario chart, not exactly two
// selected objects, more than two selected wires, or one selected wire joining neither way.
InsertPair FindInsertPair(const Chart& chart);

// x = q / (n + 1) as a single-precision float, the fraction of the way from b to d.
float InsertFraction(int q, int n);

// from - nearest((from - to) * x), halves to the even neighbour.
int32_t InterpolateValue(int32_t from, int32_t to, float x);

// Inserts `n` Position objects between the pair: positions and servo words (channels whose two
// words lie in 1..32768) interpolated, the others 0, speed 100. A linked pair loses its selected
// wires and gets a flow wire chain b -> new ... -> d, the new objects and d taking b's speed
// divided by n + 1 (at least 1). Returns the index of the first new object, -1 when none.
int InsertInterpolatedObjects(Chart& chart, const InsertPair& pair, int n);

// The Insert command: checks the selection, asks "Number of new objects" and inserts. False when
// nothing changed.
bool InsertCommand(Chart& chart, Prompter& prompter);

}  // namespace brv3
