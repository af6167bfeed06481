#include "core/board/ChannelNames.h"

#include <algorithm>

#include "core/board/ReplyBytes.h"
#include "core/comm/BoardLink.h"
#include "core/util/Cp932.h"

namespace brv3 {

std::string NameText(const ChannelNameBytes& bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return Cp932ToUtf8(std::string(bytes.begin(), end));
}

ChannelNameBytes NameBytes(const std::string& utf8) {
  return EntryNameBytes(utf8);
}

std::optional<ChannelNameBytes> ReadChannelNameBytes(BoardLink& link, int channel) {
  Bytes reply;
  const bool ok = link.ReadChannelName(channel - 1, reply);
  return FirstBytes<std::tuple_size_v<ChannelNameBytes>>(ok, reply);
}

std::optional<std::string> ReadChannelName(BoardLink& link, int channel) {
  const std::optional<ChannelNameBytes> bytes = ReadChannelNameBytes(link, channel);
  if (!bytes) return std::nullopt;
  return NameText(*bytes);
}

bool WriteChannelNameBytes(BoardLink& link, int channel, const ChannelNameBytes& bytes) {
  return link.WriteChannelName(channel - 1, AsBytes(bytes));
}

bool WriteChannelName(BoardLink& link, int channel, const std::string& utf8) {
  return WriteChannelNameBytes(link, channel, NameBytes(utf8));
}

}  // namespace brv3
