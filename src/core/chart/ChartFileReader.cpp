#include "core/chart/ChartFileReader.h"

#include <algorithm>
#include <cstring>

#include "core/util/CommaText.h"
#include "core/util/Cp932.h"
#include "core/util/IniFile.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

constexpr uint8_t kSeen = 1, kNamed = 2;
constexpr size_t kLongestHeader = 1 << 20;
// Sections numbered this far beyond the sections read so far are kept apart.
constexpr uint64_t kDenseSlack = 4096;

constexpr std::string_view kHeaderNames[] = {"Type",  "Width", "Height", "Items",
                                             "Links", "Start", "Name",   "Ctrl"};
constexpr std::string_view kItemFileNames[] = {"ItemCount", "LinkCount"};

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

// The number of a section named `prefix` + a number written as the writers write it (decimal, no
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

// Lines are converted one at a time: a line break never belongs to a two-byte character.
std::string_view AsUtf8(std::string_view line, std::string& buffer) {
  if (!HasHighBytes(line)) return line;
  buffer = Cp932ToUtf8(line);
  return buffer;
}

int32_t IntOr(std::string_view v, int32_t def) {
  return ParseIniInteger(v).value_or(def);
}

// The Prm value: the speed, then the channel words. Plain digits and commas (what the program
// writes) are split here; anything else goes through the comma-text reader.
void ReadPrm(std::string_view text, uint8_t& head, ChannelWords& values) {
  bool plain = true;
  for (char c : text) plain &= (c >= '0' && c <= '9') || c == ',';
  if (!plain) {
    ParsePrmText(std::string(text), head, values);
    return;
  }
  head = 1;
  values.fill(0);
  size_t i = 0, pos = 0;
  while (!text.empty() && i <= values.size()) {
    size_t comma = text.find(',', pos);
    std::string_view field =
        text.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
    auto v = ParseIniInteger(field);
    if (i == 0)
      head = static_cast<uint8_t>(v.value_or(1));
    else
      values[i - 1] = static_cast<uint16_t>(v.value_or(0));
    ++i;
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
}

// Splits pieces into lines at `Break`, carrying a line split between pieces.
template <class OnLine>
void SplitPiece(std::string_view bytes, std::string& carry, char breakChar, OnLine onLine) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t eol = bytes.find(breakChar, pos);
    if (eol == std::string_view::npos) {
      carry.append(bytes.substr(pos));
      return;
    }
    if (!carry.empty()) {
      carry.append(bytes.substr(pos, eol - pos));
      onLine(std::string_view(carry));
      carry.clear();
    } else {
      onLine(bytes.substr(pos, eol - pos));
    }
    pos = eol + 1;
  }
}

}  // namespace

ChartObject DefaultFileObject() {
  ChartObject o;
  o.Width = 50;
  o.Height = 30;
  o.Color = 0xFFFFFF;
  o.Head = 1;
  return o;
}

void ChartFileReader::Feed(std::string_view bytes) {
  SplitPiece(bytes, carry_, '\n', [this](std::string_view line) { OnLine(line); });
}

void ChartFileReader::Finish() {
  // The text after the last line break is a line too.
  std::string last;
  last.swap(carry_);
  OnLine(last);
}

void ChartFileReader::OnLine(std::string_view raw) {
  std::string_view line = Trim(AsUtf8(raw, converted_));
  if (line.empty() || line[0] == ';') return;
  if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
    OnSection(Trim(line.substr(1, line.size() - 2)));
    return;
  }
  if (current_ == Current::None || current_ == Current::Other) return;
  size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  std::string_view key = Trim(line.substr(0, eq));
  std::string_view value = Trim(line.substr(eq + 1));
  switch (current_) {
    case Current::Item:
      OnItemKey(key, value);
      break;
    case Current::Link:
      OnLinkKey(key, value);
      break;
    case Current::Header:
      for (size_t k = 0; k < kHeaderKeys; ++k)
        if (SameName(key, kHeaderNames[k])) {
          header_[k] = std::string(value);
          Reserve(static_cast<HeaderKey>(k), value);
        }
      break;
    case Current::ItemFile:
      for (size_t k = 0; k < kItemFileKeys; ++k)
        if (SameName(key, kItemFileNames[k])) itemFile_[k] = std::string(value);
      break;
    default:
      break;
  }
}

bool ChartFileReader::Dense(uint64_t n, size_t size) const {
  return n < size + kDenseSlack + 2 * uint64_t{sectionCount_};
}

// Counts in the header size the record lists once, within what the input can hold.
void ChartFileReader::Reserve(HeaderKey key, std::string_view value) {
  if (key != HItems && key != HLinks) return;
  int64_t count = std::clamp<int64_t>(IntOr(value, 0), 0, static_cast<int64_t>(sizeHint_ / 16));
  if (key == HItems && items_.empty()) {
    items_.reserve(static_cast<size_t>(count));
    itemFlags_.reserve(static_cast<size_t>(count));
  } else if (key == HLinks && links_.empty()) {
    links_.reserve(static_cast<size_t>(count));
  }
}

