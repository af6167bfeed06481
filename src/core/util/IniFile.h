#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brv3 {

// An INI document held in memory: sections and keys keep their first-written order, names match
// without regard to (ASCII) case, values are UTF-8 in memory and cp932 on disk, lines end in CR LF.
class IniFile {
 public:
  // Parses text that is already UTF-8. Sections and keys already held are kept; read ones are
  // added or overwrite values.
  void LoadText(std::string_view text);
  // Loads a cp932 file line by line. False (and an empty document) when the file cannot be read.
  // A line longer than kMaxLineBytes is skipped (no setting needs one, and a file of one huge line
  // must not cost memory in proportion); SkippedLines() counts them.
  bool LoadFile(const std::string& path, std::string* error = nullptr);
  static constexpr size_t kMaxLineBytes = 1 << 20;
  size_t SkippedLines() const { return skippedLines_; }
  // Whether the last LoadFile met a NUL byte (a file in UTF-16, or no text at all).
  bool HeldNulBytes() const { return heldNul_; }

  std::string Text() const;  // UTF-8
  // Writes the document as cp932, atomically (temporary file + rename).
  bool SaveFile(const std::string& path, std::string* error = nullptr) const;

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // The stored value, or null; valid until the document changes.
  const std::string* Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int64_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view key);
  void Clear();

  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;
  size_t SectionCount() const { return sections_.size(); }

 private:
  // Case-insensitive hashing that looks up string_views without building folded copies.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const;
  };
  struct NameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using NameIndex = std::unordered_map<std::string, size_t, NameHash, NameEqual>;

  struct Entry {
    std::string key;
    std::string value;
  };
  // Small sections are searched in place; a large one gets a key index.
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    NameIndex index;  // filled once the section holds more than kIndexFrom entries

    static constexpr size_t kIndexFrom = 16;
    Entry* Find(std::string_view key);
    const Entry* Find(std::string_view key) const;
    void Add(std::string key, std::string value);
    void Reindex();
  };

  const Section* Find(std::string_view section) const;
  Section& FindOrAdd(std::string_view section);
  void Reindex();
  // One line of text (UTF-8, line break removed); `current` is the section lines go to.
  void ParseLine(std::string_view line, Section*& current);

  std::vector<Section> sections_;
  NameIndex index_;  // section name -> position
  mutable size_t lastFound_ = SIZE_MAX;
  size_t skippedLines_ = 0;
  bool heldNul_ = false;
};

// Integer syntax of the settings and chart files: decimal with an optional sign, or hexadecimal
// after "$" or "0x"/"0X". nullopt when the text is not such a number or does not fit 32 bits.
std::optional<int32_t> ParseIniInteger(std::string_view text);

std::string FoldCase(std::string_view text);

}  // namespace brv3
