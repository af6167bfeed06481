#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/board/MotionTransfer.h"
#include "core/chart/Chart.h"
#include "core/comm/MotionBoard.h"

namespace brv3 {

// Replaces the chart by a motion chart built from the steps read: one object per object step
// (its type derived from its words, Compare objects without their branch step), flow wiring to
// the object of the next step and branch wiring to the target step's object, jump steps followed
// through to the object they lead to. Name and Ctrl come from the table entry read.
void RebuildMotionChart(Chart& chart, const MotionRead& read);

// The pixel width of a text in the canvas font.
using TextWidth = std::function<int32_t(const std::string&)>;

// Replaces the chart by a scenario chart: a chain of MOT objects, one per step, each named
// "M" + number + " " + the name of that motion's table entry (read from the board).
void RebuildScenarioChart(Chart& chart, const ScenarioRead& read, MotionBoard& board,
                          const TextWidth& textWidth);

}  // namespace brv3
