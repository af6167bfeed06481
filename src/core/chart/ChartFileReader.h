#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/chart/Chart.h"

namespace brv3 {

// Reads the sections of a chart or item file that the readers use, in one pass over the file's
// raw cp932 bytes fed in pieces of any size, so the file never has to be held whole. It reads as
// the INI reader would: names without regard to case, the last of repeated keys wins, repeated
// sections merge, text converted to UTF-8, values that are not numbers read as the default. Each
// [ItemN] and [LinkN] section becomes a record as it is read; nothing else of the file is kept.
class ChartFileReader {
 public:
  enum HeaderKey { HType, HWidth, HHeight, HItems, HLinks, HStart, HName, HCtrl, kHeaderKeys };
  enum ItemFileKey { FItemCount, FLinkCount, kItemFileKeys };

  // A [LinkN] section: ends as written, bend points not yet moved or clamped.
  struct LinkRecord {
    int32_t main = 0;
    int32_t origin = -1;
    int32_t final = -1;
    bool badPoint = false;  // a bend point is not a number: PointError says which
    std::vector<LinkPoint> points;
  };

  // `sizeHint`: the size of the whole input when known; it bounds what the counts in the header
  // may reserve.
  explicit ChartFileReader(uint64_t sizeHint = 0) : sizeHint_(sizeHint) {}
  void Feed(std::string_view bytes);
  void Finish();  // after the last piece

  int32_t HeaderInteger(HeaderKey key, int32_t def) const;
  std::string HeaderString(HeaderKey key, std::string_view def) const;
  int32_t ItemFileInteger(ItemFileKey key, int32_t def) const;
  // How many differently named sections the file holds.
  size_t SectionCount() const { return sectionCount_; }

  // Objects [0, count): the [ItemN] sections over the defaults of a missing one. Moves them out.
  std::vector<ChartObject> TakeObjects(size_t count);
  // Whether [ItemN] names its object.
  bool ItemNamed(int64_t n) const;
  const LinkRecord* Link(int64_t n) const;
  // The message for the first bend point of [LinkN] that is not a number.
  std::string PointError(int64_t n) const;

 private:
  enum class Current { None, Header, ItemFile, Item, Link, Other };
  struct SparseItem {
    ChartObject object;
    bool named = false;
  };

  void OnLine(std::string_view line);
  void OnSection(std::string_view name);
  void OnItemKey(std::string_view key, std::string_view value);
  void OnLinkKey(std::string_view key, std::string_view value);
  bool Dense(uint64_t n, size_t size) const;
  void Reserve(HeaderKey key, std::string_view value);

  uint64_t sizeHint_;
  std::array<std::optional<std::string>, kHeaderKeys> header_;
  std::array<std::optional<std::string>, kItemFileKeys> itemFile_;
  bool headerSeen_ = false, itemFileSeen_ = false;
  // Sections numbered in the range of the sections held are kept in order; numbers far beyond it
  // are kept apart, so a file naming [Item999999999] allocates nothing for the numbers below.
  std::vector<ChartObject> items_;
  std::vector<uint8_t> itemFlags_;  // kSeen, kNamed
  std::unordered_map<uint64_t, SparseItem> sparseItems_;
  std::vector<LinkRecord> links_;
  std::vector<bool> linkSeen_;
  std::unordered_map<uint64_t, LinkRecord> sparseLinks_;
  std::unordered_map<uint64_t, std::string> pointErrors_;  // by link number; rare, so kept apart
  std::unordered_set<std::string> otherSections_;          // folded names
  size_t sectionCount_ = 0;

  Current current_ = Current::None;
  ChartObject* item_ = nullptr;
  bool* itemNamedSparse_ = nullptr;
  uint8_t* itemFlag_ = nullptr;
  LinkRecord* link_ = nullptr;
  uint64_t linkNumber_ = 0;

  std::string carry_;      // a line split between two pieces
  std::string converted_;  // a line that held non-ASCII bytes, as UTF-8
};

// A CSV motion file read in one pass over pieces of its raw bytes: a header line "NO,name,SPEED"
// with 24 channel columns, then rows numbered from 1; blank lines only at the end.
class CsvMotionReader {
 public:
  struct Step {
    std::string name;
    uint8_t head = 1;
    ChannelWords values{};
  };

  void Feed(std::string_view bytes);
  void Finish();
  // True when the bytes were a CSV motion file with at least one row.
  bool Valid() const { return state_ == State::Rows && !steps_.empty(); }
  const std::string& Name() const { return name_; }
  std::vector<Step>& Steps() { return steps_; }

 private:
  enum class State { Header, Rows, Failed };
  void OnLine(std::string_view line);

  State state_ = State::Header;
  bool blankSeen_ = false;
  bool skipNewline_ = false;  // the last piece ended in CR
  std::string name_;
  std::vector<Step> steps_;
  std::string carry_;
  std::string converted_;
};

// The default object of an [ItemN] section that holds no keys.
ChartObject DefaultFileObject();

}  // namespace brv3
