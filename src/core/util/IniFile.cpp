#include "core/util/IniFile.h"

#include "core/util/Bytes.h"
#include "core/util/Cp932.h"
#include "core/util/IniLines.h"
#include "core/util/SafeFile.h"

#include <utility>

namespace brv3 {
namespace {}  // namespace

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::optional<int32_t> ParseIniInteger(std::string_view text) {
  size_t p = 0;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  std::string_view rest = text.substr(p);
  bool hex = false;
  if (!rest.empty() && rest[0] == '$') {
    hex = true;
    rest.remove_prefix(1);
  } else if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    hex = true;
    rest.remove_prefix(2);
  }
  if (rest.empty() || rest.size() > 10) {
    // More than ten digits only fits when they are leading zeros.
    size_t zeros = rest.find_first_not_of('0');
    if (rest.empty() || zeros == std::string_view::npos)
      return rest.empty() ? std::nullopt : std::optional(0);
    rest.remove_prefix(zeros);
    if (rest.size() > 10) return std::nullopt;
  }
  uint64_t value = 0;
  if (hex) {
    for (char c : rest) {
      int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<uint64_t>(d);
    }
    if (value > 0xFFFFFFFFull) return std::nullopt;
    // Hexadecimal covers the whole 32-bit pattern, so $FFFFFFFF is -1.
    auto v = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - v : v);
  }
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (negative) {
    if (value > 0x80000000ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<int32_t>(value);
}

size_t IniFile::NameHash::operator()(std::string_view s) const {
  uint64_t h = 1469598103934665603ull;
  for (char c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  return static_cast<size_t>(h);
}

bool IniFile::NameEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

IniFile::Entry* IniFile::Section::Find(std::string_view key) {
  return const_cast<Entry*>(std::as_const(*this).Find(key));
}

const IniFile::Entry* IniFile::Section::Find(std::string_view key) const {
  if (!index.empty()) {
    auto it = index.find(key);
    return it == index.end() ? nullptr : &entries[it->second];
  }
  NameEqual equal;
  for (const Entry& e : entries)
    if (equal(e.key, key)) return &e;
  return nullptr;
}

void IniFile::Section::Add(std::string key, std::string value) {
  entries.push_back({std::move(key), std::move(value)});
  if (!index.empty())
    index.emplace(entries.back().key, entries.size() - 1);
  else if (entries.size() > kIndexFrom)
    Reindex();
}

void IniFile::Section::Reindex() {
  index.clear();
  if (entries.size() <= kIndexFrom) return;
  for (size_t i = 0; i < entries.size(); ++i) index.emplace(entries[i].key, i);
}

void IniFile::ParseLine(std::string_view text, Section*& current) {
  const IniLine line = ParseIniLine(text);
  if (line.kind == IniLine::Header) {
    current = &FindOrAdd(line.name);
    return;
  }
  if (!current || line.kind != IniLine::Key) return;
  // A line read here holds no line break, so it needs no cleaning.
  if (Entry* e = current->Find(line.name))
    e->value = std::string(line.value);
  else
    current->Add(std::string(line.name), std::string(line.value));
}

void IniFile::LoadText(std::string_view text) {
  Section* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    ParseLine(text.substr(pos, eol - pos), current);
    pos = eol + 1;
  }
}

bool IniFile::LoadFile(const std::string& path, std::string* error) {
  Clear();
  skippedLines_ = 0;
  heldNul_ = false;
  Section* current = nullptr;
  std::string line;
  bool tooLong = false;
  // No cp932 character has a 0x0A byte, so the raw bytes split into lines before conversion.
  auto endLine = [&] {
    if (tooLong)
      ++skippedLines_;
    else
      ParseLine(Cp932ToUtf8(line), current);
    line.clear();
    tooLong = false;
  };
  const bool read = ReadFileInPieces(
      path,
      [&](std::string_view piece) {
        heldNul_ = heldNul_ || piece.find('\0') != std::string_view::npos;
        size_t pos = 0;
        while (pos < piece.size()) {
          const size_t eol = piece.find('\n', pos);
          const std::string_view part =
              piece.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
          if (!tooLong && line.size() + part.size() > kMaxLineBytes) {
            tooLong = true;
            std::string().swap(line);
          }
          if (!tooLong) line.append(part);
          if (eol == std::string_view::npos) break;
          endLine();
          pos = eol + 1;
        }
      },
      error);
  if (!read) {
    Clear();
    return false;
  }
  endLine();
  return true;
}

std::string IniFile::Text() const {
  std::string out;
  for (const Section& s : sections_) {
    out += '[';
    out += s.name;
    out += "]\r\n";
    for (const Entry& e : s.entries) {
      out += e.key;
      out += '=';
      out += e.value;
      out += "\r\n";
    }
    out += "\r\n";
  }
  return out;
}

bool IniFile::SaveFile(const std::string& path, std::string* error) const {
  return WriteFileAtomically(path, Utf8ToCp932(Text()), error);
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
  // Readers ask for several keys of one section in a row.
  if (lastFound_ < sections_.size() && NameEqual()(sections_[lastFound_].name, section))
    return &sections_[lastFound_];
  auto it = index_.find(section);
  if (it == index_.end()) return nullptr;
  lastFound_ = it->second;
  return &sections_[it->second];
}

IniFile::Section& IniFile::FindOrAdd(std::string_view section) {
  auto it = index_.find(section);
  if (it != index_.end()) return sections_[it->second];
  sections_.push_back({OneLine(section), {}, {}});
  sections_.back().entries.reserve(8);
  index_.emplace(sections_.back().name, sections_.size() - 1);
  return sections_.back();
}

void IniFile::Reindex() {
  lastFound_ = SIZE_MAX;
  index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) index_.emplace(sections_[i].name, i);
}

bool IniFile::SectionExists(std::string_view section) const {
  return Find(section) != nullptr;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  if (!s) return nullptr;
  const Entry* e = s->Find(key);
  return e ? &e->value : nullptr;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const std::string* v = Find(section, key);
  if (!v) return std::nullopt;
  return *v;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const std::string* v = Find(section, key);
  return v ? *v : std::string(def);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const std::string* v = Find(section, key);
  if (!v) return def;
  return ParseIniInteger(*v).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section& s = FindOrAdd(section);
  if (Entry* e = s.Find(key))
    e->value = OneLine(value);
  else
    s.Add(OneLine(key), OneLine(value));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
  auto it = index_.find(section);
  if (it == index_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex();
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  auto sit = index_.find(section);
  if (sit == index_.end()) return;
  Section& s = sections_[sit->second];
  const Entry* e = s.Find(key);
  if (!e) return;
  s.entries.erase(s.entries.begin() + (e - s.entries.data()));
  s.Reindex();
}

void IniFile::Clear() {
  lastFound_ = SIZE_MAX;
  sections_.clear();
  index_.clear();
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* s = Find(section))
    for (const Entry& e : s->entries) names.push_back(e.key);
  return names;
}

}  // namespace brv3
