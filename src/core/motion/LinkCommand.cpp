#include "core/motion/LinkCommand.h"

#include <algorithm>

#include "core/motion/ChannelWord.h"
#include "core/util/NumberText.h"
#include "core/util/Prompter.h"
#include "core/util/Translate.h"

namespace brv3 {
namespace {

constexpr uint16_t kWordSpeedLast = 0x8086;
constexpr uint16_t kWordStretchLast = 0x8106;
constexpr uint16_t kWordPositionLast = 0x7FFF;
constexpr int64_t kMoveLimit = 32767;
constexpr int64_t kSpeedLimit = 127;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool InRange(const std::string& argument, int64_t lo, int64_t hi) {
  auto v = ParseDecimalInteger(argument);
  return v && *v >= lo && *v <= hi;
}

bool IsSigned(const std::string& argument) {
  return !argument.empty() && (argument[0] == '+' || argument[0] == '-');
}

bool IsPosition(uint16_t word) {
  return word >= 1 && word <= kWordPositionLast;
}

uint16_t HoldInRange(int64_t value, const ServoRange& range) {
  return static_cast<uint16_t>(std::clamp<int64_t>(value, range.minimum, range.maximum));
}

// SPD and STR: signed arguments step a word already in [first, last]; unsigned ones set it.
uint16_t ApplySerialValue(const std::string& argument, uint16_t word, int direction, uint16_t first,
                          uint16_t last) {
  int64_t n = *ParseDecimalInteger(argument);
  if (!IsSigned(argument)) return static_cast<uint16_t>(first + (n < 0 ? -n : n));
  if (word < first || word > last) return word;
  return static_cast<uint16_t>(std::clamp<int64_t>(word + n * direction, first, last));
}

}  // namespace

ParsedCommand ParseCommand(std::string_view text) {
  ParsedCommand parsed;
  size_t open = text.find('(');
  std::string_view head = text.substr(0, open);
  for (char c : head)
    if (!IsBlank(c)) parsed.command += Upper(c);
  if (open == std::string_view::npos) return parsed;
  for (char c : text.substr(open))
    if (!IsBlank(c) && c != '(' && c != ')') parsed.argument += Upper(c);
  return parsed;
}

bool IsValidLinkCommand(const ParsedCommand& parsed) {
  const std::string& cmd = parsed.command;
  const std::string& arg = parsed.argument;
  if (cmd.empty()) return arg.empty();
  if (cmd == "MOV" || cmd == "PRM") return InRange(arg, -kMoveLimit, kMoveLimit);
  if (cmd == "SET") return InRange(arg, 1, 3);
  if (cmd == "TTL") return arg == "H" || arg == "L" || arg == "1" || arg == "0";
  if (cmd == "FREE" || cmd == "TCH") return arg.empty();
  if (cmd == "SPD" || cmd == "STR") return arg != "0" && InRange(arg, -kSpeedLimit, kSpeedLimit);
  return false;
}

int FirstInvalidLinkChannel(const ChannelTexts& texts) {
  for (size_t c = 0; c < texts.size(); ++c)
    if (!IsValidLinkCommand(ParseCommand(texts[c]))) return static_cast<int>(c) + 1;
  return 0;
}

bool ValidateLink(const ChannelTexts& texts, Prompter& prompter, int language) {
  int channel = FirstInvalidLinkChannel(texts);
  if (channel == 0) return true;
  prompter.MsgBox(MsgKind::Error, MsgButtons::Ok,
                  Args(Tr("LinkCommand", "Flow wiring error in CH%1"), {std::to_string(channel)}),
                  language);
  return false;
}

uint16_t ApplyLinkCommand(std::string_view text, uint16_t word, int direction,
                          const ServoRange& range) {
  ParsedCommand parsed = ParseCommand(text);
  // Hand-edited link lists can hold anything; only commands that would pass validation act.
  if (parsed.command.empty() || !IsValidLinkCommand(parsed)) return word;
  const std::string& cmd = parsed.command;
  const std::string& arg = parsed.argument;
  const int s = direction < 0 ? -1 : 1;
  if (cmd == "MOV") {
    if (!IsPosition(word)) return word;
    return HoldInRange(word + *ParseDecimalInteger(arg) * s, range);
  }
  if (cmd == "PRM") {
    if (!IsPosition(word)) return word;
    return HoldInRange(kPositionCenter + *ParseDecimalInteger(arg), range);
  }
  if (cmd == "SET") {
    if (!range.IsPulseServo()) return word;
    return static_cast<uint16_t>(kWordFree + *ParseDecimalInteger(arg));
  }
  if (cmd == "TTL") return (arg == "H" || arg == "1") ? kWordH : kWordL;
  if (cmd == "FREE") return kWordFree;
  if (cmd == "SPD") {
    if (!range.IsSerialServo()) return word;
    return ApplySerialValue(arg, word, s, kWordSpeedBase, kWordSpeedLast);
  }
  if (cmd == "STR") {
    if (!range.IsSerialServo()) return word;
    return ApplySerialValue(arg, word, s, kWordStretchBase, kWordStretchLast);
  }
  return word;  // TCH
}

uint16_t ApplyLinkCommand(std::string_view text, uint16_t word, int direction,
                          int32_t sliderMaximum) {
  return ApplyLinkCommand(text, word, direction, ServoRangeForMaximum(sliderMaximum));
}

}  // namespace brv3
