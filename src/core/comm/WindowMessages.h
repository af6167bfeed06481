#pragma once

#include <cstdint>
#include <optional>

namespace brv3 {

class BoardLink;
class Prompter;

constexpr uint32_t kPlayMessage = 0x8000;
constexpr uint32_t kSelectPortMessage = 0x8001;

// The port list index a select-port message asks for: the top byte of `w` must be 0 and `l` a
// valid list index. nullopt means the message is ignored.
std::optional<int> SelectPortMessageIndex(int64_t w, int64_t l);

// The play message: top byte of `w` 0 plays entry `l` (below 85) and shows "Sending the Play
// command"; top byte 1 sends the extended serial frame built from the low 16 bits of `w` and `l`
// and shows "Sending the expanded low speed serial". Anything else does nothing. True when a
// command was sent and acknowledged.
bool HandlePlayMessage(BoardLink& link, Prompter* prompter, int64_t w, int64_t l);

}  // namespace brv3
