#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brv3 {

using Bytes = std::vector<uint8_t>;

// "D2 05 FF" style text of a byte string, for traces, listings and test messages.
std::string HexText(const Bytes& bytes);

// The value of one hexadecimal digit (either case), or -1.
int HexDigit(char c);
// Two upper-case hexadecimal digits per byte, nothing between them.
std::string HexDigits(const uint8_t* data, size_t size);
// The bytes of such a text (either case); nullopt for an odd length or any other character.
std::optional<Bytes> ParseHexDigits(std::string_view text);

}  // namespace brv3
