#include "core/motion/Conversion.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>

#include "core/motion/ChannelWord.h"
#include "core/util/IniFile.h"
#include "core/util/NumberText.h"
#include "core/util/RoundHalfEven.h"

namespace brv3 {
namespace {

constexpr int32_t kPositionFirst = 1;
constexpr int32_t kPositionLast = 32767;
constexpr int32_t kSpeedFirst = 1;
constexpr int32_t kSpeedLast = 255;

bool IsPosition(uint16_t word) {
  return word >= kPositionFirst && word <= kPositionLast;
}

bool IsMixingEntry(uint16_t word) {
  return (word >= 36614 && word <= 37381) || (word >= 38406 && word <= 39429) ||
         (word >= 64500 && word <= 65267);
}

uint16_t HoldPosition(double value) {
  return static_cast<uint16_t>(std::clamp<double>(value, kPositionFirst, kPositionLast));
}

// The argument as an integer, 0 when it is not one. Accepts the settings files' integer syntax.
int64_t IntegerArgument(const std::string& argument) {
  return ParseIniInteger(argument).value_or(0);
}

// A channel argument 1..24 as an index 0..23.
std::optional<size_t> ChannelArgument(const std::string& argument) {
  auto n = ParseIniInteger(argument);
  if (!n || *n < 1 || *n > kChannels) return std::nullopt;
  return static_cast<size_t>(*n - 1);
}

// MUL's factor: a single-precision number, 0 when the text is not one.
float MulFactor(const std::string& argument) {
  auto x = ParseDecimalNumber(argument);
  if (!x || std::fabs(*x) > FLT_MAX) return 0.0f;
  return static_cast<float>(*x);
}

int32_t HoldSpeed(double value) {
  return static_cast<int32_t>(std::clamp<double>(value, kSpeedFirst, kSpeedLast));
}

// The speed after one SPD row, or nullopt when the argument is unusable (no form of SPD, or a
// division by zero) and the speed stays.
std::optional<int32_t> ConvertSpeed(const std::string& argument, int32_t speed, int32_t head) {
  if (argument.empty()) return std::nullopt;
  const char form = argument[0];
  const std::string rest = argument.substr(1);
  if (form == '+' || form == '-') {
    int64_t k = ParseDecimalInteger(rest).value_or(0);
    return HoldSpeed(static_cast<double>(form == '+' ? head + k : head - k));
  }
  if (form == '*' || form == '/') {
    double x = ParseDecimalNumber(rest).value_or(1.0);
    if (form == '/' && x == 0.0) return std::nullopt;
    double v = form == '*' ? speed * x : speed / x;
    return HoldSpeed(static_cast<double>(RoundHalfEven(std::clamp(v, -1e6, 1e6))));
  }
  auto k = ParseDecimalInteger(argument);
  if (!k) return std::nullopt;
  return HoldSpeed(static_cast<double>(*k));
}

}  // namespace

void ConvertWords(const ChannelTexts& rows, ChannelWords& values, uint8_t& head) {
  const ChannelWords w = values;
  ChannelWords r = w;
  const int32_t h = head;
  int32_t s = head;
  for (size_t row = 0; row < kChannels; ++row) {
    ParsedCommand parsed = ParseCommand(rows[row]);
    const std::string& cmd = parsed.command;
    const std::string& arg = parsed.argument;
    const uint16_t word = w[row];
    if (cmd == "COPYTO") {
      if (auto n = ChannelArgument(arg)) r[*n] = word;
    } else if (cmd == "READTO") {
      if (auto n = ChannelArgument(arg)) r[row] = w[*n];
    } else if (cmd == "CHANGE") {
      if (auto n = ChannelArgument(arg)) {
        r[*n] = word;
        r[row] = w[*n];
      }
    } else if (cmd == "REVERSE") {
      if (IsPosition(word)) {
        r[row] = static_cast<uint16_t>(2 * kPositionCenter - word);
      } else if (IsMixingEntry(word)) {
        WordBaseResult split = WordBase(word);
        r[row] = static_cast<uint16_t>(split.base + (split.operand ^ 0x40));
      }
    } else if (cmd == "ADD") {
      if (IsPosition(word)) r[row] = HoldPosition(static_cast<double>(word + IntegerArgument(arg)));
    } else if (cmd == "MUL") {
      if (IsPosition(word)) {
        double offset = static_cast<double>(word - kPositionCenter) * MulFactor(arg);
        r[row] = HoldPosition(static_cast<double>(kPositionCenter + RoundHalfEven(offset)));
      }
    } else if (cmd == "PRM") {
      if (word <= kPositionLast)
        r[row] = HoldPosition(static_cast<double>(kPositionCenter + IntegerArgument(arg)));
    } else if (cmd == "SPD") {
      if (IsPosition(word))
        if (auto changed = ConvertSpeed(arg, s, h)) s = *changed;
    }
  }
  values = r;
  head = static_cast<uint8_t>(s & 0xFF);
}

int ApplyConversion(Chart& chart, const ChannelTexts& rows) {
  int converted = 0;
  for (ChartObject& object : chart.Objects) {
    if (!object.Selected || object.Type == kCompare) continue;
    ConvertWords(rows, object.Values, object.Head);
    ++converted;
  }
  return converted;
}

}  // namespace brv3
