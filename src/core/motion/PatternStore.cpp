#include "core/motion/PatternStore.h"

#include <filesystem>
#include <system_error>

#include "core/util/CommaText.h"
#include "core/util/Cp932.h"
#include "core/util/Translate.h"

namespace brv3 {

const char* const kNewLinkItem = BRV3_TR_NOOP("PatternStore", "New Link");

std::string ShownNewLinkItem() {
  return Tr("PatternStore", kNewLinkItem);
}

bool IsNewLinkItem(std::string_view name) {
  return name == kNewLinkItem || name == ShownNewLinkItem();
}

const char* PatternListSection(PatternKind kind) {
  return kind == PatternKind::Link ? "NewLink" : "Convert";
}
const char* PatternListKey(PatternKind kind) {
  return kind == PatternKind::Link ? "NewLinkList" : "CnvList";
}
const char* PatternSetSection(PatternKind kind) {
  return kind == PatternKind::Link ? "NewLinkList" : "CnvList";
}
const char* PatternFileSection(PatternKind kind) {
  return kind == PatternKind::Link ? "LinkFile" : "CnvFile";
}

bool IsStorablePatternName(std::string_view name) {
  if (name.empty() || name.front() == ';') return false;
  if (static_cast<unsigned char>(name.front()) <= ' ') return false;
  if (static_cast<unsigned char>(name.back()) <= ' ') return false;
  for (char c : name)
    if (c == '=' || (static_cast<unsigned char>(c) < ' ') || c == 0x7F) return false;
  // The file is cp932: a name it cannot spell would come back as another name.
  return Cp932ToUtf8(Utf8ToCp932(name)) == name;
}

std::string FormatPatternEntries(const ChannelTexts& entries) {
  std::string out;
  for (size_t c = 0; c < entries.size(); ++c) {
    if (c) out += ',';
    out += '"';
    for (char ch : entries[c]) {
      if (ch == '\r' || ch == '\n') continue;
      if (ch == '"') out += '"';
      out += ch;
    }
    out += '"';
  }
  return out;
}

ChannelTexts ParsePatternEntries(std::string_view value, size_t* count) {
  std::vector<std::string> items = SplitCommaText(value);
  if (count) *count = items.size();
  ChannelTexts entries;
  for (size_t c = 0; c < entries.size() && c < items.size(); ++c) entries[c] = items[c];
  return entries;
}

bool PatternStore::Load(const std::string& path, std::string* error) {
  ini_.Clear();
  loadFailed_ = false;
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return true;
  loadFailed_ = !ini_.LoadFile(path, error);
  return !loadFailed_;
}

bool PatternStore::Save(const std::string& path, std::string* error) const {
  if (loadFailed_) {
    if (error)
      *error = Tr("PatternStore",
                  "the settings file could not be read before, so it is not overwritten");
    return false;
  }
  return ini_.SaveFile(path, error);
}

std::vector<std::string> PatternStore::Names(PatternKind kind) const {
  std::vector<std::string> names;
  auto list = ini_.Value(PatternListSection(kind), PatternListKey(kind));
  if (!list) return names;
  for (std::string& name : SplitCommaText(*list)) {
    if (name.empty()) continue;
    bool seen = false;
    for (const std::string& n : names) seen = seen || FoldCase(n) == FoldCase(name);
    if (!seen) names.push_back(std::move(name));
  }
  return names;
}

std::optional<std::string> PatternStore::FindName(PatternKind kind, std::string_view name) const {
  const std::string folded = FoldCase(name);
  for (std::string& n : Names(kind))
    if (FoldCase(n) == folded) return std::move(n);
  return std::nullopt;
}

std::optional<ChannelTexts> PatternStore::Entries(PatternKind kind, std::string_view name) const {
  auto saved = FindName(kind, name);
  if (!saved) return std::nullopt;
  auto value = ini_.Value(PatternSetSection(kind), *saved);
  if (!value) return ChannelTexts{};
  return ParsePatternEntries(*value);
}

void PatternStore::WriteNames(PatternKind kind, const std::vector<std::string>& names) {
  ini_.WriteString(PatternListSection(kind), PatternListKey(kind), JoinCommaText(names));
}

bool PatternStore::Store(PatternKind kind, std::string_view name, const ChannelTexts& entries) {
  if (!IsStorablePatternName(name)) return false;
  std::string key(name);
  if (auto saved = FindName(kind, name)) {
    key = *saved;
  } else {
    std::vector<std::string> names = Names(kind);
    names.push_back(key);
    WriteNames(kind, names);
  }
  ini_.WriteString(PatternSetSection(kind), key, FormatPatternEntries(entries));
  return true;
}

bool PatternStore::Remove(PatternKind kind, std::string_view name) {
  auto saved = FindName(kind, name);
  if (!saved) return false;
  ini_.DeleteKey(PatternSetSection(kind), *saved);
  std::vector<std::string> names = Names(kind);
  std::erase_if(names, [&](const std::string& n) { return FoldCase(n) == FoldCase(*saved); });
  WriteNames(kind, names);
  return true;
}

std::vector<std::string> LinkListItems(const PatternStore& store) {
  std::vector<std::string> items = store.Names(PatternKind::Link);
  items.push_back(ShownNewLinkItem());
  return items;
}

}  // namespace brv3
