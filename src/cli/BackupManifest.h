#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/board/RestoreSequence.h"
#include "core/comm/BoardLink.h"
#include "core/comm/TableEntry.h"
#include "core/motion/PoseRecord.h"
#include "core/util/Bytes.h"

namespace brv3::cli {

using json = nlohmann::ordered_json;

constexpr const char* kManifestName = "manifest.json";
constexpr const char* kManifestFormat = "brivane3-backup";
constexpr int kManifestVersion = 1;

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

}  // namespace brv3::cli
