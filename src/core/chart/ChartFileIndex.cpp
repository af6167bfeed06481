#include "core/chart/ChartFileIndex.h"

#include <cstring>

#include "core/util/Cp932.h"
#include "core/util/IniFile.h"

namespace brv3 {
namespace {

constexpr std::string_view kHeaderNames[] = {"Type",  "Width", "Height", "Items",
                                             "Links", "Start", "Name",   "Ctrl"};
constexpr std::string_view kItemFileNames[] = {"ItemCount", "LinkCount"};
constexpr std::string_view kItemNames[] = {"Name", "Width", "Height", "Left",
                                           "Top",  "Color", "Type",   "Prm"};
constexpr std::string_view kLinkNames[] = {"Main", "Origin", "Final", "Point"};

// Sections numbered this far beyond the sections read so far go to the sparse map, so a file
// naming [Item999999999] cannot make the index allocate for every number below it.
constexpr uint64_t kDenseSlack = 4096;

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// The number of a section named `prefix` + a number written as the readers write it (decimal, no
// sign, no leading zero); nullopt for any other name.
std::optional<uint64_t> SectionNumber(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() || name.size() > prefix.size() + 18) return std::nullopt;
  if (!SameName(name.substr(0, prefix.size()), prefix)) return std::nullopt;
  std::string_view digits = name.substr(prefix.size());
  if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
  uint64_t n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + static_cast<uint64_t>(c - '0');
  }
  return n;
}

bool HasHighBytes(std::string_view s) {
  size_t i = 0;
  uint64_t chunk;
  for (; i + 8 <= s.size(); i += 8) {
    std::memcpy(&chunk, s.data() + i, 8);
    if (chunk & 0x8080808080808080ull) return true;
  }
  for (; i < s.size(); ++i)
    if (static_cast<unsigned char>(s[i]) >= 0x80) return true;
  return false;
}

}  // namespace

template <class S>
S* ChartFileIndex::Numbered<S>::Slot(uint64_t n, size_t sectionsSoFar, size_t& sectionCount) {
  if (n < dense.size() + kDenseSlack + 2 * uint64_t{sectionsSoFar}) {
    if (n >= dense.size()) {
      dense.resize(n + 1);
      seen.resize(n + 1);
    }
    if (!seen[n]) {
      seen[n] = true;
      ++sectionCount;
    }
    return &dense[n];
  }
  auto [it, added] = sparse.try_emplace(n);
  if (added) ++sectionCount;
  return &it->second;
}

template <class S>
const S* ChartFileIndex::Numbered<S>::Find(int64_t n) const {
  if (n < 0) return nullptr;
  auto u = static_cast<uint64_t>(n);
  if (u < dense.size()) return seen[u] ? &dense[u] : nullptr;
  auto it = sparse.find(u);
  return it == sparse.end() ? nullptr : &it->second;
}

ChartFileIndex::ChartFileIndex(std::string_view raw) {
  size_t pos = 0;
  while (pos < raw.size()) {
    size_t eol = raw.find('\n', pos);
    if (eol == std::string_view::npos) eol = raw.size();
    std::string_view line = raw.substr(pos, eol - pos);
    pos = eol + 1;
    // Conversion is line by line: a line break never belongs to a two-byte character.
    if (HasHighBytes(line)) {
      converted_.push_back(Cp932ToUtf8(line));
      line = converted_.back();
    }
    OnLine(Trim(line));
  }
}

void ChartFileIndex::OnLine(std::string_view line) {
  if (line.empty() || line[0] == ';') return;
  if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
    std::string_view name = Trim(line.substr(1, line.size() - 2));
    keyNames_ = nullptr;
    size_t sectionsSoFar = sectionCount_;
    auto use = [this](auto& slots, const std::string_view* names, size_t count) {
      values_ = slots.value.data();
      present_ = slots.present.data();
      keyNames_ = names;
      keyCount_ = count;
    };
    if (SameName(name, "GraphicalEdit")) {
      if (!headerSeen_) ++sectionCount_;
      headerSeen_ = true;
      use(header_, kHeaderNames, kHeaderKeys);
    } else if (SameName(name, "ItemFile")) {
      if (!itemFileSeen_) ++sectionCount_;
      itemFileSeen_ = true;
      use(itemFile_, kItemFileNames, kItemFileKeys);
    } else if (auto i = SectionNumber(name, "Item")) {
      use(*items_.Slot(*i, sectionsSoFar, sectionCount_), kItemNames, kItemKeys);
    } else if (auto l = SectionNumber(name, "Link")) {
      use(*links_.Slot(*l, sectionsSoFar, sectionCount_), kLinkNames, kLinkKeys);
    } else if (otherSections_.insert(FoldCase(name)).second) {
      ++sectionCount_;
    }
    return;
  }
  if (!keyNames_) return;
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  std::string_view key = Trim(line.substr(0, eq));
  for (size_t k = 0; k < keyCount_; ++k)
    if (SameName(key, keyNames_[k])) {
      values_[k] = Trim(line.substr(eq + 1));
      present_[k] = true;
      return;
    }
}

const ChartFileIndex::ItemSlots* ChartFileIndex::Item(int64_t n) const {
  return items_.Find(n);
}

const ChartFileIndex::LinkSlots* ChartFileIndex::Link(int64_t n) const {
  return links_.Find(n);
}

}  // namespace brv3
