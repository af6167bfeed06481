#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/chart/Chart.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/PoseEditorBoard.h"
#include "core/motion/SetCompareWords.h"

namespace brv3 {

// What is known of the board a chart is about to be written to; either may be unknown.
struct BoardKnowledge {
  std::optional<ChannelMask> serialServoMask;  // a set bit = a serial servo
  std::optional<std::array<bool, kTableEntries>> emptySlots;
};

// A stretch of a motion as the board plays it, in seconds from its start, both ends included.
struct MotionMoment {
  double From = 0;
  double To = 0;
  bool operator==(const MotionMoment&) const = default;
};

// A mistake worth a second look before writing; never a reason to refuse.
struct ChartWarning {
  ChartWarning() = default;
  ChartWarning(int32_t object, std::string text) : Object(object), Text(std::move(text)) {}

  int32_t Object = -1;  // the object it names, -1 for the chart as a whole
  std::string Text;
  // Where a warning is about what the robot does: the stretches of the motion when it happens,
  // in time order, and the robot's links it is about (the two in contact, or the link a joint
  // past its limit moves). Both empty for the chart's own warnings.
  std::vector<MotionMoment> Moments;
  std::vector<std::string> Links;
  bool operator==(const ChartWarning&) const = default;
};

// Motions within this many steps of the 255-step limit, and scenarios within this many motions of
// the 199 that can be written, are worth a warning.
constexpr int kLimitMargin = 10;
constexpr int kScenarioMotionLimit = 199;

std::vector<ChartWarning> CheckMotionChart(const Chart& chart, const MotionCompileResult& compiled,
                                           const BoardKnowledge& board);
std::vector<ChartWarning> CheckScenarioChart(const Chart& chart,
                                             const ScenarioCompileResult& compiled);
// Compiles the chart as its kind says and checks it; a chart that does not compile has none.
std::vector<ChartWarning> CheckChart(const Chart& chart, const BoardKnowledge& board);

}  // namespace brv3
