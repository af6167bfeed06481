#pragma once

#include <optional>
#include <stop_token>
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
  bool stopped = false;            // the check was stopped before its end; warnings are partial
};

// A robot model with the link pairs the semantic file beside it leaves out of the collision check.
struct CheckedRobot {
  RobotModel model;
  LinkPairSet disabled;
};

struct CheckedRobotLoadResult {
  std::optional<CheckedRobot> robot;
  std::string error;  // set when robot is empty: file, line where known, what is wrong
};

// Reads a robot description and the semantic file beside it (when there is one).
CheckedRobotLoadResult LoadCheckedRobot(const std::string& path);

// What a compiled motion does to a robot: joints driven beyond their limits at a pose step, and
// links hitting one another at a pose step or on the way between two steps as the board plays the
// motion (sampled at every board tick). A motion that drives none of the robot's channels gives
// nothing. A stop request (from the next edit, say) ends the check early, between two samples.
RobotCheckResult CheckRobotMotion(const RobotModel& model, const LinkPairSet& disabled,
                                  const Chart& chart, const MotionCompileResult& compiled,
                                  const PreviewSettings& settings = {}, std::stop_token stop = {});

// The chart's own warnings before a write, then, for a motion chart and a robot, the robot's.
std::vector<ChartWarning> CheckChartWithRobot(const Chart& chart, const BoardKnowledge& board,
                                              const CheckedRobot* robot,
                                              std::vector<std::string>* notes = nullptr);

}  // namespace brv3::robot
