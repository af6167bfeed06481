#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/chart/Chart.h"
#include "core/comm/BoardLayout.h"
#include "core/motion/PoseRecord.h"
#include "core/util/Prompter.h"

namespace brv3 {

// Board limits of a compiled motion.
// The step count travels in one byte of the table entry, the record index and the jump and
// branch operands in one byte each, so 255 steps is the most a motion can hold.
constexpr int kMaxMotionSteps = 255;

// Kinds of a step that is not an object step.
constexpr int32_t kEndStepKind = -1;
constexpr int32_t kJumpStepKind = -2;

// One entry of the step list: an object step (Kind = object index, Target = the object its branch
// wiring leads to, or -1), a jump step (Kind -2, Target = object jumped to) or an end step.
struct StepEntry {
  int32_t Kind = kEndStepKind;
  int32_t Target = -1;
  bool operator==(const StepEntry&) const = default;
};

// A compile that fails carries the message the caller shows in a message box (English caption);
// an empty text means "fail silently" (a chart without objects).
struct CompileFailure {
  MsgKind kind = MsgKind::Error;
  std::string text;
};

struct MotionCompileResult {
  bool ok = false;
  CompileFailure failure;
  // Set on success when the motion is too long to be written (more than kMaxMotionSteps steps);
  // the listing is still built so that the user can see the layout.
  std::string warning;
  std::string status;  // "Compile successful" on success
  std::vector<StepEntry> steps;
  std::vector<PoseRecord> records;
  std::vector<std::string> listing;  // one line per step, without the CR LF that ends each
  std::vector<std::string> hexRows;  // the hexadecimal view after compiling
};

// Lays a motion chart out as steps, builds the step records, the listing and the hexadecimal
// view. On failure the result holds no steps and no rows: the caller keeps its views as they were.
MotionCompileResult CompileMotionChart(const Chart& chart);

struct ScenarioCompileResult {
  bool ok = false;
  CompileFailure failure;
  std::string status;            // "Scenario change succeeded" on success
  std::vector<int32_t> objects;  // object index of each step
  std::vector<uint8_t> motions;  // motion number of each step (the MOT object's Head)
  std::vector<std::string> hexRows;
};

// Follows the flow wiring of a scenario chart from its Start object.
ScenarioCompileResult CompileScenarioChart(const Chart& chart);

// Rows of the hexadecimal view.
std::string CompiledHexRow(int stepNumber, const PoseRecord& record);  // "001 64 4000 ... 4000"
std::string ReadHexRow(int stepNumber, const PoseRecord& record);      // "001 64 4000 ... 4000 "

// Shows a compile failure the way the editor does: nothing for a silent failure, else a message
// box with an OK button.
void ShowCompileFailure(Prompter& prompter, const CompileFailure& failure);

}  // namespace brv3
