#include <algorithm>
#include <optional>
#include <ostream>

#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "cli/CliCommands.h"
#include "core/chart/BoardActions.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/TableEntry.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/SafeFile.h"

namespace brv3::cli {
namespace {

std::optional<int> SlotIndex(const std::string& slot, std::ostream& err) {
  std::optional<int> index = ParseEntryLabel(slot);
  if (!index) err << "--slot must be M1 ... M80 or S1 ... S5, not \"" << slot << "\"\n";
  return index;
}

int ExitCode(ActionResult result, const BoardPrompter& prompter, const char* what,
             std::ostream& err) {
  switch (result) {
    case ActionResult::Done:
      return kExitOk;
    case ActionResult::Cancelled:
      if (prompter.SelectionNotOffered()) {
        err << "That slot is not offered for this command\n";
        return kExitBadInput;
      }
      err << what << " cancelled\n";
      return kExitFailure;
    case ActionResult::CompileFailed:
      return kExitBadInput;
    case ActionResult::NoData:
      err << "The slot is empty\n";
      return kExitFailure;
    case ActionResult::BoardFailed:
      err << what << " failed: the board did not answer\n";
      return kExitFailure;
  }
  return kExitFailure;
}

}  // namespace

int RunWrite(Port& port, const std::string& file, const std::string& slot, BoardCliContext ctx) {
  const std::optional<int> index = SlotIndex(slot, ctx.err);
  if (!index) return kExitBadInput;
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  BoardActions actions(link, prompter);
  Chart& chart = actions.OpenChart();
  if (int rc = ReadChartForCli(file, chart, prompter)) return rc;
  const bool scenario = chart.Type == kScenarioChart;
  if (scenario != (*index >= kScenarioFirstSlot)) {
    ctx.err << (scenario ? "A scenario chart is written to S1 ... S5\n"
                         : "A motion chart is written to M1 ... M80\n");
    return kExitBadInput;
  }
  if (chart.Objects.empty()) {
    ctx.err << "The chart has no objects\n";
    return kExitBadInput;
  }
  const size_t total = scenario ? std::min<size_t>(CompileScenarioChart(chart).motions.size(), 199)
                                : CompileMotionChart(chart).records.size();
  prompter.BeginProgress(0, static_cast<int>(total));
  prompter.AnswerSelection(EntryLabel(*index));
  const ActionResult result = actions.Write();
  prompter.EndProgress();
  if (result == ActionResult::BoardFailed) ctx.err << "The board may have been left asleep\n";
  return ExitCode(result, prompter, "Write", ctx.err);
}

int RunRead(Port& port, const std::string& slot, const std::string& out, BoardCliContext ctx) {
  const std::optional<int> index = SlotIndex(slot, ctx.err);
  if (!index) return kExitBadInput;
  if (!CanWriteFile(out)) {
    ctx.err << "Cannot write " << out << "\n";
    return kExitCannotSave;
  }
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  BoardActions actions(link, prompter);
  Bytes entry;
  if (!link.ReadTableEntry(*index, entry)) {
    ctx.err << "The board does not answer\n";
    return kExitFailure;
  }
  prompter.BeginProgress(0, *index < kMotionSlots ? entry[0] : 0);
  prompter.AnswerSelection(EntryLabel(*index));
  const ActionResult result = actions.Read();
  prompter.EndProgress();
  if (result != ActionResult::Done) return ExitCode(result, prompter, "Read", ctx.err);
  return SaveChartFile(actions.OpenChart(), out, prompter) ? kExitOk : kExitCannotSave;
}

int RunDelete(Port& port, const std::string& slot, BoardCliContext ctx) {
  const std::optional<int> index = SlotIndex(slot, ctx.err);
  if (!index) return kExitBadInput;
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  BoardActions actions(link, prompter);
  prompter.AnswerSelection(EntryLabel(*index));
  return ExitCode(actions.Delete(), prompter, "Delete", ctx.err);
}

}  // namespace brv3::cli
