#include <array>
#include <filesystem>
#include <ostream>

#include "cli/BackupManifest.h"
#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "cli/CliCommands.h"
#include "cli/ConfigJson.h"
#include "core/board/BoardActions.h"
#include "core/board/MotionTransfer.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/BoardMotionAdapter.h"
#include "core/motion/ChartRebuild.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/SafeFile.h"

namespace brv3::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kEntries = BoardLink::kTableEntries;

}  // namespace

int RunBackup(Port& port, const std::string& dir, BoardCliContext ctx) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) {
    ctx.err << "Cannot create the folder " << dir << "\n";
    return kExitCannotSave;
  }
  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  BoardLink link(&port, &prompter);
  BoardMotionAdapter board(link);
  SleepGuard sleep(link);
  if (!sleep.On()) {
    ctx.err << "The board does not answer\n";
    return kExitFailure;
  }
  std::array<Bytes, kEntries> entries;
  for (int i = 0; i < kEntries; ++i) {
    // Read-only: a failed read is tried once more.
    if (!board.ReadTableEntry(i, entries[static_cast<size_t>(i)]) &&
        !board.ReadTableEntry(i, entries[static_cast<size_t>(i)])) {
      ctx.err << "Reading the motion table failed at " << EntryLabel(i) << ": "
              << LinkFaultText(link.LastFault()) << "\n";
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
    const std::string label = EntryLabel(i);
    json j = {{"slot", label},
              {"count", entry.Count},
              {"value24", entry.Value24},
              {"date", entry.Date},
              {"code", entry.Code},
              {"name", EntryNameText(entry)},
              {"nameBytes", HexDigits(entry.Name.data(), entry.Name.size())}};
    if (EntryNameBytes(EntryNameText(entry)) != entry.Name)
      ctx.err << label << ": the name bytes are not plain text; the chart file's name differs, "
              << "restore uses the exact bytes\n";
    if (entry.Count > 0 && i < kMotionSlots) {
      if (std::string refusal = CheckMotionSlots(*Slot::FromIndex(i), entry.Count);
          !refusal.empty())
        ctx.err << label << ": " << refusal << "; restore will refuse this backup\n";
    }
    if (entry.Count > 0) {
      const std::string file = label + ".QVB";
      Chart chart;
      if (i < kMotionSlots) {
        MotionRead read;
        prompter.SetSpan(done, total);
        const Slot slot = *Slot::FromIndex(i);
        if (ReadMotion(board, prompter, &prompter, slot, read) != ActionResult::Done &&
            ReadMotion(board, prompter, &prompter, slot, read) != ActionResult::Done) {
          prompter.EndProgress();
          ctx.err << label << " could not be read: " << LinkFaultText(link.LastFault()) << "\n";
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
          ctx.err << label << ": the chart file " << file << " does not compile back to the "
                  << "board's steps (from step " << FirstDifference(again.records, read.steps) + 1
                  << " on); restore uses the exact steps kept in the manifest\n";
        ++motions;
      } else {
        ScenarioRead read;
        const Slot slot = *Slot::FromIndex(i);
        if (ReadScenario(board, slot, read) != ActionResult::Done &&
            ReadScenario(board, slot, read) != ActionResult::Done) {
          prompter.EndProgress();
          ctx.err << label << " could not be read: " << LinkFaultText(link.LastFault()) << "\n";
          return kExitFailure;
        }
        RebuildScenarioChart(chart, read, board, FixedTextWidth);
        j["file"] = file;
        j["motions"] = read.motions;
        if (CompileScenarioChart(chart).motions != read.motions)
          ctx.err << label << ": the chart file " << file << " does not give back the board's "
                  << "motion list; restore uses the list kept in the manifest\n";
        ++scenarios;
      }
      if (!SaveChartFile(chart, (fs::path(dir) / file).string(), prompter)) {
        prompter.EndProgress();
        return kExitCannotSave;
      }
    }
    list.push_back(std::move(j));
  }
  prompter.EndProgress();
  if (!sleep.Off()) {
    ctx.err << "The board did not wake up again\n";
    return kExitFailure;
  }
  const json manifest = {
      {"format", kManifestFormat}, {"version", kManifestVersion}, {"entries", std::move(list)}};
  std::string error;
  if (!WriteFileAtomically((fs::path(dir) / kManifestName).string(), manifest.dump(2) + "\n",
                           &error)) {
    ctx.err << "Cannot write the manifest: " << error << "\n";
    return kExitCannotSave;
  }
  if (int rc = SaveConfigFromBoard(link, (fs::path(dir) / kConfigFileName).string(), ctx.err))
    return rc;
  ctx.err << "Backed up " << motions << " motions and " << scenarios << " scenarios to " << dir
          << "\n";
  return kExitOk;
}

}  // namespace brv3::cli