void ChartFileReader::OnSection(std::string_view name) {
  current_ = Current::Other;
  if (SameName(name, "GraphicalEdit")) {
    if (!headerSeen_) ++sectionCount_;
    headerSeen_ = true;
    current_ = Current::Header;
  } else if (SameName(name, "ItemFile")) {
    if (!itemFileSeen_) ++sectionCount_;
    itemFileSeen_ = true;
    current_ = Current::ItemFile;
  } else if (auto i = SectionNumber(name, "Item")) {
    current_ = Current::Item;
    if (Dense(*i, items_.size())) {
      if (*i >= items_.size()) {
        static const ChartObject kDefault = DefaultFileObject();
        if (*i == items_.size())
          items_.push_back(kDefault);
        else
          items_.resize(*i + 1, kDefault);
        itemFlags_.resize(*i + 1, 0);
      }
      if (!(itemFlags_[*i] & kSeen)) ++sectionCount_;
      itemFlags_[*i] |= kSeen;
      item_ = &items_[*i];
      itemFlag_ = &itemFlags_[*i];
      itemNamedSparse_ = nullptr;
    } else {
      auto [it, added] = sparseItems_.try_emplace(*i, SparseItem{DefaultFileObject(), false});
      if (added) ++sectionCount_;
      item_ = &it->second.object;
      itemNamedSparse_ = &it->second.named;
      itemFlag_ = nullptr;
    }
  } else if (auto l = SectionNumber(name, "Link")) {
    current_ = Current::Link;
    linkNumber_ = *l;
    if (Dense(*l, links_.size())) {
      if (*l >= links_.size()) {
        links_.resize(*l + 1);
        linkSeen_.resize(*l + 1, false);
      }
      if (!linkSeen_[*l]) ++sectionCount_;
      linkSeen_[*l] = true;
      link_ = &links_[*l];
    } else {
      auto [it, added] = sparseLinks_.try_emplace(*l);
      if (added) ++sectionCount_;
      link_ = &it->second;
    }
  } else if (otherSections_.insert(FoldCase(name)).second) {
    ++sectionCount_;
  }
}

void ChartFileReader::OnItemKey(std::string_view key, std::string_view value) {
  ChartObject& o = *item_;
  switch (key.size()) {
    case 3:
      if (SameName(key, "Top"))
        o.Top = IntOr(value, 0);
      else if (SameName(key, "Prm"))
        ReadPrm(value, o.Head, o.Values);
      break;
    case 4:
      if (SameName(key, "Name")) {
        o.Name = std::string(value);
        if (itemFlag_) *itemFlag_ |= kNamed;
        if (itemNamedSparse_) *itemNamedSparse_ = true;
      } else if (SameName(key, "Left")) {
        o.Left = IntOr(value, 0);
      } else if (SameName(key, "Type")) {
        o.Type = static_cast<uint8_t>(IntOr(value, 0));
      }
      break;
    case 5:
      if (SameName(key, "Width"))
        o.Width = IntOr(value, 50);
      else if (SameName(key, "Color"))
        o.Color = static_cast<uint32_t>(IntOr(value, 0xFFFFFF));
      break;
    case 6:
      if (SameName(key, "Height")) o.Height = IntOr(value, 30);
      break;
    default:
      break;
  }
}

void ChartFileReader::OnLinkKey(std::string_view key, std::string_view value) {
  LinkRecord& l = *link_;
  if (SameName(key, "Main")) {
    l.main = IntOr(value, 0);
  } else if (SameName(key, "Origin")) {
    l.origin = IntOr(value, -1);
  } else if (SameName(key, "Final")) {
    l.final = IntOr(value, -1);
  } else if (SameName(key, "Point")) {
    // Pairs of integers; an odd last number is ignored.
    l.points.clear();
    if (l.badPoint) pointErrors_.erase(linkNumber_);
    l.badPoint = false;
    if (value.empty()) return;
    std::vector<std::string> fields = SplitCommaText(value);
    l.points.reserve(fields.size() / 2);
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
      auto x = ParseIniInteger(fields[i]);
      auto y = ParseIniInteger(fields[i + 1]);
      if (!x || !y) {
        l.badPoint = true;
        pointErrors_[linkNumber_] = Args(Tr("ChartFileReader", "'%1' is not a valid integer value"),
                                         {!x ? fields[i] : fields[i + 1]});
        return;
      }
      l.points.push_back({*x, *y});
    }
  }
}

int32_t ChartFileReader::HeaderInteger(HeaderKey key, int32_t def) const {
  return header_[key] ? IntOr(*header_[key], def) : def;
}

std::string ChartFileReader::HeaderString(HeaderKey key, std::string_view def) const {
  return header_[key] ? *header_[key] : std::string(def);
}

int32_t ChartFileReader::ItemFileInteger(ItemFileKey key, int32_t def) const {
  return itemFile_[key] ? IntOr(*itemFile_[key], def) : def;
}

