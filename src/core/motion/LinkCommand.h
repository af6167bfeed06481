#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/chart/Chart.h"
#include "core/motion/ServoRange.h"
#include "core/util/Prompter.h"

namespace brv3 {

// The 24 command texts of a link or a conversion, channel 1 first.
using ChannelTexts = std::array<std::string, kChannels>;

struct ParsedCommand {
  std::string command;   // upper case, blanks left out
  std::string argument;  // upper case, blanks and brackets left out
  bool operator==(const ParsedCommand&) const = default;
};

// Splits "mov ( +10 )" into "MOV" and "+10". Only ASCII letters change case.
ParsedCommand ParseCommand(std::string_view text);

// True when the parsed command is one of the link language with a valid argument (an empty
// command with an empty argument is valid too).
bool IsValidLinkCommand(const ParsedCommand& parsed);

// 0 when all 24 texts are valid link commands, else the first invalid channel 1..24.
int FirstInvalidLinkChannel(const ChannelTexts& texts);

// Checks a link before it is saved; at the first invalid channel n shows "Flow wiring error in
// CH" + n (error box, OK) and returns false.
bool ValidateLink(const ChannelTexts& texts, Prompter& prompter, int language = kJapanese);

// The word a link command gives a channel holding `word`, in direction +1 or -1, on a channel
// whose position slider has `range`. Unknown commands, invalid arguments, "TCH" and empty texts
// keep the word.
uint16_t ApplyLinkCommand(std::string_view text, uint16_t word, int direction,
                          const ServoRange& range);
// The same for a channel known by its slider maximum (17074 pulse servo, 24384 serial servo).
uint16_t ApplyLinkCommand(std::string_view text, uint16_t word, int direction,
                          int32_t sliderMaximum);

}  // namespace brv3
