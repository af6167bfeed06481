#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/comm/BoardLink.h"
#include "core/comm/TableEntry.h"
#include "core/motion/PoseRecord.h"
#include "core/util/Bytes.h"

namespace brv3::cli {

using json = nlohmann::ordered_json;

constexpr const char* kManifestName = "manifest.json";
constexpr const char* kManifestFormat = "brivane3-backup";
constexpr int kManifestVersion = 1;

// One table entry of a backup and what restore writes for it.
struct RestoreEntry {
  int index = 0;
  TableEntry entry;
  std::string file;
  std::vector<PoseRecord> records;  // motions
  std::vector<uint8_t> motions;     // scenarios
};

// Checks a whole manifest before anything is sent: the entries sorted by slot, or false with
// the reason in `problem`.
bool ParseManifest(const json& m, std::vector<RestoreEntry>& plan, std::string& problem);

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
    if (asleep_) Off();
  }
  SleepGuard(const SleepGuard&) = delete;
  SleepGuard& operator=(const SleepGuard&) = delete;
  // A sleep that failed on the line may still have reached the board, so it is woken at the end
  // all the same.
  bool On() {
    asleep_ = true;
    return link_.SetSleep(0);
  }
  // Waking changes nothing stored, so a failed wake is tried once more.
  bool Off() {
    asleep_ = false;
    return link_.SetSleep(1) || link_.SetSleep(1);
  }

 private:
  BoardLink& link_;
  bool asleep_ = false;
};

}  // namespace brv3::cli
