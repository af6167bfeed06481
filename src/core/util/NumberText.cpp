#include "core/util/NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace brv3 {
namespace {

constexpr int64_t kSaturation = int64_t{1} << 40;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int64_t> ParseDecimalInteger(std::string_view text) {
  size_t p = 0;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  if (p == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; p < text.size(); ++p) {
    if (!IsDigit(text[p])) return std::nullopt;
    value = value * 10 + (text[p] - '0');
    if (value > kSaturation) value = kSaturation;
  }
  return negative ? -value : value;
}

std::optional<double> ParseDecimalNumber(std::string_view text) {
  size_t p = 0;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
  size_t digits = 0;
  while (p < text.size() && IsDigit(text[p])) ++p, ++digits;
  if (p < text.size() && text[p] == '.') {
    ++p;
    while (p < text.size() && IsDigit(text[p])) ++p, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (p < text.size() && (text[p] == 'E' || text[p] == 'e')) {
    ++p;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
    size_t expDigits = 0;
    while (p < text.size() && IsDigit(text[p])) ++p, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (p != text.size()) return std::nullopt;
  // from_chars takes no leading "+".
  std::string_view body = text;
  if (!body.empty() && body[0] == '+') body.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

}  // namespace brv3
