#include <array>
#include <filesystem>
#include <ostream>

#include "cli/BackupManifest.h"
#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "cli/CliCommands.h"
#include "cli/ConfigJson.h"
#include "cli/StopSignals.h"
#include "core/board/BoardActions.h"
#include "core/board/ChartRebuild.h"
#include "core/board/MotionTransfer.h"
#include "core/board/SleepScope.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/BoardMotionAdapter.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kEntries = kTableEntries;

// Why `folder` (named `dir` on the command line) must not be replaced by a backup, or "" when it
// may: it holds an entry a backup does not write itself (its manifest, its configuration, a chart
// per slot), or it cannot be listed. Replacing the folder would lose such an entry.
std::string ReplaceRefusal(const fs::path& folder, const std::string& dir) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return {};
  fs::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const fs::path& item = it->path();
    const std::string name = item.filename().string();
    const std::optional<Slot> slot = Slot::Parse(item.stem().string());
    const bool ours = name == kManifestName || name == kConfigFileName ||
                      (item.extension() == ".QVB" && slot && slot->Label() == item.stem());
    std::error_code kind;
    if (!ours || !it->is_regular_file(kind))
      return Args(Tr("BackupCommands",
                     "The folder %1 holds %2, which is not part of a backup; back up into a new "
                     "or empty folder, or one that holds only a backup"),
                  {dir, name});
  }
  if (!ec) return {};
  return Args(Tr("BackupCommands",
                 "The folder %1 cannot be listed (%2); back up into a new or empty folder, or one "
                 "that holds only a backup"),
              {dir, ec.message()});
}

// Whether `name` is a file a backup writes: its manifest, its configuration, a chart per slot,
// or the temporary file of one of them that a killed save left.
bool IsBackupFileName(const std::string& name) {
  std::string base = name;
  if (!base.empty() && base[0] == '.') {
    const size_t tmp = base.rfind(".tmp");
    if (tmp == std::string::npos || tmp < 2) return false;
    base = base.substr(1, tmp - 1);
  }
  if (base == kManifestName || base == kConfigFileName) return true;
  const fs::path p(base);
  const std::optional<Slot> slot = Slot::Parse(p.stem().string());
  return p.extension() == ".QVB" && slot && slot->Label() == p.stem().string();
}

}  // namespace

