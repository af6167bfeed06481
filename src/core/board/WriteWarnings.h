#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/motion/MotionChecks.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"

namespace brv3 {

class BoardLink;

// Shown through Tr("WriteWarnings", ...).
constexpr const char* kWriteAnyway = BRV3_TR_NOOP("WriteWarnings", "Write anyway?");
constexpr const char* kStopAskingForChart =
    BRV3_TR_NOOP("WriteWarnings", "Do not ask again for this chart");

// What the checks before a write want to know of the board for `chart`, read from it where the
// caller has not read it already (the editor holds the mask from the position editor and the
// table it last read; the CLI holds nothing): the serial-servo mask when a position lies beyond
// the pulse-servo range, and the table entries that Set objects jump to or call, read asleep as
// the table is. What cannot be read stays unknown and warns of nothing.
BoardKnowledge ReadBoardKnowledge(BoardLink& link, const Chart& chart, BoardKnowledge known = {});

// The checks before a write of `chart`: one operation, so the editor and the CLI warn alike.
std::vector<ChartWarning> PreWriteWarnings(const Chart& chart, const BoardKnowledge& known);

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
