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

// A mistake worth a second look before writing; never a reason to refuse.
struct ChartWarning {
  int32_t Object = -1;  // the object it names, -1 for the chart as a whole
  std::string Text;
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
