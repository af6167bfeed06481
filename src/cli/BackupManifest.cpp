#include "cli/BackupManifest.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "core/board/MotionTransfer.h"
#include "core/motion/MotionCompiler.h"
#include "core/util/Translate.h"

namespace brv3::cli {
namespace {

namespace fs = std::filesystem;

bool ReadInt(const json& j, const char* key, int64_t lo, int64_t hi, int64_t& out,
             std::string& problem) {
  if (!j.contains(key) || !j[key].is_number_integer()) {
    problem = Args(Tr("BackupManifest", "\"%1\" must be a whole number"), {key});
    return false;
  }
  out = j[key].get<int64_t>();
  if (out < lo || out > hi) {
    problem = Args(Tr("BackupManifest", "\"%1\" must be from %2 to %3"),
                   {key, std::to_string(lo), std::to_string(hi)});
    return false;
  }
  return true;
}

bool ParseEntry(const json& j, RestoreEntry& r, std::string& problem) {
  if (!j.is_object()) {
    problem = Tr("BackupManifest", "every entry must be an object");
    return false;
  }
  const std::optional<Slot> slot = j.contains("slot") && j["slot"].is_string()
                                       ? Slot::Parse(j["slot"].get<std::string>())
                                       : std::nullopt;
  if (!slot) {
    problem = Tr("BackupManifest", "\"slot\" must be M1 ... M80 or S1 ... S5");
    return false;
  }
  const std::string label = j["slot"].get<std::string>();
  r.index = slot->Index();
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
    problem += Tr("BackupManifest", "\"date\" must be four numbers");
    return false;
  }
  for (size_t k = 0; k < 4; ++k) {
    const json& d = j["date"][k];
    if (!d.is_number_integer() || d.get<int64_t>() < 0 || d.get<int64_t>() > 255) {
      problem += Tr("BackupManifest", "\"date\" must be four numbers from 0 to 255");
      return false;
    }
    r.entry.Date[k] = static_cast<uint8_t>(d.get<int64_t>());
  }
  if (j.contains("nameBytes")) {
    std::optional<Bytes> bytes;
    if (j["nameBytes"].is_string()) bytes = ParseHexDigits(j["nameBytes"].get<std::string>());
    if (!bytes || bytes->size() > TableEntry::kNameSize) {
      problem += Tr("BackupManifest", "\"nameBytes\" must be at most 32 bytes in hexadecimal");
      return false;
    }
    std::copy(bytes->begin(), bytes->end(), r.entry.Name.begin());
  } else if (j.contains("name") && j["name"].is_string()) {
    r.entry.Name = EntryNameBytes(j["name"].get<std::string>());
  } else {
    problem += Tr("BackupManifest", "\"name\" or \"nameBytes\" is missing");
    return false;
  }
  if (j.contains("file")) {
    if (!j["file"].is_string() || j["file"].get<std::string>().empty() ||
        fs::path(j["file"].get<std::string>()).filename().string() !=
            j["file"].get<std::string>()) {
      problem += Tr("BackupManifest", "\"file\" must be a file name in the backup folder");
      return false;
    }
    r.file = j["file"].get<std::string>();
  }
  if (count == 0) return true;
  if (r.index < kMotionSlots) {
    if (std::string refusal =
            CheckMotionSlots(*Slot::FromIndex(r.index), static_cast<size_t>(count));
        !refusal.empty()) {
      problem += refusal;
      return false;
    }
    if (!j.contains("records") || !j["records"].is_array() ||
        j["records"].size() != static_cast<size_t>(count)) {
      problem += Tr("BackupManifest", "\"records\" must hold one record per step");
      return false;
    }
    for (const json& rec : j["records"]) {
      std::optional<Bytes> bytes;
      if (rec.is_string()) bytes = ParseHexDigits(rec.get<std::string>());
      if (!bytes || bytes->size() != PoseRecord::kSize) {
        problem += Tr("BackupManifest", "each record must be 49 bytes in hexadecimal");
        return false;
      }
      r.records.push_back(*PoseRecord::Unpack(*bytes));
    }
  } else {
    if (!j.contains("motions") || !j["motions"].is_array() ||
        j["motions"].size() != static_cast<size_t>(count)) {
      problem += Tr("BackupManifest", "\"motions\" must hold one motion number per step");
      return false;
    }
    for (const json& m : j["motions"]) {
      if (!m.is_number_integer() || m.get<int64_t>() < 0 || m.get<int64_t>() > 255) {
        problem += Tr("BackupManifest", "each motion number must be from 0 to 255");
        return false;
      }
      r.motions.push_back(static_cast<uint8_t>(m.get<int64_t>()));
    }
  }
  return true;
}

}  // namespace

bool ParseManifest(const json& m, std::vector<RestoreEntry>& plan, std::string& problem) {
  if (!m.is_object() || !m.contains("format") || m["format"] != kManifestFormat) {
    problem = Tr("BackupManifest", "this is not a brivane3 backup manifest");
    return false;
  }
  if (!m.contains("version") || m["version"] != kManifestVersion) {
    problem = Tr("BackupManifest", "unknown manifest version");
    return false;
  }
  if (!m.contains("entries") || !m["entries"].is_array() || m["entries"].size() > kTableEntries) {
    problem = Tr("BackupManifest", "\"entries\" must be a list of at most 85 table entries");
    return false;
  }
  std::set<int> seen;
  for (const json& j : m["entries"]) {
    RestoreEntry r;
    if (!ParseEntry(j, r, problem)) return false;
    if (!seen.insert(r.index).second) {
      problem = Args(Tr("BackupManifest", "%1 appears twice"), {Slot::LabelOf(r.index)});
      return false;
    }
    plan.push_back(std::move(r));
  }
  std::sort(plan.begin(), plan.end(),
            [](const RestoreEntry& a, const RestoreEntry& b) { return a.index < b.index; });
  return true;
}

}  // namespace brv3::cli