int RunBackup(Port& port, const std::string& dir, BoardCliContext ctx) {
  // The backup is built in a new folder beside `dir` and moved into place only when complete, so
  // a failed backup leaves an older one there as it was.
  FolderReplacement folder;
  std::string error;
  if (!folder.Begin(dir, &error)) {
    ctx.err << Args(Tr("BackupCommands", "Cannot create the folder %1: %2"), {dir, error}) << "\n";
    return kExitCannotSave;
  }
  if (const std::string refusal = ReplaceRefusal(folder.Target(), dir); !refusal.empty()) {
    ctx.err << refusal << "\n";
    return kExitCannotSave;
  }
  // A backup that was killed left its new folder beside DIR; it is of no use, so it goes.
  for (const std::string& stale : folder.RemoveStaleStaging(IsBackupFileName))
    ctx.err << Args(Tr("BackupCommands",
                       "Removed %1, left behind by an earlier backup that was stopped"),
                    {stale})
            << "\n";
  const fs::path out = folder.Staging();
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  // Read-only: a lost or spoilt reply is asked for again.
  link.SetReadRetries(kReadRetries);
  BoardMotionAdapter board(link);
  SleepScope sleep(link);
  // Ctrl+C stops between two reads, so the board is woken and the new folder removed.
  StopSignals signals;
  auto stopped = [&] {
    if (!StopRequested()) return false;
    prompter.EndProgress();
    ctx.err << Args(Tr("BackupCommands", "Stopped; %1 was left as it was"), {dir}) << "\n";
    return true;
  };
  if (!sleep.Begin()) {
    ctx.err << Args(Tr("BackupCommands", "The board could not be put to sleep: %1"),
                    {LinkFaultText(link.LastFault())})
            << "\n";
    return kExitFailure;
  }
  std::array<Bytes, kEntries> entries;
  for (int i = 0; i < kEntries; ++i) {
    if (stopped()) return kExitFailure;
    if (!board.ReadTableEntry(i, entries[static_cast<size_t>(i)])) {
      ctx.err << Args(Tr("BackupCommands", "Reading the motion table failed at %1: %2"),
                      {Slot::LabelOf(i), LinkFaultText(link.LastFault())})
              << "\n";
      return kExitFailure;
    }
  }
  int total = 0;
  for (int i = 0; i < kMotionSlots; ++i) total += entries[static_cast<size_t>(i)][0];

  json list = json::array();
  int done = 0, motions = 0, scenarios = 0;
  for (int i = 0; i < kEntries; ++i) {
    const Bytes& bytes = entries[static_cast<size_t>(i)];
    const TableEntry entry = *TableEntry::Decode(bytes);
    const std::string label = Slot::LabelOf(i);
    json j = {{"slot", label},
              {"count", entry.Count},
              {"value24", entry.Value24},
              {"date", entry.Date},
              {"code", entry.Code},
              {"name", EntryNameText(entry)},
              {"nameBytes", HexDigits(entry.Name.data(), entry.Name.size())}};
    if (EntryNameBytes(EntryNameText(entry)) != entry.Name)
      ctx.err << Args(Tr("BackupCommands",
                         "%1: the name bytes are not plain text; the chart file's name differs, "
                         "restore uses the exact bytes"),
                      {label})
              << "\n";
    if (entry.Count > 0 && i < kMotionSlots) {
      if (std::string refusal = CheckMotionSlots(*Slot::FromIndex(i), entry.Count);
          !refusal.empty())
        ctx.err << Args(Tr("BackupCommands", "%1: %2; restore will refuse this backup"),
                        {label, refusal})
                << "\n";
    }
    if (entry.Count > 0) {
      if (stopped()) return kExitFailure;
      const std::string file = label + ".QVB";
      Chart chart;
      if (i < kMotionSlots) {
        MotionRead read;
        prompter.SetSpan(done, total);
        const Slot slot = *Slot::FromIndex(i);
        if (ReadMotion(board, prompter, &prompter, slot, read) != ActionResult::Done) {
          prompter.EndProgress();
          ctx.err << Args(Tr("BackupCommands", "%1 could not be read: %2"),
                          {label, LinkFaultText(link.LastFault())})
                  << "\n";
          return kExitFailure;
        }
        done += entry.Count;
        RebuildMotionChart(chart, read);
        json records = json::array();
        for (const PoseRecord& step : read.steps) {
          const Bytes packed = step.Pack();
          records.push_back(HexDigits(packed.data(), packed.size()));
        }
        j["file"] = file;
        j["records"] = std::move(records);
        const MotionCompileResult again = CompileMotionChart(chart);
        if (again.records != read.steps)
          ctx.err << Args(Tr("BackupCommands",
                             "%1: the chart file %2 does not compile back to the board's steps "
                             "(from step %3 on); restore uses the exact steps kept in the "
                             "manifest"),
                          {label, file,
                           std::to_string(FirstDifference(again.records, read.steps) + 1)})
                  << "\n";
        ++motions;
      } else {
        ScenarioRead read;
        const Slot slot = *Slot::FromIndex(i);
        if (ReadScenario(board, slot, read) != ActionResult::Done) {
          prompter.EndProgress();
          ctx.err << Args(Tr("BackupCommands", "%1 could not be read: %2"),
                          {label, LinkFaultText(link.LastFault())})
                  << "\n";
          return kExitFailure;
        }
        RebuildScenarioChart(chart, read, board, FixedTextWidth);
        j["file"] = file;
        j["motions"] = read.motions;
        if (CompileScenarioChart(chart).motions != read.motions)
          ctx.err << Args(Tr("BackupCommands",
                             "%1: the chart file %2 does not give back the board's motion list; "
                             "restore uses the list kept in the manifest"),
                          {label, file})
                  << "\n";
        ++scenarios;
      }
      if (!SaveChartFile(chart, (out / file).string(), prompter)) {
        prompter.EndProgress();
        return kExitCannotSave;
      }
    }
    list.push_back(std::move(j));
  }
  if (stopped()) return kExitFailure;
  prompter.EndProgress();
  if (!sleep.End()) {
    ctx.err << Tr("BackupCommands", "The board did not wake up again") << "\n";
    return kExitFailure;
  }
  const json manifest = {
      {"format", kManifestFormat}, {"version", kManifestVersion}, {"entries", std::move(list)}};
  if (!WriteFileAtomically((out / kManifestName).string(), manifest.dump(2) + "\n", &error)) {
    ctx.err << Args(Tr("BackupCommands", "Cannot write the manifest: %1"), {error}) << "\n";
    return kExitCannotSave;
  }
  if (int rc = SaveConfigFromBoard(link, (out / kConfigFileName).string(), ctx.err)) return rc;
  if (!folder.Commit(&error)) {
    ctx.err << Args(Tr("BackupCommands", "Cannot put the backup in place at %1: %2"), {dir, error})
            << "\n";
    return kExitCannotSave;
  }
  if (!folder.LeftBehind().empty())
    ctx.err << Args(Tr("BackupCommands", "The older backup could not be removed; it stays at %1"),
                    {folder.LeftBehind()})
            << "\n";
  ctx.err << Args(Tr("BackupCommands", "Backed up %1 motions and %2 scenarios to %3"),
                  {std::to_string(motions), std::to_string(scenarios), dir})
          << "\n";
  return kExitOk;
}

}  // namespace brv3::cli
