#pragma once

#include "core/motion/ServoBank.h"

namespace brv3::sim {

// The outputs are the same model the editor's preview plays on.
using brv3::IsServoPosition;
using brv3::Nanos;
using brv3::ServoBank;

}  // namespace brv3::sim
