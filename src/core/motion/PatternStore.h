#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/motion/LinkCommand.h"
#include "core/util/IniFile.h"

namespace brv3 {

enum class PatternKind { Link, Conversion };

// The named link and conversion sets of PATTERN.ini, held in memory. Names are matched without
// regard to ASCII case, as the file's keys are; a name keeps the spelling it was first saved with.
class PatternStore {
 public:
  // Reads the file. A missing file gives an empty store and true; a file that exists but cannot
  // be read gives false, an empty store and the reason in `error`.
  bool Load(const std::string& path, std::string* error = nullptr);
  // Writes the whole store (cp932, atomically). Refused after a failed Load, so a file that
  // could not be read is never replaced by an empty store.
  bool Save(const std::string& path, std::string* error = nullptr) const;

  std::vector<std::string> Names(PatternKind kind) const;
  // The saved spelling of `name`, nullopt when no set of that name exists.
  std::optional<std::string> FindName(PatternKind kind, std::string_view name) const;
  bool Contains(PatternKind kind, std::string_view name) const {
    return FindName(kind, name).has_value();
  }
  // The 24 entries of a saved set; channels the stored set lacks are empty.
  std::optional<ChannelTexts> Entries(PatternKind kind, std::string_view name) const;

  // Saves a set: a new name is appended to the list, a saved one is overwritten. False (nothing
  // saved) for a name that IsStorablePatternName refuses.
  bool Store(PatternKind kind, std::string_view name, const ChannelTexts& entries);
  // Removes a set and its name; false when no such set exists.
  bool Remove(PatternKind kind, std::string_view name);

  const IniFile& Ini() const { return ini_; }

 private:
  void WriteNames(PatternKind kind, const std::vector<std::string>& names);

  IniFile ini_;
  bool loadFailed_ = false;
};

// Names that survive the INI layout: not empty, no blanks at either end, no "=", no control
// characters, not starting with ";", and every character one that cp932 can hold.
bool IsStorablePatternName(std::string_view name);

// The value form of 24 entries: each in double quotes (inner quotes doubled), joined by commas.
std::string FormatPatternEntries(const ChannelTexts& entries);
// Reads that form; missing channels are empty, extra items are dropped. `count` receives the
// number of items found.
ChannelTexts ParsePatternEntries(std::string_view value, size_t* count = nullptr);

// Section names of the store and of the exchange files.
const char* PatternListSection(PatternKind kind);  // "NewLink" / "Convert"
const char* PatternListKey(PatternKind kind);      // "NewLinkList" / "CnvList"
const char* PatternSetSection(PatternKind kind);   // "NewLinkList" / "CnvList"
const char* PatternFileSection(PatternKind kind);  // "LinkFile" / "CnvFile"

// The position editor's LinkList: the link names followed by "New Link" (as written in the code;
// ShownNewLinkItem() is that entry in the user's language). IsNewLinkItem is true for either
// form, so a link can be named neither.
extern const char* const kNewLinkItem;
std::string ShownNewLinkItem();
bool IsNewLinkItem(std::string_view name);
std::vector<std::string> LinkListItems(const PatternStore& store);

}  // namespace brv3
