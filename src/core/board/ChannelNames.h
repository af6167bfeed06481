#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace brv3 {

class BoardLink;

// A channel name as the board stores it: 32 cp932 bytes, padded with 0x00.
using ChannelNameBytes = std::array<uint8_t, 32>;

// Its text (UTF-8, up to the first 0x00) and the stored bytes of a text (cut or padded).
std::string NameText(const ChannelNameBytes& bytes);
ChannelNameBytes NameBytes(const std::string& utf8);

// The stored name of channel 1..24; nullopt when the read failed.
std::optional<ChannelNameBytes> ReadChannelNameBytes(BoardLink& link, int channel);
std::optional<std::string> ReadChannelName(BoardLink& link, int channel);
// Writes the stored name of channel 1..24; false when the board did not take it.
bool WriteChannelNameBytes(BoardLink& link, int channel, const ChannelNameBytes& bytes);
bool WriteChannelName(BoardLink& link, int channel, const std::string& utf8);

}  // namespace brv3
