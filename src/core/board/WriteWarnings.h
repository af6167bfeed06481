#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/motion/MotionChecks.h"
#include "core/util/Prompter.h"

namespace brv3 {

constexpr const char* kWriteAnyway = "Write anyway?";
constexpr const char* kStopAskingForChart = "Do not ask again for this chart";

// One line per warning, "warning: " and its text, as the listing and the terminal show them.
std::vector<std::string> WarningLines(const std::vector<ChartWarning>& warnings);

// The question before a write of a chart with warnings. A chart the user asked not to be asked
// about again (by its key: the file it came from, or its name while unsaved) goes ahead quietly.
class WriteWarningGate {
 public:
  // True when the write may go ahead: no warnings, a quiet chart, or the user agreed.
  bool Allow(Prompter& prompter, const std::string& chartKey,
             const std::vector<ChartWarning>& warnings);
  bool Quiet(const std::string& chartKey) const { return quiet_.count(chartKey) != 0; }

 private:
  std::set<std::string> quiet_;
};

}  // namespace brv3
