#pragma once

#include <cstdint>
#include <vector>

#include "core/chart/Chart.h"

namespace brv3::test {

// A motion of the test arm: one Position object per entry of `poses` (CH1 shoulder, CH2 elbow;
// the other channels at the centre), wired in order from the Start object, each moving for
// `speed` board ticks.
inline Chart ArmMotion(const std::vector<std::pair<uint16_t, uint16_t>>& poses,
                       uint8_t speed = 30) {
  Chart chart;
  for (size_t i = 0; i < poses.size(); ++i) {
    const int o = chart.PlaceObject(20 + 160 * static_cast<int>(i), 40, kPosition);
    ChartObject& object = chart.Objects[static_cast<size_t>(o)];
    object.Head = speed;
    object.Values.fill(16384);
    object.Values[0] = poses[i].first;
    object.Values[1] = poses[i].second;
    if (i > 0) {
      ChartLink& link = chart.Links.emplace_back();
      link.Origin = o - 1;
      link.Final = o;
    }
  }
  chart.Start = 0;
  return chart;
}

}  // namespace brv3::test
