#include <filesystem>
#include <ostream>

#include "cli/BackupManifest.h"
#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "cli/CliCommands.h"
#include "cli/ConfigJson.h"
#include "core/board/RestoreSequence.h"
#include "core/chart/ChartFiles.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

namespace fs = std::filesystem;

// Tells on stderr where the chart file no longer matches the steps kept in the manifest.
void CheckChartFile(const std::string& dir, const RestoreEntry& r, Prompter& prompter,
                    std::ostream& err) {
  if (r.file.empty() || r.entry.Count == 0) return;
  const std::string label = Slot::LabelOf(r.index);
  Chart chart;
  OpenResult opened = OpenChartFile(chart, (fs::path(dir) / r.file).string(), prompter);
  if (opened.status != OpenStatus::Opened) {
    err << Args(Tr("RestoreCommand",
                   "%1: %2 cannot be read; the steps kept in the manifest are written"),
                {label, r.file})
        << "\n";
    return;
  }
  if (r.index < kMotionSlots) {
    const MotionCompileResult compiled = CompileMotionChart(chart);
    if (compiled.records != r.records)
      err << Args(Tr("RestoreCommand",
                     "%1: %2 differs from the backed-up steps from step %3 on; the steps kept in "
                     "the manifest are written"),
                  {label, r.file, std::to_string(FirstDifference(compiled.records, r.records) + 1)})
          << "\n";
  } else {
    const ScenarioCompileResult compiled = CompileScenarioChart(chart);
    if (compiled.motions != r.motions)
      err << Args(Tr("RestoreCommand",
                     "%1: %2 differs from the backed-up motion list from step %3 on; the list "
                     "kept in the manifest is written"),
                  {label, r.file, std::to_string(FirstDifference(compiled.motions, r.motions) + 1)})
          << "\n";
  }
}

}  // namespace

int RunRestore(Port& port, const std::string& dir, BoardCliContext ctx) {
  const std::string manifestPath = (fs::path(dir) / kManifestName).string();
  std::string error;
  const std::optional<std::string> text = ReadWholeFile(manifestPath, &error);
  if (!text) {
    ctx.err << (error.empty()
                    ? Args(Tr("RestoreCommand", "Cannot read %1"), {manifestPath})
                    : Args(Tr("RestoreCommand", "Cannot read %1: %2"), {manifestPath, error}))
            << "\n";
    return kExitBadInput;
  }
  const json manifest = json::parse(*text, nullptr, false);
  std::vector<RestoreEntry> plan;
  std::string problem = Tr("RestoreCommand", "not valid JSON");
  if (manifest.is_discarded() || !ParseManifest(manifest, plan, problem)) {
    ctx.err << manifestPath << ": " << problem << "\n";
    return kExitBadInput;
  }

  // The configuration saved beside the slots, checked before anything is written.
  const std::string configPath = (fs::path(dir) / kConfigFileName).string();
  ConfigFile config;
  const bool withConfig = fs::exists(configPath);
  if (withConfig)
    if (int rc = ReadConfigFile(configPath, config, ctx.err)) return rc;

  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  for (const RestoreEntry& r : plan) CheckChartFile(dir, r, prompter, ctx.err);

  BoardLink link(&port, &prompter);
  // The reads (the table before, everything read back after) are asked for again when a reply
  // is lost or spoilt; the writes are sent once, as always.
  link.SetReadRetries(kReadRetries);
  const RestoreResult restored =
      RestoreSlots(link, plan, prompter, [&prompter, &ctx](const std::string& line) {
        prompter.EndProgress();
        ctx.err << line << "\n";
      });
  prompter.EndProgress();
  switch (restored.outcome) {
    case RestoreOutcome::NotAsleep:
    case RestoreOutcome::Failed:
      return kExitFailure;
    case RestoreOutcome::Differs:
      if (!restored.woken)
        ctx.err << Tr("RestoreCommand", "The board did not wake up again") << "\n";
      ctx.err << Args(Tr("RestoreCommand", "%1 slots read back differently from the backup"),
                      {std::to_string(restored.differ)})
              << "\n";
      return kExitFailure;
    case RestoreOutcome::NotWoken:
    case RestoreOutcome::Done:
      break;
  }
  if (!restored.woken) {
    ctx.err << Args(withConfig ? Tr("RestoreCommand",
                                    "Every slot was restored and read back the same, but the "
                                    "board did not wake up afterwards (%1); it is still asleep "
                                    "and config.json was not loaded")
                               : Tr("RestoreCommand",
                                    "Every slot was restored and read back the same, but the "
                                    "board did not wake up afterwards (%1); it is still asleep"),
                    {LinkFaultText(link.LastFault())})
            << "\n";
    return kExitNotWoken;
  }
  if (withConfig)
    if (int rc = LoadConfigOntoBoard(link, prompter, config, ctx.err)) return rc;
  ctx.err << Args(Tr("RestoreCommand", "Restored %1 table entries from %2"),
                  {std::to_string(plan.size()), dir})
          << "\n";
  return kExitOk;
}

}  // namespace brv3::cli
