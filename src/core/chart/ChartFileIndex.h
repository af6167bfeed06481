#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace brv3 {

// The values a chart or item file reader asks for, found in one pass over the file's raw cp932
// bytes. It reads exactly as the INI reader would (names without regard to case, the last of
// repeated keys wins, repeated sections merge, text converted to UTF-8), but keeps only views of
// the keys the readers use, indexed by section number instead of by name. Views point into the
// raw bytes (which must outlive the index) or, for lines holding non-ASCII bytes, into converted
// copies the index owns.
class ChartFileIndex {
 public:
  enum HeaderKey { HType, HWidth, HHeight, HItems, HLinks, HStart, HName, HCtrl, kHeaderKeys };
  enum ItemFileKey { FItemCount, FLinkCount, kItemFileKeys };
  enum ItemKey { IName, IWidth, IHeight, ILeft, ITop, IColor, IType, IPrm, kItemKeys };
  enum LinkKey { LMain, LOrigin, LFinal, LPoint, kLinkKeys };

  template <size_t N>
  struct Slots {
    std::array<std::string_view, N> value{};
    std::array<bool, N> present{};
    const std::string_view* Find(size_t key) const { return present[key] ? &value[key] : nullptr; }
  };
  using ItemSlots = Slots<kItemKeys>;
  using LinkSlots = Slots<kLinkKeys>;

  explicit ChartFileIndex(std::string_view raw);
  ChartFileIndex(const ChartFileIndex&) = delete;
  ChartFileIndex& operator=(const ChartFileIndex&) = delete;

  const Slots<kHeaderKeys>& Header() const { return header_; }        // [GraphicalEdit]
  const Slots<kItemFileKeys>& ItemFile() const { return itemFile_; }  // [ItemFile]
  // [ItemN] / [LinkN]; null when the file has no such section.
  const ItemSlots* Item(int64_t n) const;
  const LinkSlots* Link(int64_t n) const;
  // How many differently named sections the file holds.
  size_t SectionCount() const { return sectionCount_; }

 private:
  template <class S>
  struct Numbered {
    std::vector<S> dense;
    std::vector<bool> seen;
    std::unordered_map<uint64_t, S> sparse;  // numbers far beyond the sections held
    S* Slot(uint64_t n, size_t sectionsSoFar, size_t& sectionCount);
    const S* Find(int64_t n) const;
  };

  void OnLine(std::string_view line);

  Slots<kHeaderKeys> header_;
  Slots<kItemFileKeys> itemFile_;
  bool headerSeen_ = false, itemFileSeen_ = false;
  Numbered<ItemSlots> items_;
  Numbered<LinkSlots> links_;
  std::unordered_set<std::string> otherSections_;  // folded names
  size_t sectionCount_ = 0;

  // The section the lines read now belong to.
  std::string_view* values_ = nullptr;
  bool* present_ = nullptr;
  const std::string_view* keyNames_ = nullptr;
  size_t keyCount_ = 0;

  std::deque<std::string> converted_;  // lines that held non-ASCII bytes, as UTF-8
};

}  // namespace brv3
