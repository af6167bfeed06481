#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brv3 {

// A decimal integer with an optional leading "+" or "-" and at least one digit, nothing else.
// Values too large for 32 bits saturate at +/-2^40, so range checks still refuse them.
std::optional<int64_t> ParseDecimalInteger(std::string_view text);

// A decimal number: optional sign, digits with an optional "." part, optional exponent
// ("E" or "e", optional sign, digits). No "inf", "nan", hexadecimal or blanks.
std::optional<double> ParseDecimalNumber(std::string_view text);

// Blanks (spaces, tabs, line ends) removed from both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace brv3
