#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brv3 {

using Bytes = std::vector<uint8_t>;

// "D2 05 FF" style text of a byte string, for traces, listings and test messages.
std::string HexText(const Bytes& bytes);

}  // namespace brv3
