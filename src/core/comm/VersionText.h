#pragma once

#include <array>
#include <string>

#include "core/util/Bytes.h"

namespace brv3 {

// The board information of a ReadVersion reply (64 bytes of text, checksum byte after them) as
// four lines of 16 characters. Each line ends at its first 0x00 byte; cp932 text becomes UTF-8.
// A reply shorter than 64 bytes gives what it holds.
std::array<std::string, 4> VersionLines(const Bytes& reply);

}  // namespace brv3
