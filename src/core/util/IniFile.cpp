#include "core/util/IniFile.h"

#include "core/util/Cp932.h"
#include "core/util/SafeFile.h"

namespace brv3 {
namespace {

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// Values and names must stay on one line.
std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

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
  if (rest.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : rest) {
    int d = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (d < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(d);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (hex) {
    // Hexadecimal covers the whole 32-bit pattern, so $FFFFFFFF is -1.
    auto v = static_cast<int32_t>(static_cast<uint32_t>(value));
    return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(v)) : v;
  }
  if (negative) {
    if (value > 0x80000000ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<int32_t>(value);
}

void IniFile::LoadText(std::string_view text) {
  Section* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t eol = text.find('\n', pos);
    if (eol == std::string_view::npos) eol = text.size();
    std::string_view line = Trim(text.substr(pos, eol - pos));
    pos = eol + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &FindOrAdd(Trim(line.substr(1, line.size() - 2)));
      continue;
    }
    size_t eq = line.find('=');
    if (!current || eq == std::string_view::npos) continue;
    std::string_view key = Trim(line.substr(0, eq));
    std::string_view value = Trim(line.substr(eq + 1));
    std::string folded = FoldCase(key);
    auto it = current->index.find(folded);
    if (it != current->index.end()) {
      current->entries[it->second].value = std::string(value);
    } else {
      current->index.emplace(std::move(folded), current->entries.size());
      current->entries.push_back({std::string(key), std::string(value)});
    }
  }
}

bool IniFile::LoadFile(const std::string& path, std::string* error) {
  Clear();
  auto bytes = ReadWholeFile(path, error);
  if (!bytes) return false;
  LoadText(Cp932ToUtf8(*bytes));
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
  auto it = index_.find(FoldCase(section));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

IniFile::Section& IniFile::FindOrAdd(std::string_view section) {
  std::string folded = FoldCase(section);
  auto it = index_.find(folded);
  if (it != index_.end()) return sections_[it->second];
  index_.emplace(std::move(folded), sections_.size());
  sections_.push_back({OneLine(section), {}, {}});
  return sections_.back();
}

void IniFile::Reindex() {
  index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) index_.emplace(FoldCase(sections_[i].name), i);
}

bool IniFile::SectionExists(std::string_view section) const {
  return Find(section) != nullptr;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return Value(section, key).has_value();
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const Section* s = Find(section);
  if (!s) return std::nullopt;
  auto it = s->index.find(FoldCase(key));
  if (it == s->index.end()) return std::nullopt;
  return s->entries[it->second].value;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  auto v = Value(section, key);
  return v ? *v : std::string(def);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  auto v = Value(section, key);
  if (!v) return def;
  return ParseIniInteger(*v).value_or(def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section& s = FindOrAdd(section);
  std::string folded = FoldCase(key);
  auto it = s.index.find(folded);
  if (it != s.index.end()) {
    s.entries[it->second].value = OneLine(value);
    return;
  }
  s.index.emplace(std::move(folded), s.entries.size());
  s.entries.push_back({OneLine(key), OneLine(value)});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
  auto it = index_.find(FoldCase(section));
  if (it == index_.end()) return;
  sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(it->second));
  Reindex();
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  auto sit = index_.find(FoldCase(section));
  if (sit == index_.end()) return;
  Section& s = sections_[sit->second];
  auto it = s.index.find(FoldCase(key));
  if (it == s.index.end()) return;
  s.entries.erase(s.entries.begin() + static_cast<std::ptrdiff_t>(it->second));
  s.index.clear();
  for (size_t i = 0; i < s.entries.size(); ++i) s.index.emplace(FoldCase(s.entries[i].key), i);
}

void IniFile::Clear() {
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
