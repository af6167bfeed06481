#include "core/util/IniLines.h"

#include "core/util/Cp932.h"
#include "core/util/IniFile.h"

namespace brv3 {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

struct Line {
  std::string_view body;  // without its line break
  std::string_view end;   // "\r\n", "\n" or "" (last line without a break)
};

std::vector<Line> SplitLines(std::string_view raw) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < raw.size()) {
    size_t nl = raw.find('\n', pos);
    if (nl == std::string_view::npos) {
      lines.push_back({raw.substr(pos), {}});
      break;
    }
    size_t bodyEnd = nl > pos && raw[nl - 1] == '\r' ? nl - 1 : nl;
    lines.push_back({raw.substr(pos, bodyEnd - pos), raw.substr(bodyEnd, nl + 1 - bodyEnd)});
    pos = nl + 1;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

}  // namespace

IniLine ParseIniLine(std::string_view body) {
  const std::string_view t = Trim(body);
  if (t.empty() || t[0] == ';') return {};
  if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
    return {IniLine::Header, Trim(t.substr(1, t.size() - 2)), {}};
  const size_t eq = t.find('=');
  if (eq == std::string_view::npos) return {};
  return {IniLine::Key, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

bool ReadableAsText(std::string_view raw) {
  return raw.find('\0') == std::string_view::npos;
}

std::string SetIniKeys(std::string_view raw, std::string_view section,
                       const std::vector<std::pair<std::string, std::string>>& keys) {
  std::vector<Line> lines = SplitLines(raw);
  std::string_view eol = "\r\n";
  for (const Line& l : lines)
    if (!l.end.empty()) {
      eol = l.end;
      break;
    }
  auto keyLine = [&](size_t k) {
    return Utf8ToCp932(OneLine(keys[k].first)) + "=" + Utf8ToCp932(OneLine(keys[k].second));
  };

  std::vector<bool> found(keys.size(), false);
  std::vector<std::string> replaced(lines.size());
  std::vector<bool> isReplaced(lines.size(), false);
  bool inSection = false;
  size_t insertAfter = SIZE_MAX;  // last content line of the section's last occurrence
  for (size_t i = 0; i < lines.size(); ++i) {
    const IniLine line = ParseIniLine(lines[i].body);
    if (line.kind == IniLine::Header) {
      inSection = SameName(line.name, section);
      if (inSection) insertAfter = i;
      continue;
    }
    if (!inSection) continue;
    if (!Trim(lines[i].body).empty()) insertAfter = i;
    if (line.kind != IniLine::Key) continue;
    for (size_t k = 0; k < keys.size(); ++k)
      if (SameName(line.name, keys[k].first)) {
        found[k] = true;
        replaced[i] = keyLine(k);
        isReplaced[i] = true;
      }
  }

  // New lines end like the line they follow.
  if (insertAfter != SIZE_MAX && !lines[insertAfter].end.empty())
    eol = lines[insertAfter].end;
  else if (insertAfter == SIZE_MAX && !lines.empty() && !lines.back().end.empty())
    eol = lines.back().end;
  std::string added;
  for (size_t k = 0; k < keys.size(); ++k)
    if (!found[k]) (added += keyLine(k)) += eol;

  std::string out;
  out.reserve(raw.size() + added.size() + section.size() + 8);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (isReplaced[i])
      out += replaced[i];
    else
      out += lines[i].body;
    out += lines[i].end;
    if (i == insertAfter && !added.empty()) {
      if (lines[i].end.empty()) out += eol;
      out += added;
    }
  }
  if (insertAfter == SIZE_MAX) {
    if (!out.empty() && out.back() != '\n') out += eol;
    ((out += '[') += Utf8ToCp932(OneLine(section))) += ']';
    out += eol;
    out += added;
  }
  return out;
}

}  // namespace brv3
