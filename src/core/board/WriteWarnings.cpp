#include "core/board/WriteWarnings.h"

namespace brv3 {

std::vector<std::string> WarningLines(const std::vector<ChartWarning>& warnings) {
  std::vector<std::string> lines;
  lines.reserve(warnings.size());
  for (const ChartWarning& w : warnings) lines.push_back("warning: " + w.Text);
  return lines;
}

bool WriteWarningGate::Allow(Prompter& prompter, const std::string& chartKey,
                             const std::vector<ChartWarning>& warnings) {
  if (warnings.empty() || Quiet(chartKey)) return true;
  std::string text;
  for (const std::string& line : WarningLines(warnings)) text += line + "\n";
  text += kWriteAnyway;
  bool stopAsking = false;
  const int answer = prompter.MsgBoxWithCheck(MsgKind::Question, MsgButtons::YesNo, text,
                                              kStopAskingForChart, stopAsking);
  if (answer != IdYes) return false;
  // Only a Yes is remembered: a No with the box ticked must not turn into silent writes.
  if (stopAsking) quiet_.insert(chartKey);
  return true;
}

}  // namespace brv3
