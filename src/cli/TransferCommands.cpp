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
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

std::optional<Slot> ParseSlotArgument(const std::string& slot, std::ostream& err) {
  std::optional<Slot> parsed = Slot::Parse(slot);
  if (!parsed)
    err << Args(Tr("TransferCommands", "--slot must be M1 ... M80 or S1 ... S5, not \"%1\""),
                {slot})
        << "\n";
  return parsed;
}

// What a board action says when it did not end as it should.
struct ActionTexts {
  const char* cancelled;
  const char* failed;    // %1: why
  const char* notWoken;  // %1: why
};

constexpr ActionTexts kWriteTexts{
    BRV3_TR_NOOP("TransferCommands", "Write cancelled"),
    BRV3_TR_NOOP("TransferCommands", "Write failed: %1"),
    BRV3_TR_NOOP("TransferCommands",
                 "Write: every step was written and acknowledged, but the board did not wake up "
                 "afterwards (%1); it is still asleep")};
constexpr ActionTexts kReadTexts{
    BRV3_TR_NOOP("TransferCommands", "Read cancelled"),
    BRV3_TR_NOOP("TransferCommands", "Read failed: %1"),
    BRV3_TR_NOOP("TransferCommands",
                 "Read: every step was written and acknowledged, but the board did not wake up "
                 "afterwards (%1); it is still asleep")};
constexpr ActionTexts kDeleteTexts{
    BRV3_TR_NOOP("TransferCommands", "Delete cancelled"),
    BRV3_TR_NOOP("TransferCommands", "Delete failed: %1"),
    BRV3_TR_NOOP("TransferCommands",
                 "Delete: every step was written and acknowledged, but the board did not wake up "
                 "afterwards (%1); it is still asleep")};

int ExitCode(ActionResult result, BoardPrompter& prompter, const ActionTexts& texts,
             std::ostream& err, const BoardLink& link) {
  prompter.EndProgress();
  switch (result) {
    case ActionResult::Done:
      return kExitOk;
    case ActionResult::Cancelled:
      err << Tr("TransferCommands", texts.cancelled) << "\n";
      return kExitFailure;
    case ActionResult::CompileFailed:
      return kExitBadInput;
    case ActionResult::NoData:
      err << Tr("TransferCommands", "The slot is empty") << "\n";
      return kExitFailure;
    case ActionResult::BoardFailed:
      err << Args(Tr("TransferCommands", texts.failed), {LinkFaultText(link.LastFault())}) << "\n";
      return kExitFailure;
    case ActionResult::WakeFailed:
      err << Args(Tr("TransferCommands", texts.notWoken), {LinkFaultText(link.LastFault())})
          << "\n";
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
    ctx.err << (scenario ? Tr("TransferCommands", "A scenario chart is written to S1 ... S5")
                         : Tr("TransferCommands", "A motion chart is written to M1 ... M80"))
            << "\n";
    return kExitBadInput;
  }
  if (chart.Objects.empty()) {
    prompter.EndProgress();
    ctx.err << Tr("TransferCommands", "The chart has no objects") << "\n";
    return kExitBadInput;
  }
  // Warnings are printed and need --yes; nothing is written when they are refused. The checks
  // know what the editor would: the serial-servo mask and the entries Set objects name.
  BoardLink link(&port, &prompter);
  WriteWarningGate gate;
  if (!gate.Allow(prompter, file, PreWriteWarnings(chart, ReadBoardKnowledge(link, chart)))) {
    ctx.err << Tr("TransferCommands", "Write cancelled: the chart has warnings") << "\n";
    return kExitFailure;
  }
  BoardActions actions(link, prompter);
  actions.SetProgress(&prompter);
  const ActionResult result = actions.Write(*slot, chart);
  if (result == ActionResult::BoardFailed) {
    prompter.EndProgress();
    ctx.err << Tr("TransferCommands", "The board may have been left asleep") << "\n";
  }
  return ExitCode(result, prompter, kWriteTexts, ctx.err, link);
}

int RunRead(Port& port, const std::string& slotText, const std::string& out, BoardCliContext ctx) {
  const std::optional<Slot> slot = ParseSlotArgument(slotText, ctx.err);
  if (!slot) return kExitBadInput;
  if (!CanWriteFile(out)) {
    ctx.err << Args(Tr("TransferCommands", "Cannot write %1"), {out}) << "\n";
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
    const int rc = ExitCode(result, prompter, kReadTexts, ctx.err, link);
    // A read that failed may have left the board asleep; waking it changes nothing stored.
    if (!WakeBoard(link))
      ctx.err << Tr("TransferCommands", "The board may have been left asleep") << "\n";
    return rc;
  }
  if (result != ActionResult::Done) return ExitCode(result, prompter, kReadTexts, ctx.err, link);
  prompter.EndProgress();
  return SaveChartFile(chart, out, prompter) ? kExitOk : kExitCannotSave;
}

int RunDelete(Port& port, const std::string& slotText, BoardCliContext ctx) {
  const std::optional<Slot> slot = ParseSlotArgument(slotText, ctx.err);
  if (!slot) return kExitBadInput;
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  BoardActions actions(link, prompter);
  return ExitCode(actions.Delete(*slot), prompter, kDeleteTexts, ctx.err, link);
}

}  // namespace brv3::cli
