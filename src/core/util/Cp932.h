#pragma once

#include <string>
#include <string_view>

namespace brv3 {

// The files and the board carry Japanese text as cp932 (Shift-JIS) bytes; the program keeps UTF-8.
// Bytes that do not decode become U+FFFD; characters cp932 cannot hold become "?".
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace brv3
