#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brv3 {

// True when the raw bytes of a settings file can be read as cp932 text: files in UTF-16 or UTF-32,
// or binary files, hold NUL bytes and are not.
bool ReadableAsText(std::string_view raw);

// One line of an INI file (without its line break): a section header with its name, a key line
// with its key and value, or anything else (blank, comment, foreign). Names and values are
// trimmed of blanks and control characters.
struct IniLine {
  enum Kind { Other, Header, Key } kind = Other;
  std::string_view name;
  std::string_view value;
};
IniLine ParseIniLine(std::string_view body);

// A name or value made to stay on one line: line breaks become blanks.
std::string OneLine(std::string_view s);

// Sets keys of one section in the raw (cp932) bytes of an INI file and returns the new bytes.
// Only the lines of those keys change: every other line, blank, comment, foreign or unreadable,
// stays byte for byte. A key already there has each of its lines rewritten; a missing key is
// added after the last line of the section's last occurrence; a missing section is added at the
// end. New lines end like the line they follow (CR LF when the file has no line ends). Values are
// UTF-8.
std::string SetIniKeys(std::string_view raw, std::string_view section,
                       const std::vector<std::pair<std::string, std::string>>& keys);

}  // namespace brv3
