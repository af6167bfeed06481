#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli/BackupManifest.h"
#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "cli/CliCommands.h"
#include "cli/ConfigJson.h"
#include "core/board/MotionTransfer.h"
#include "core/board/SpanningMotions.h"
#include "core/chart/ChartFiles.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/SafeFile.h"

namespace brv3::cli {
namespace {

namespace fs = std::filesystem;

// Tells on stderr where the chart file no longer matches the steps kept in the manifest.
void CheckChartFile(const std::string& dir, const RestoreEntry& r, Prompter& prompter,
                    std::ostream& err) {
  if (r.file.empty() || r.entry.Count == 0) return;
  const std::string label = EntryLabel(r.index);
  Chart chart;
  OpenResult opened = OpenChartFile(chart, (fs::path(dir) / r.file).string(), prompter);
  if (opened.status != OpenStatus::Opened) {
    err << label << ": " << r.file
        << " cannot be read; the steps kept in the manifest are written\n";
    return;
  }
  if (r.index < kMotionSlots) {
    const MotionCompileResult compiled = CompileMotionChart(chart);
    if (compiled.records != r.records)
      err << label << ": " << r.file << " differs from the backed-up steps from step "
          << FirstDifference(compiled.records, r.records) + 1
          << " on; the steps kept in the manifest are written\n";
  } else {
    const ScenarioCompileResult compiled = CompileScenarioChart(chart);
    if (compiled.motions != r.motions)
      err << label << ": " << r.file << " differs from the backed-up motion list from step "
          << FirstDifference(compiled.motions, r.motions) + 1
          << " on; the list kept in the manifest is written\n";
  }
}

// Empties the table entries of every slot whose steps are about to be written (a motion's
// continuation slots too), so that a restore that stops half-way leaves those slots empty
// rather than an old entry standing over new steps.
bool ClearWrittenEntries(BoardLink& link, const std::vector<RestoreEntry>& plan,
                         std::ostream& err) {
  const Bytes empty = EmptyTableEntry();
  for (const RestoreEntry& r : plan) {
    int last = r.index;
    if (!r.records.empty())
      last = std::min(r.index + ContinuationSlotCount(r.records.size()), kMotionSlots - 1);
    else if (r.motions.empty())
      continue;
    for (int i = r.index; i <= last; ++i) {
      if (!link.WriteTableEntry(i, empty)) {
        err << "Emptying the table entry of " << EntryLabel(i) << " failed\n";
        return false;
      }
    }
  }
  return true;
}

// Empties the entry of every motion that starts outside the slots about to be written but whose
// steps reach into them (and its continuation entries), so that it cannot read on into the
// restored steps, whether the restore completes or stops half-way.
bool EmptySpanningMotions(BoardLink& link, const std::vector<RestoreEntry>& plan,
                          std::ostream& err) {
  std::vector<bool> written(kMotionSlots, false);
  for (const RestoreEntry& r : plan) {
    if (r.records.empty() || r.index >= kMotionSlots) continue;
    const int last = std::min(r.index + ContinuationSlotCount(r.records.size()), kMotionSlots - 1);
    for (int i = r.index; i <= last; ++i) written[static_cast<size_t>(i)] = true;
  }
  std::vector<TableEntry> motions;
  for (int i = 0; i < kMotionSlots; ++i) {
    Bytes bytes;
    std::optional<TableEntry> entry;
    if (link.ReadTableEntry(i, bytes)) entry = TableEntry::Decode(bytes);
    if (!entry) {
      err << "Reading the table entry of " << EntryLabel(i)
          << " failed: " << LinkFaultText(link.LastFault()) << "\n";
      return false;
    }
    motions.push_back(*entry);
  }
  const Bytes empty = EmptyTableEntry();
  for (const SpanningMotion& m : MotionsReachingInto(motions, written)) {
    std::vector<int> entries{m.head};
    entries.insert(entries.end(), m.marks.begin(), m.marks.end());
    for (int i : entries) {
      if (!link.WriteTableEntry(i, empty)) {
        err << "Emptying the table entry of " << EntryLabel(i) << " failed\n";
        return false;
      }
    }
    err << EntryLabel(m.head) << " " << m.name
        << " reached into the restored slots; its entry was emptied\n";
  }
  return true;
}

bool WriteRecords(BoardLink& link, const std::vector<RestoreEntry>& plan, BoardPrompter& prompter,
                  std::ostream& err) {
  int done = 0, total = 0;
  for (const RestoreEntry& r : plan) total += 2 * static_cast<int>(r.records.size());
  for (const RestoreEntry& r : plan) {
    for (size_t k = 0; k < r.records.size(); ++k) {
      if (!link.WritePose(PoseArea::Memory, r.index, static_cast<int>(k), r.records[k].Pack())) {
        prompter.EndProgress();
        err << "Writing step " << k + 1 << " of " << EntryLabel(r.index) << " failed\n";
        return false;
      }
      prompter.Progress(++done, total);
    }
  }
  return true;
}

bool WriteScenarios(BoardLink& link, const std::vector<RestoreEntry>& plan, std::ostream& err) {
  for (const RestoreEntry& r : plan) {
    if (r.index < kScenarioFirstSlot || r.motions.empty()) continue;
    const int scenario = r.index - kScenarioFirstSlot;
    bool ok = true;
    for (size_t k = 0; ok && k < r.motions.size(); ++k)
      ok = link.WriteScenarioStep(scenario, static_cast<int>(k), r.motions[k]);
    if (!ok || !link.WriteScenarioStep(scenario, static_cast<int>(r.motions.size()), 255)) {
      err << "Writing " << EntryLabel(r.index) << " failed\n";
      return false;
    }
  }
  return true;
}

bool WriteEntries(BoardLink& link, const std::vector<RestoreEntry>& plan, std::ostream& err) {
  for (const RestoreEntry& r : plan) {
    if (!link.WriteTableEntry(r.index, r.entry.Encode())) {
      err << "Writing the table entry of " << EntryLabel(r.index) << " failed\n";
      return false;
    }
  }
  return true;
}

// Reads everything back and names each slot that differs from the backup in `differ`. False when
// the board stops answering.
bool Verify(BoardLink& link, const std::vector<RestoreEntry>& plan, BoardPrompter& prompter,
            std::ostream& err, int& differ) {
  int done = 0, total = 0;
  for (const RestoreEntry& r : plan) total += static_cast<int>(r.records.size());
  for (const RestoreEntry& r : plan) {
    const std::string label = EntryLabel(r.index);
    Bytes back;
    bool same = true;
    if (!link.ReadTableEntry(r.index, back)) {
      prompter.EndProgress();
      err << "Reading back the table entry of " << label << " failed\n";
      return false;
    }
    if (TableEntry::Decode(back) != r.entry) {
      err << label << ": the table entry reads back differently\n";
      same = false;
    }
    for (size_t k = 0; k < r.records.size(); ++k) {
      if (!link.ReadPose(PoseArea::Memory, r.index, static_cast<int>(k), back)) {
        prompter.EndProgress();
        err << "Reading back step " << k + 1 << " of " << label << " failed\n";
        return false;
      }
      if (same && PoseRecord::Unpack(back) != r.records[k]) {
        err << label << ": step " << k + 1 << " reads back differently\n";
        same = false;
      }
      prompter.Progress(total + ++done, 2 * total);
    }
    for (size_t k = 0; k < r.motions.size(); ++k) {
      if (!link.ReadScenarioStep(r.index - kScenarioFirstSlot, static_cast<int>(k), back)) {
        err << "Reading back step " << k + 1 << " of " << label << " failed\n";
        return false;
      }
      if (same && back[0] != r.motions[k]) {
        err << label << ": step " << k + 1 << " reads back differently\n";
        same = false;
      }
    }
    if (!same) ++differ;
  }
  return true;
}

}  // namespace

int RunRestore(Port& port, const std::string& dir, BoardCliContext ctx) {
  const std::string manifestPath = (fs::path(dir) / kManifestName).string();
  std::string error;
  const std::optional<std::string> text = ReadWholeFile(manifestPath, &error);
  if (!text) {
    ctx.err << "Cannot read " << manifestPath << (error.empty() ? "" : ": " + error) << "\n";
    return kExitBadInput;
  }
  const json manifest = json::parse(*text, nullptr, false);
  std::vector<RestoreEntry> plan;
  std::string problem = "not valid JSON";
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
  SleepGuard sleep(link);
  if (!sleep.On()) {
    ctx.err << "The board could not be put to sleep: " << LinkFaultText(link.LastFault()) << "\n";
    return kExitFailure;
  }
  const bool written = EmptySpanningMotions(link, plan, ctx.err) &&
                       ClearWrittenEntries(link, plan, ctx.err) &&
                       WriteRecords(link, plan, prompter, ctx.err) &&
                       WriteScenarios(link, plan, ctx.err) && WriteEntries(link, plan, ctx.err);
  int differ = 0;
  const bool verified = written && Verify(link, plan, prompter, ctx.err, differ);
  prompter.EndProgress();
  if (!verified) return kExitFailure;
  if (differ > 0) {
    if (!sleep.Off()) ctx.err << "The board did not wake up again\n";
    ctx.err << differ << " slots read back differently from the backup\n";
    return kExitFailure;
  }
  if (!sleep.Off()) {
    ctx.err << "Every slot was restored and read back the same, but the board did not wake up "
               "afterwards ("
            << LinkFaultText(link.LastFault()) << "); it is still asleep"
            << (withConfig ? " and config.json was not loaded" : "") << "\n";
    return kExitNotWoken;
  }
  if (withConfig)
    if (int rc = LoadConfigOntoBoard(link, prompter, config, ctx.err)) return rc;
  ctx.err << "Restored " << plan.size() << " table entries from " << dir << "\n";
  return kExitOk;
}

}  // namespace brv3::cli