std::vector<ChartObject> ChartFileReader::TakeObjects(size_t count) {
  std::vector<ChartObject> objects;
  if (sparseItems_.empty() && items_.size() >= count) {
    items_.resize(count);
    objects.swap(items_);
  } else {
    objects.reserve(count);
    for (size_t i = 0; i < count; ++i) {
      if (i < items_.size()) {
        objects.push_back(std::move(items_[i]));
      } else if (auto it = sparseItems_.find(i); it != sparseItems_.end()) {
        objects.push_back(std::move(it->second.object));
      } else {
        objects.push_back(DefaultFileObject());
      }
    }
  }
  return objects;
}

bool ChartFileReader::ItemNamed(int64_t n) const {
  if (n < 0) return false;
  auto u = static_cast<uint64_t>(n);
  if (u < itemFlags_.size()) return itemFlags_[u] & kNamed;
  auto it = sparseItems_.find(u);
  return it != sparseItems_.end() && it->second.named;
}

const ChartFileReader::LinkRecord* ChartFileReader::Link(int64_t n) const {
  if (n < 0) return nullptr;
  auto u = static_cast<uint64_t>(n);
  if (u < links_.size()) return linkSeen_[u] ? &links_[u] : nullptr;
  auto it = sparseLinks_.find(u);
  return it == sparseLinks_.end() ? nullptr : &it->second;
}

std::string ChartFileReader::PointError(int64_t n) const {
  const LinkRecord* l = Link(n);
  if (!l || !l->badPoint) return {};
  auto it = pointErrors_.find(static_cast<uint64_t>(n));
  return it == pointErrors_.end() ? std::string() : it->second;
}

void CsvMotionReader::Feed(std::string_view bytes) {
  if (state_ == State::Failed) return;
  // Lines end at CR LF, CR or LF: split at LF, then at CR within each piece.
  if (skipNewline_ && !bytes.empty() && bytes[0] == '\n') bytes.remove_prefix(1);
  skipNewline_ = false;
  size_t pos = 0;
  while (pos < bytes.size() && state_ != State::Failed) {
    size_t eol = bytes.find_first_of("\r\n", pos);
    if (eol == std::string_view::npos) {
      carry_.append(bytes.substr(pos));
      // No header line is this long: whatever the file is, it is no CSV motion file.
      if (state_ == State::Header && carry_.size() > kLongestHeader) {
        state_ = State::Failed;
        carry_.clear();
      }
      return;
    }
    if (!carry_.empty()) {
      carry_.append(bytes.substr(pos, eol - pos));
      std::string line;
      line.swap(carry_);
      OnLine(line);
    } else {
      OnLine(bytes.substr(pos, eol - pos));
    }
    if (bytes[eol] == '\r') {
      if (eol + 1 == bytes.size()) skipNewline_ = true;
      if (eol + 1 < bytes.size() && bytes[eol + 1] == '\n') ++eol;
    }
    pos = eol + 1;
  }
}

void CsvMotionReader::Finish() {
  if (!carry_.empty() && state_ != State::Failed) {
    std::string line;
    line.swap(carry_);
    OnLine(line);
  }
}

void CsvMotionReader::OnLine(std::string_view raw) {
  std::string_view line = AsUtf8(raw, converted_);
  auto field = [](const std::vector<std::string>& row, size_t i) -> std::string {
    return i < row.size() ? row[i] : std::string();
  };
  if (state_ == State::Header) {
    std::vector<std::string> head = SplitCommaText(line);
    if (head.size() != 27 || head[0] != "NO" || head[2] != "SPEED") {
      state_ = State::Failed;
      return;
    }
    name_ = head[1];
    state_ = State::Rows;
    return;
  }
  // Editors often leave blank lines at the end; they carry no motion. A blank line with more
  // lines after it breaks the numbering.
  if (line.find_first_not_of(" \t") == std::string_view::npos) {
    blankSeen_ = true;
    return;
  }
  std::vector<std::string> row = SplitCommaText(line);
  const auto k = static_cast<int32_t>(steps_.size() + 1);
  if (blankSeen_ || row.empty() || ParseIniInteger(row[0]) != std::optional<int32_t>(k)) {
    state_ = State::Failed;
    steps_.clear();
    return;
  }
  Step& step = steps_.emplace_back();
  step.name = field(row, 1);
  // The speed is a power of two; the shift count wraps like the processor's (mod 32).
  auto speed = static_cast<uint32_t>(ParseIniInteger(field(row, 2)).value_or(1));
  step.head = static_cast<uint8_t>(1u << (speed & 31u));
  for (size_t c = 0; c < kChannels; ++c) {
    int32_t v = ParseIniInteger(field(row, c + 3)).value_or(225);
    uint16_t w = 0;
    if (v >= -180 && v <= 180)
      w = static_cast<uint16_t>(16384 + v);
    else if (v >= 221 && v <= 224)
      w = static_cast<uint16_t>(32770 + (v - 221));
    else if (v == 225 || v == 226)
      w = static_cast<uint16_t>(32768 + (v - 225));
    step.values[c] = w;
  }
}

}  // namespace brv3
