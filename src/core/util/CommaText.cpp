#include "core/util/CommaText.h"

namespace brv3 {
namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

void ForEachCommaField(std::string_view text,
                       const std::function<void(std::string_view)>& onField) {
  size_t p = 0;
  const size_t n = text.size();
  while (p < n && IsBlank(text[p])) ++p;
  while (p < n) {
    std::string quoted;
    std::string_view field;
    if (text[p] == '"') {
      std::string& field = quoted;
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            field += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        field += text[p++];
      }
      onField(quoted);
    } else {
      size_t start = p;
      while (p < n && !IsBlank(text[p]) && text[p] != ',') ++p;
      field = text.substr(start, p - start);
      onField(field);
    }
    while (p < n && IsBlank(text[p])) ++p;
    if (p < n && text[p] == ',') {
      if (p + 1 == n) onField(std::string_view());
      ++p;
      while (p < n && IsBlank(text[p])) ++p;
    }
  }
}

std::vector<std::string> SplitCommaText(std::string_view text) {
  std::vector<std::string> fields;
  ForEachCommaField(text, [&fields](std::string_view f) { fields.emplace_back(f); });
  return fields;
}

std::string JoinCommaText(const std::vector<std::string>& fields) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += ',';
    const std::string& f = fields[i];
    if (f.find_first_of(" ,\"") == std::string::npos) {
      out += f;
      continue;
    }
    out += '"';
    for (char c : f) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

}  // namespace brv3
