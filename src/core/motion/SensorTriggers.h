#pragma once

#include <array>

namespace brv3 {

// One sensor-interrupt trigger as the analog dialog holds it: the motion list's index (0 = no
// motion, k = board slot k - 1) and the threshold (-1023..1023).
struct SensorTrigger {
  int motion = 0;
  int threshold = 0;
  bool operator==(const SensorTrigger&) const = default;
};

// Trigger t = 2k + j belongs to analog input k (AD1..AD3), j = 0 for its first trigger.
constexpr int kSensorTriggerCount = 6;
using SensorTriggers = std::array<SensorTrigger, kSensorTriggerCount>;

}  // namespace brv3
