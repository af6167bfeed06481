#pragma once

#include <string>
#include <vector>

#include "core/chart/Chart.h"
#include "core/motion/MotionChecks.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionPreview.h"
#include "core/robot/DisabledCollisions.h"
#include "core/robot/RobotModel.h"

namespace brv3::robot {

struct RobotCheckResult {
  std::vector<ChartWarning> warnings;
  std::vector<std::string> notes;  // what the check could not look at
};

// What a compiled motion does to a robot: joints driven beyond their limits at a pose step, and
// links hitting one another at a pose step or on the way between two steps as the board plays the
// motion (sampled at every board tick). A motion that drives none of the robot's channels gives
// nothing.
RobotCheckResult CheckRobotMotion(const RobotModel& model, const LinkPairSet& disabled,
                                  const Chart& chart, const MotionCompileResult& compiled,
                                  const PreviewSettings& settings = {});

}  // namespace brv3::robot
