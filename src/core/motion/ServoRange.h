#pragma once

#include <cstdint>

#include "core/motion/ChannelWord.h"

namespace brv3 {

constexpr int32_t kPulseServoMaximum = 17074;
constexpr int32_t kSerialServoMaximum = 24384;

// The position slider range of a channel. Ranges lie symmetrically about kPositionCenter.
struct ServoRange {
  int32_t minimum;
  int32_t maximum;

  bool IsSerialServo() const { return maximum == kSerialServoMaximum; }
  bool IsPulseServo() const { return maximum == kPulseServoMaximum; }
  bool operator==(const ServoRange&) const = default;
};

constexpr ServoRange kPulseServoRange{2 * kPositionCenter - kPulseServoMaximum, kPulseServoMaximum};
constexpr ServoRange kSerialServoRange{2 * kPositionCenter - kSerialServoMaximum,
                                       kSerialServoMaximum};

// The range whose maximum is `maximum`.
constexpr ServoRange ServoRangeForMaximum(int32_t maximum) {
  return {2 * kPositionCenter - maximum, maximum};
}

}  // namespace brv3
