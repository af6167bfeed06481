#include <optional>
#include <ostream>

#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "cli/CliCommands.h"
#include "core/board/BoardActions.h"
#include "core/board/SleepScope.h"
#include "core/board/WriteWarnings.h"
#include "core/chart/ChartFiles.h"
#include "core/util/SafeFile.h"

namespace brv3::cli {
namespace {

std::optional<Slot> ParseSlotArgument(const std::string& slot, std::ostream& err) {
  std::optional<Slot> parsed = Slot::Parse(slot);
  if (!parsed) err << "--slot must be M1 ... M80 or S1 ... S5, not \"" << slot << "\"\n";
  return parsed;
}

int ExitCode(ActionResult result, BoardPrompter& prompter, const char* what, std::ostream& err,
             const BoardLink& link) {
  prompter.EndProgress();
  switch (result) {
    case ActionResult::Done:
      return kExitOk;
    case ActionResult::Cancelled:
      err << what << " cancelled\n";
      return kExitFailure;
    case ActionResult::CompileFailed:
      return kExitBadInput;
    case ActionResult::NoData:
      err << "The slot is empty\n";
      return kExitFailure;
    case ActionResult::BoardFailed:
      err << what << " failed: " << LinkFaultText(link.LastFault()) << "\n";
      return kExitFailure;
    case ActionResult::WakeFailed:
      err << what << ": every step was written and acknowledged, but the board did not wake up "
          << "afterwards (" << LinkFaultText(link.LastFault()) << "); it is still asleep\n";
      return kExitNotWoken;
  }
  return kExitFailure;
}

}  // namespace

int RunWrite(Port& port, const std::string& file, const std::string& slotText,
             BoardCliContext ctx) {
  const std::optional<Slot> slot = ParseSlotArgument(slotText, ctx.err);
  if (!slot) return kExitBadInput;
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  Chart chart;
  if (int rc = ReadChartForCli(file, chart, prompter)) return rc;
  const bool scenario = chart.Type == kScenarioChart;
  if (scenario != slot->IsScenario()) {
    prompter.EndProgress();
    ctx.err << (scenario ? "A scenario chart is written to S1 ... S5\n"
                         : "A motion chart is written to M1 ... M80\n");
    return kExitBadInput;
  }
  if (chart.Objects.empty()) {
    prompter.EndProgress();
    ctx.err << "The chart has no objects\n";
    return kExitBadInput;
  }
  // Warnings are printed and need --yes; nothing is written when they are refused. The checks
  // know what the editor would: the serial-servo mask and the entries Set objects name.
  BoardLink link(&port, &prompter);
  WriteWarningGate gate;
  if (!gate.Allow(prompter, file, PreWriteWarnings(chart, ReadBoardKnowledge(link, chart)))) {
    ctx.err << "Write cancelled: the chart has warnings\n";
    return kExitFailure;
  }
  BoardActions actions(link, prompter);
  actions.SetProgress(&prompter);
  const ActionResult result = actions.Write(*slot, chart);
  if (result == ActionResult::BoardFailed) {
    prompter.EndProgress();
    ctx.err << "The board may have been left asleep\n";
  }
  return ExitCode(result, prompter, "Write", ctx.err, link);
}

int RunRead(Port& port, const std::string& slotText, const std::string& out, BoardCliContext ctx) {
  const std::optional<Slot> slot = ParseSlotArgument(slotText, ctx.err);
  if (!slot) return kExitBadInput;
  if (!CanWriteFile(out)) {
    ctx.err << "Cannot write " << out << "\n";
    return kExitCannotSave;
  }
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  // Reading changes nothing on the board, so a lost or spoilt reply is asked for again.
  link.SetReadRetries(kReadRetries);
  BoardActions actions(link, prompter);
  actions.SetProgress(&prompter);
  Chart chart;
  const ActionResult result = actions.Read(*slot, chart);
  if (result == ActionResult::BoardFailed) {
    const int rc = ExitCode(result, prompter, "Read", ctx.err, link);
    // A read that failed may have left the board asleep; waking it changes nothing stored.
    if (!WakeBoard(link)) ctx.err << "The board may have been left asleep\n";
    return rc;
  }
  if (result != ActionResult::Done) return ExitCode(result, prompter, "Read", ctx.err, link);
  prompter.EndProgress();
  return SaveChartFile(chart, out, prompter) ? kExitOk : kExitCannotSave;
}

int RunDelete(Port& port, const std::string& slotText, BoardCliContext ctx) {
  const std::optional<Slot> slot = ParseSlotArgument(slotText, ctx.err);
  if (!slot) return kExitBadInput;
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  BoardActions actions(link, prompter);
  return ExitCode(actions.Delete(*slot), prompter, "Delete", ctx.err, link);
}

}  // namespace brv3::cli
