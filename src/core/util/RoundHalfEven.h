#pragma once

#include <cmath>
#include <cstdint>

namespace brv3 {

// Rounds to the nearest integer; halves go to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
inline int64_t RoundHalfEven(double x) {
  double r = std::round(x);  // halves away from zero
  if (std::fabs(x - std::trunc(x)) == 0.5) r = 2.0 * std::round(x / 2.0);
  return static_cast<int64_t>(r);
}

}  // namespace brv3
