#include <array>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <set>

#include "cli/BoardCli.h"
#include "cli/BoardPrompter.h"
#include "cli/CliCommands.h"
#include "core/chart/ChartFiles.h"
#include "core/comm/BoardMotionAdapter.h"
#include "core/comm/TableEntry.h"
#include "core/motion/ChartRebuild.h"
#include "core/motion/MotionCompiler.h"
#include "core/motion/MotionTransfer.h"
#include "core/util/SafeFile.h"

namespace brv3::cli {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

constexpr const char* kManifestName = "manifest.json";
constexpr const char* kManifestFormat = "brivane3-backup";
constexpr int kManifestVersion = 1;
constexpr int kEntries = BoardLink::kTableEntries;

std::string Hex(const uint8_t* data, size_t size) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    out.push_back(digits[data[i] >> 4]);
    out.push_back(digits[data[i] & 15]);
  }
  return out;
}

std::optional<Bytes> FromHex(const std::string& text) {
  if (text.size() % 2 != 0) return std::nullopt;
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  Bytes out;
  for (size_t i = 0; i < text.size(); i += 2) {
    const int hi = nibble(text[i]), lo = nibble(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return out;
}

int32_t CharWidth(const std::string& text) {
  int32_t chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return chars * 8;
}

// Index of the first step where two step lists differ (the shorter length when one is a prefix).
template <typename T>
size_t FirstDifference(const std::vector<T>& a, const std::vector<T>& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

// Puts the board back to work when a sequence stops early.
class SleepGuard {
 public:
  explicit SleepGuard(BoardLink& link) : link_(link) {}
  ~SleepGuard() {
    if (asleep_) link_.SetSleep(1);
  }
  bool On() { return asleep_ = link_.SetSleep(0); }
  bool Off() {
    asleep_ = false;
    return link_.SetSleep(1);
  }

 private:
  BoardLink& link_;
  bool asleep_ = false;
};

// What restore writes for one table entry.
struct RestoreEntry {
  int index = 0;
  TableEntry entry;
  std::string file;
  std::vector<PoseRecord> records;  // motions
  std::vector<uint8_t> motions;     // scenarios
};

bool ReadInt(const json& j, const char* key, int64_t lo, int64_t hi, int64_t& out,
             std::string& problem) {
  if (!j.contains(key) || !j[key].is_number_integer()) {
    problem = std::string("\"") + key + "\" must be a whole number";
    return false;
  }
  out = j[key].get<int64_t>();
  if (out < lo || out > hi) {
    problem = std::string("\"") + key + "\" must be from " + std::to_string(lo) + " to " +
              std::to_string(hi);
    return false;
  }
  return true;
}

bool ParseEntry(const json& j, RestoreEntry& r, std::string& problem) {
  if (!j.is_object()) {
    problem = "every entry must be an object";
    return false;
  }
  if (!j.contains("slot") || !j["slot"].is_string() ||
      !ParseEntryLabel(j["slot"].get<std::string>())) {
    problem = "\"slot\" must be M1 ... M80 or S1 ... S5";
    return false;
  }
  const std::string label = j["slot"].get<std::string>();
  r.index = *ParseEntryLabel(label);
  problem = label + ": ";
  std::string detail;
  int64_t count, value24, code;
  if (!ReadInt(j, "count", 0, 255, count, detail) ||
      !ReadInt(j, "value24", 0, 0xFFFFFF, value24, detail) ||
      !ReadInt(j, "code", 0, 0xFFFF, code, detail)) {
    problem += detail;
    return false;
  }
  r.entry.Count = static_cast<uint8_t>(count);
  r.entry.Value24 = static_cast<uint32_t>(value24);
  r.entry.Code = static_cast<uint16_t>(code);
  if (!j.contains("date") || !j["date"].is_array() || j["date"].size() != 4) {
    problem += "\"date\" must be four numbers";
    return false;
  }
  for (size_t k = 0; k < 4; ++k) {
    const json& d = j["date"][k];
    if (!d.is_number_integer() || d.get<int64_t>() < 0 || d.get<int64_t>() > 255) {
      problem += "\"date\" must be four numbers from 0 to 255";
      return false;
    }
    r.entry.Date[k] = static_cast<uint8_t>(d.get<int64_t>());
  }
  if (j.contains("nameBytes")) {
    std::optional<Bytes> bytes;
    if (j["nameBytes"].is_string()) bytes = FromHex(j["nameBytes"].get<std::string>());
    if (!bytes || bytes->size() > TableEntry::kNameSize) {
      problem += "\"nameBytes\" must be at most 32 bytes in hexadecimal";
      return false;
    }
    std::copy(bytes->begin(), bytes->end(), r.entry.Name.begin());
  } else if (j.contains("name") && j["name"].is_string()) {
    r.entry.Name = EntryNameBytes(j["name"].get<std::string>());
  } else {
    problem += "\"name\" or \"nameBytes\" is missing";
    return false;
  }
  if (j.contains("file")) {
    if (!j["file"].is_string() || j["file"].get<std::string>().empty() ||
        fs::path(j["file"].get<std::string>()).filename().string() !=
            j["file"].get<std::string>()) {
      problem += "\"file\" must be a file name in the backup folder";
      return false;
    }
    r.file = j["file"].get<std::string>();
  }
  if (count == 0) return true;
  if (r.index < kMotionSlots) {
    if (std::string refusal = CheckMotionSlots(r.index, static_cast<size_t>(count));
        !refusal.empty()) {
      problem += refusal;
      return false;
    }
    if (!j.contains("records") || !j["records"].is_array() ||
        j["records"].size() != static_cast<size_t>(count)) {
      problem += "\"records\" must hold one record per step";
      return false;
    }
    for (const json& rec : j["records"]) {
      std::optional<Bytes> bytes;
      if (rec.is_string()) bytes = FromHex(rec.get<std::string>());
      if (!bytes || bytes->size() != PoseRecord::kSize) {
        problem += "each record must be 49 bytes in hexadecimal";
        return false;
      }
      r.records.push_back(*PoseRecord::Unpack(*bytes));
    }
  } else {
    if (!j.contains("motions") || !j["motions"].is_array() ||
        j["motions"].size() != static_cast<size_t>(count)) {
      problem += "\"motions\" must hold one motion number per step";
      return false;
    }
    for (const json& m : j["motions"]) {
      if (!m.is_number_integer() || m.get<int64_t>() < 0 || m.get<int64_t>() > 254) {
        problem += "each motion number must be from 0 to 254";
        return false;
      }
      r.motions.push_back(static_cast<uint8_t>(m.get<int64_t>()));
    }
  }
  return true;
}

bool ParseManifest(const json& m, std::vector<RestoreEntry>& plan, std::string& problem) {
  if (!m.is_object() || !m.contains("format") || m["format"] != kManifestFormat) {
    problem = "this is not a brivane3 backup manifest";
    return false;
  }
  if (!m.contains("version") || m["version"] != kManifestVersion) {
    problem = "unknown manifest version";
    return false;
  }
  if (!m.contains("entries") || !m["entries"].is_array() || m["entries"].size() > kEntries) {
    problem = "\"entries\" must be a list of at most 85 table entries";
    return false;
  }
  std::set<int> seen;
  for (const json& j : m["entries"]) {
    RestoreEntry r;
    if (!ParseEntry(j, r, problem)) return false;
    if (!seen.insert(r.index).second) {
      problem = EntryLabel(r.index) + " appears twice";
      return false;
    }
    plan.push_back(std::move(r));
  }
  std::sort(plan.begin(), plan.end(),
            [](const RestoreEntry& a, const RestoreEntry& b) { return a.index < b.index; });
  return true;
}

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
    if (!board.ReadTableEntry(i, entries[static_cast<size_t>(i)])) {
      ctx.err << "Reading the motion table failed at " << EntryLabel(i) << "\n";
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
              {"nameBytes", Hex(entry.Name.data(), entry.Name.size())}};
    if (EntryNameBytes(EntryNameText(entry)) != entry.Name)
      ctx.err << label << ": the name bytes are not plain text; the chart file's name differs, "
              << "restore uses the exact bytes\n";
    if (entry.Count > 0) {
      const std::string file = label + ".QVB";
      Chart chart;
      if (i < kMotionSlots) {
        MotionRead read;
        prompter.BeginProgress(done, total);
        if (!ReadMotion(board, prompter, i, read)) {
          prompter.EndProgress();
          ctx.err << label << " could not be read\n";
          return kExitFailure;
        }
        done += entry.Count;
        RebuildMotionChart(chart, read);
        json records = json::array();
        for (const PoseRecord& step : read.steps) {
          const Bytes packed = step.Pack();
          records.push_back(Hex(packed.data(), packed.size()));
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
        if (!ReadScenario(board, i, read)) {
          prompter.EndProgress();
          ctx.err << label << " could not be read\n";
          return kExitFailure;
        }
        RebuildScenarioChart(chart, read, board, CharWidth);
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
  ctx.err << "Backed up " << motions << " motions and " << scenarios << " scenarios to " << dir
          << "\n";
  return kExitOk;
}

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

  BoardPrompter prompter(ctx.err, ctx.yes, ctx.terminal);
  for (const RestoreEntry& r : plan) CheckChartFile(dir, r, prompter, ctx.err);

  BoardLink link(&port, &prompter);
  SleepGuard sleep(link);
  if (!sleep.On()) {
    ctx.err << "The board does not answer\n";
    return kExitFailure;
  }
  int total = 0, done = 0;
  for (const RestoreEntry& r : plan) total += static_cast<int>(r.records.size());
  prompter.BeginProgress(0, total);
  for (const RestoreEntry& r : plan) {
    for (size_t k = 0; k < r.records.size(); ++k) {
      if (!link.WritePose(PoseArea::Memory, r.index, static_cast<int>(k), r.records[k].Pack())) {
        prompter.EndProgress();
        ctx.err << "Writing step " << k + 1 << " of " << EntryLabel(r.index) << " failed\n";
        return kExitFailure;
      }
      prompter.Progress(++done);
    }
  }
  prompter.EndProgress();
  for (const RestoreEntry& r : plan) {
    if (r.index < kScenarioFirstSlot || r.motions.empty()) continue;
    const int scenario = r.index - kScenarioFirstSlot;
    bool ok = true;
    for (size_t k = 0; ok && k < r.motions.size(); ++k)
      ok = link.WriteScenarioStep(scenario, static_cast<int>(k), r.motions[k]);
    if (!ok || !link.WriteScenarioStep(scenario, static_cast<int>(r.motions.size()), 255)) {
      ctx.err << "Writing " << EntryLabel(r.index) << " failed\n";
      return kExitFailure;
    }
  }
  for (const RestoreEntry& r : plan) {
    if (!link.WriteTableEntry(r.index, r.entry.Encode())) {
      ctx.err << "Writing the table entry of " << EntryLabel(r.index) << " failed\n";
      return kExitFailure;
    }
  }
  // The table entries are read back: names, codes and dates must be the backed-up bytes.
  int differ = 0;
  for (const RestoreEntry& r : plan) {
    Bytes back;
    if (!link.ReadTableEntry(r.index, back)) {
      ctx.err << "Reading back the table entry of " << EntryLabel(r.index) << " failed\n";
      return kExitFailure;
    }
    if (TableEntry::Decode(back) != r.entry) {
      ctx.err << EntryLabel(r.index) << ": the board holds a different table entry than the "
              << "one written\n";
      ++differ;
    }
  }
  if (!sleep.Off()) {
    ctx.err << "The board did not wake up again\n";
    return kExitFailure;
  }
  if (differ > 0) return kExitFailure;
  ctx.err << "Restored " << plan.size() << " table entries from " << dir << "\n";
  return kExitOk;
}

}  // namespace brv3::cli
